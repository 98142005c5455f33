'use strict';
// The bridge and the simulator's server run their own hot paths before they report ready: on
// the path a real cycle takes, and without anything of it reaching a client, the driver or the
// controller.
const test = require('node:test');
const assert = require('node:assert');
const { spawn } = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const readline = require('readline');
const { freePort } = require('./helpers');
const { warmUpBridge } = require('../bridge-warm-up');

const PROGRAMS = process.env.KAVRO_OPCUA_BRIDGE || path.join(__dirname, '..');

// A program's standard output lines and standard error text, until it ends or is stopped.
function watch(script, args) {
  const child = spawn(process.execPath, [path.join(PROGRAMS, script), ...args], { stdio: ['pipe', 'pipe', 'pipe'] });
  const lines = [];
  let errors = '';
  child.stderr.on('data', (chunk) => { errors += chunk; });
  const nextLine = [];
  readline.createInterface({ input: child.stdout }).on('line', (line) => {
    lines.push(line);
    while (nextLine.length) nextLine.shift()();
  });
  return {
    child,
    lines,
    errors: () => errors,
    async lineCount(n, ms = 60000) {
      const until = Date.now() + ms;
      while (lines.length < n) {
        if (Date.now() > until) throw new Error(`no line ${n} from ${script}`);
        await new Promise((resolve) => { nextLine.push(resolve); setTimeout(resolve, 200).unref(); });
      }
    },
    stop() { child.stdin.end(); child.kill('SIGTERM'); },
  };
}

test('the bridge warms up on the real answer path and tells nobody', { timeout: 120000 }, async (t) => {
  await t.test('its reads and writes succeed through the real client on a loopback connection', async () => {
    const { read, write } = await warmUpBridge(3);
    assert.strictEqual(read.values.length, 33);
    assert.ok(read.values.every((v) => typeof v === 'number'), 'every value read as a number');
    assert.ok(read.status.every((s) => s === 'Good'));
    assert.deepStrictEqual(write.status, ['Good', 'Good', 'Good', 'Good']);
    // Its loopback stand-in neither listens nor stays connected once it is done.
    await new Promise((resolve) => setImmediate(resolve));
    const open = process.getActiveResourcesInfo().filter((kind) => kind.startsWith('TCP'));
    assert.deepStrictEqual(open, []);
  });

  await t.test('the first line it writes is the answer to the first request, and its warm-up reports no failure', async () => {
    const bridge = watch('bridge.js', []);
    t.after(() => bridge.stop());
    bridge.child.stdin.write('{"id":7,"op":"ping"}\n{"id":8,"op":"read","items":[1]}\n');
    await bridge.lineCount(2);
    assert.deepStrictEqual(bridge.lines.map((line) => JSON.parse(line)),
      [{ id: 7, ok: true }, { id: 8, ok: false, error: 'not connected' }]);
    assert.doesNotMatch(bridge.errors(), /warm-up/);
  });
});

test('the server warms up on its own nodes, with and without log-in, and the driver hears only ready', { timeout: 180000 }, async (t) => {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'kavro-warm-up-test-'));
  t.after(() => fs.rmSync(dir, { recursive: true, force: true }));
  const users = path.join(dir, 'users');
  fs.writeFileSync(users, 'operator:secret\n');
  for (const extra of [[], ['--users', users]]) {
    const server = watch('plant-server.js', ['--port', String(await freePort()), '--pki', path.join(dir, 'pki'), ...extra]);
    try {
      server.child.stdin.write(`${JSON.stringify({ op: 'define', tags: [{ name: 'FC401.SP', value: 8 }] })}\n`);
      await server.lineCount(1, 90000);
      assert.match(server.lines[0], /^\{"ready":true,/);
      // A written line would come right after the warm-up's writes.
      await new Promise((resolve) => setTimeout(resolve, 300));
      assert.strictEqual(server.lines.length, 1, `only the ready line: ${server.lines.join(' | ')}`);
      assert.doesNotMatch(server.errors(), /warm-up failed/);
    } finally {
      server.stop();
    }
  }
});
