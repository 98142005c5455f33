#!/usr/bin/env node
'use strict';
// Bundles bridge.js and plant-server.js, each with the whole node-opcua stack, into one file
// apiece in OUT_DIR, beside the few files node-opcua reads from disk at run time (data/) and
// the licences of the packages bundled. That folder runs without node_modules: it is what the
// build's tests run and what the package installs.
//
// usage: node bundle.js OUT_DIR
//
// node-opcua's ES modules find their own files through import.meta.dirname ("../package.json"
// for a version, "../nodesets/Opc.Ua.NodeSet2.xml" for the server's address space). In one
// CommonJS file import.meta is empty, so each module's folder is rewritten to the same folder
// under data/, and the files read from there are copied into it. The server reads the standard
// nodeset only (it is given no other); the ".ndjson.gz" beside it is its pre-parsed image,
// which spares parsing 4 MB of XML at every start-up.
const fs = require('fs');
const path = require('path');
const esbuild = require('esbuild');

const HERE = __dirname;
const NODE_MODULES = path.join(HERE, 'node_modules');
const PROGRAMS = ['bridge.js', 'plant-server.js'];
const DATA = 'data';
const NODESETS = [
  'node-opcua-nodesets/nodesets/Opc.Ua.NodeSet2.xml',
  'node-opcua-nodesets/nodesets/Opc.Ua.NodeSet2.ndjson.gz',
];
// @ster5/global-mutex tries this optional package first and, as it is not installed, locks
// files itself: left out of the bundle, the import fails at run time as it does unbundled.
const NOT_INSTALLED = ['proper-lockfile'];
// At every start on node 20 and 21, node-opcua makes a 4096-bit RSA key (a second of CPU or
// more, at each bridge and server start) only to warn when RSA PKCS#1 v1.5 decryption is off,
// as node's fix for CVE-2023-46809 turns it off, and to advise reverting that fix. The bridge
// and the server offer and ask for None and Basic256Sha256 only, whose encryption is RSA-OAEP:
// the bundles leave the check out. A patch whose text is no longer found stops the build.
const PATCHES = {
  'node-opcua-secure-channel/dist/source/index.js': [['\ntestRSAPKCS1V15_EncryptDecrypt();', '\n']],
};
// node-opcua-crypto's parsers of SSH and PKCS#1 key files, the only callers of sshpk and so of
// asn1's BerReader (see README.md, Dependencies): the bundles must not contain them.
const UNREACHED = ['readPrivateRsaKey', 'readPublicRsaKey'];

// The package folder of a file under node_modules: "name" or "@scope/name".
function packageOf(relative) {
  const parts = relative.split(path.sep);
  return parts[0].startsWith('@') ? path.join(parts[0], parts[1]) : parts[0];
}

function applyPatches(text, file, patched) {
  for (const [from, to] of PATCHES[file] || []) {
    if (!text.includes(from)) throw new Error(`${file} no longer has ${JSON.stringify(from)}`);
    text = text.replace(from, to);
    patched.add(file);
  }
  return text;
}

// import.meta of an ES module under node_modules, as the module's own folder under data/
// (__dirname is the bundle's folder: data/ beside it stands for node_modules/).
function withDataFolders(text, file) {
  const inData = (p) => `require("node:path").join(__dirname, ${JSON.stringify(DATA)}, ${JSON.stringify(p)})`;
  const rewritten = text
    .replace(/import\.meta\.dirname\b/g, inData(path.posix.dirname(file)))
    .replace(/import\.meta\.filename\b/g, inData(file))
    .replace(/import\.meta\.url\b/g, `require("node:url").pathToFileURL(${inData(file)}).href`);
  if (rewritten.includes('import.meta')) {
    throw new Error(`${file} uses import.meta in a way this bundle does not provide`);
  }
  return rewritten;
}

// Loads the packages' modules through PATCHES and withDataFolders, noting the packages that
// look for files beside their modules.
function fromNodeModules(packagesUsingMeta, patched) {
  return {
    name: 'from-node-modules',
    setup(build) {
      build.onLoad({ filter: /[\\/]node_modules[\\/].*\.[cm]?js$/ }, async (args) => {
        const relative = path.relative(NODE_MODULES, args.path);
        if (relative.startsWith('..')) throw new Error(`${args.path} is outside ${NODE_MODULES}`);
        const file = relative.split(path.sep).join('/');
        const original = await fs.promises.readFile(args.path, 'utf8');
        let text = applyPatches(original, file, patched);
        if (text.includes('import.meta')) {
          packagesUsingMeta.add(packageOf(relative));
          text = withDataFolders(text, file);
        }
        return text === original ? undefined : { contents: text, loader: 'js', resolveDir: path.dirname(args.path) };
      });
    },
  };
}

function copyInto(outDir, relative) {
  const target = path.join(outDir, DATA, relative);
  fs.mkdirSync(path.dirname(target), { recursive: true });
  fs.copyFileSync(path.join(NODE_MODULES, relative), target);
}

// One text with the licence of every package in the bundles, as the packages ship them.
function licences(inputs) {
  const packages = new Set();
  for (const input of inputs) {
    const at = input.split('/').lastIndexOf('node_modules');
    if (at >= 0) packages.add(packageOf(input.split('/').slice(at + 1).join(path.sep)));
  }
  const texts = [];
  for (const name of [...packages].sort()) {
    const folder = path.join(NODE_MODULES, name);
    const meta = JSON.parse(fs.readFileSync(path.join(folder, 'package.json'), 'utf8'));
    const file = fs.readdirSync(folder).find((f) => /^(licen[cs]e|copying)/i.test(f));
    const text = file ? fs.readFileSync(path.join(folder, file), 'utf8').trim() : `License: ${meta.license}`;
    texts.push(`${name} ${meta.version}\n\n${text}\n`);
  }
  return texts.join('\n' + '-'.repeat(72) + '\n\n');
}

async function main() {
  const outDir = path.resolve(process.argv[2] || path.join(HERE, 'dist'));
  fs.rmSync(path.join(outDir, DATA), { recursive: true, force: true });
  fs.mkdirSync(outDir, { recursive: true });
  const packagesUsingMeta = new Set();
  const patched = new Set();
  const result = await esbuild.build({
    absWorkingDir: HERE,
    entryPoints: PROGRAMS.map((p) => path.join(HERE, p)),
    outdir: outDir,
    bundle: true,
    platform: 'node',
    format: 'cjs',
    target: 'node18',
    external: NOT_INSTALLED,
    plugins: [fromNodeModules(packagesUsingMeta, patched)],
    metafile: true,
    logLevel: 'warning',
  });
  if (result.warnings.length) throw new Error('esbuild warned: fix the bundle before it ships');
  const unpatched = Object.keys(PATCHES).filter((file) => !patched.has(file));
  if (unpatched.length) throw new Error(`not in the bundles any more: ${unpatched.join(', ')}`);
  for (const program of PROGRAMS) {
    const text = fs.readFileSync(path.join(outDir, program), 'utf8');
    const found = UNREACHED.filter((name) => text.includes(name));
    if (found.length) throw new Error(`${program} now calls ${found.join(', ')}: see README.md, Dependencies`);
  }
  for (const name of packagesUsingMeta) copyInto(outDir, path.join(name, 'package.json'));
  for (const file of NODESETS) copyInto(outDir, file);
  fs.writeFileSync(path.join(outDir, 'THIRD-PARTY-LICENSES.txt'), licences(Object.keys(result.metafile.inputs)));
}

main().catch((err) => {
  console.error(`bundle.js: ${err && err.message ? err.message : err}`);
  process.exit(1);
});
