#!/usr/bin/env node
'use strict';
// The plant simulator's OPC UA server, listening on 127.0.0.1 only. It holds no plant of its
// own: kavro-plantsim drives it over standard input and output, one JSON object per line.
//
//   in:  {"op":"define","tags":[{"name":"TI101.PV","type":"Double","value":1375}, ...]}
//        {"op":"set","values":{"TI101.PV":1380.5, ...}}
//   out: {"ready":true,"endpoint":"opc.tcp://127.0.0.1:PORT/kavro"}   once it listens and is warm
//        {"written":{"FC401.SP":8.7, ...}}                             the tags a client wrote
//
// Each tag is the variable ns=1;s=<name> (ns=1 is the server's own namespace) of the given
// type: Double, Float, Int16, Int32, Boolean or String.
//
// usage: plant-server.js --port N [--pki DIR] [--users FILE]
//   --pki DIR     the server's own certificate store (default: a folder beside the system's
//                 temporary files); client certificates are accepted as they come
//   --users FILE  "user:password" lines: sessions must then log in as one of them
const reply = process.stdout.write.bind(process.stdout);
for (const name of ['log', 'info', 'warn', 'debug', 'trace']) console[name] = console.error;

const fs = require('fs');
const os = require('os');
const path = require('path');
const readline = require('readline');
const {
  OPCUAServer,
  OPCUACertificateManager,
  MessageSecurityMode,
  SecurityPolicy,
  DataType,
  Variant,
  StatusCodes,
  AccessRestrictionsFlag,
  WellKnownRoles,
  allPermissions,
} = require('node-opcua');
const { warmUpServer } = require('./server-warm-up');
const { variantFor, withTimeLimit } = require('./convert');

// The longest the server's warm-up may hold back its ready line (it takes a second or two).
const WARM_UP_LIMIT_MS = 20000;

function option(name, fallback) {
  const at = process.argv.indexOf(name);
  return at > 0 && at + 1 < process.argv.length ? process.argv[at + 1] : fallback;
}

function send(object) {
  reply(JSON.stringify(object) + '\n');
}

// The tags a client wrote are told once the server has answered the write, all in one line: a
// write of several tags wakes the driver once, and never before the client has its answer. The
// warm-up tells its own writes the same way, to a line that goes nowhere.
function writtenTeller(tell) {
  let written = null;
  return (name, value) => {
    if (!written) {
      written = {};
      setImmediate(() => {
        const told = written;
        written = null;
        tell({ written: told });
      });
    }
    written[name] = value;
  };
}
const tellWritten = writtenTeller(send);

// Every session may read and write every tag, as the namespace's defaults allow. Said on each
// tag, because a tag without its own settings has the server look the namespace's defaults up
// in its address space at every read of every tag: that was most of the time a read took.
// Every session's permissions are evaluated with the Anonymous role among its roles.
const OPEN_TO_EVERY_SESSION = {
  accessRestrictions: AccessRestrictionsFlag.None,
  rolePermissions: [{ roleId: WellKnownRoles.Anonymous, permissions: allPermissions }],
};

const TYPES = {
  Double: DataType.Double,
  Float: DataType.Float,
  Int16: DataType.Int16,
  Int32: DataType.Int32,
  Boolean: DataType.Boolean,
  String: DataType.String,
};

// A tag's value as its type holds it, converted as a client's write to it would be (0 is false
// for a Boolean, 12.5 is 12 for an Int16); a value the type cannot hold leaves the one it had.
// Left unconverted, a Boolean given 0 or a String given a number ended the server.
function heldValue(dataType, value, had) {
  if (dataType === DataType.Boolean && typeof value === 'boolean') return value;
  try {
    return variantFor(typeof value === 'boolean' ? Number(value) : value, dataType).value;
  } catch {
    return had;
  }
}

async function main() {
  const port = Number(option('--port', '4840'));
  const pki = option('--pki', path.join(os.tmpdir(), 'kavro-plant-server-pki'));
  const usersFile = option('--users', '');
  const users = new Map();
  if (usersFile) {
    for (const line of fs.readFileSync(usersFile, 'utf8').split(/\r?\n/)) {
      const colon = line.indexOf(':');
      if (colon > 0) users.set(line.slice(0, colon), line.slice(colon + 1));
    }
  }

  const serverCertificateManager = new OPCUACertificateManager({
    rootFolder: pki,
    automaticallyAcceptUnknownCertificate: true,
  });
  await serverCertificateManager.initialize();

  const server = new OPCUAServer({
    host: '127.0.0.1',
    alternateHostname: ['127.0.0.1', 'localhost'],
    port,
    resourcePath: '/kavro',
    serverCertificateManager,
    securityModes: [MessageSecurityMode.None, MessageSecurityMode.Sign, MessageSecurityMode.SignAndEncrypt],
    securityPolicies: [SecurityPolicy.None, SecurityPolicy.Basic256Sha256],
    allowAnonymous: users.size === 0,
    userManager: users.size
      ? { isValidUser: (name, password) => users.has(name) && users.get(name) === password }
      : undefined,
    buildInfo: { productName: 'kavro-plantsim' },
  });
  await server.initialize();

  const namespace = server.engine.addressSpace.getOwnNamespace();
  const folder = namespace.addFolder(server.engine.addressSpace.rootFolder.objects, { browseName: 'Plant' });
  const tags = new Map();  // name -> { dataType, value }

  // A variable as every tag is made: its value kept in tag, each client write told by tell.
  function addVariable({ name, parent, tag, tell }) {
    const { dataType } = tag;
    return namespace.addVariable({
      ...(parent ? { componentOf: parent } : {}),
      browseName: name,
      nodeId: `s=${name}`,
      dataType: DataType[dataType],
      minimumSamplingInterval: 100,
      ...OPEN_TO_EVERY_SESSION,
      value: {
        get: () => new Variant({ dataType, value: tag.value }),
        set: (variant) => {
          tag.value = variant.value;
          tell(name, variant.value);
          return StatusCodes.Good;
        },
      },
    });
  }

  function define({ name, type = 'Double', value = 0 }) {
    if (typeof name !== 'string' || name === '' || tags.has(name)) return;
    const dataType = TYPES[type] ?? DataType.Double;
    const tag = { dataType, value: heldValue(dataType, value, heldValue(dataType, dataType === DataType.String ? '' : 0)) };
    tags.set(name, tag);
    addVariable({ name, parent: folder, tag, tell: tellWritten });
  }

  const input = readline.createInterface({ input: process.stdin, terminal: false });
  input.on('line', (line) => {
    let message;
    try {
      message = JSON.parse(line);
    } catch {
      return;
    }
    if (message.op === 'define' && Array.isArray(message.tags)) message.tags.forEach(define);
    if (message.op === 'set' && message.values) {
      for (const [name, value] of Object.entries(message.values)) {
        const tag = tags.get(name);
        if (tag) tag.value = heldValue(tag.dataType, value, tag.value);
      }
    }
  });
  // Whoever drives the server is gone: stop.
  input.on('close', () => {
    server.shutdown(0).finally(() => process.exit(0));
  });
  for (const signal of ['SIGTERM', 'SIGINT']) {
    process.on(signal, () => server.shutdown(0).finally(() => process.exit(0)));
  }

  await server.start();
  const endpoint = `opc.tcp://127.0.0.1:${port}/kavro`;
  const [userName] = users.keys();
  const tellNobody = writtenTeller(() => {});
  // A failed warm-up only leaves the first cycles slower: the server is ready all the same.
  await withTimeLimit(warmUpServer({
    endpoint,
    pki,
    user: userName === undefined ? undefined : { userName, password: users.get(userName) },
    // Typed as the tags defined so far, so the same value types are coded.
    types: [...tags.values()].map((tag) => tag.dataType),
    addNode: (name, dataType, value) => addVariable({ name, tag: { dataType, value }, tell: tellNobody }),
    removeNode: (node) => namespace.deleteNode(node),
  }), WARM_UP_LIMIT_MS, 'the warm-up').catch((err) => console.error(`plant-server: the warm-up failed (${err && err.message ? err.message : err})`));
  send({ ready: true, endpoint });
}

main().catch((err) => {
  console.error(`plant-server: ${err && err.message ? err.message : err}`);
  process.exit(1);
});
