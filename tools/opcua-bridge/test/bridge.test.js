'use strict';
// The bridge against a real OPC UA server on a free loopback port.
const test = require('node:test');
const assert = require('node:assert');
const fs = require('fs');
const os = require('os');
const path = require('path');
const { startServer, startBridge } = require('./helpers');

const TAGS = [
  { name: 'FC401.SP', type: 'Double', value: 8 },
  { name: 'KILN1.WATCHDOG', type: 'Int16', value: 0 },
  { name: 'KILN1.MODE', type: 'String', value: 'AUTO' },
  // Values the simulator converts to the tag's type, as a client's write would be.
  { name: 'KILN1.RUN', type: 'Boolean', value: 0 },
  { name: 'KILN1.RECIPE', type: 'String', value: 12 },
];

function tempDir() {
  return fs.mkdtempSync(path.join(os.tmpdir(), 'kavro-bridge-test-'));
}

test('items, one batched read and write, refusals and security', { timeout: 240000 }, async (t) => {
  const dir = tempDir();
  const server = await startServer(path.join(dir, 'server-pki'), TAGS);
  const bridge = startBridge();
  t.after(() => { bridge.stop(); server.stop(); fs.rmSync(dir, { recursive: true, force: true }); });
  const pki = path.join(dir, 'pki');

  await t.test('items are checked and typed when added; unknown and long names refused', async () => {
    assert.deepStrictEqual(await bridge.call({ op: 'connect', endpoint: server.endpoint, pki }), { id: 1, ok: true });
    assert.ok(fs.existsSync(path.join(pki, 'own', 'certs')), 'own certificate made on first use');
    const sp = await bridge.call({ op: 'add', tag: 'FC401.SP' });
    assert.deepStrictEqual([sp.ok, sp.item, sp.dataType], [true, 1, 'Double']);
    const wd = await bridge.call({ op: 'add', tag: 'ns=1;s=KILN1.WATCHDOG' });
    assert.deepStrictEqual([wd.ok, wd.item, wd.dataType], [true, 2, 'Int16']);
    const unknown = await bridge.call({ op: 'add', tag: 'NO.SUCH.TAG' });
    assert.strictEqual(unknown.ok, false);
    assert.match(unknown.error, /NO\.SUCH\.TAG/);
    const long = await bridge.call({ op: 'add', tag: 'T'.repeat(100) });
    assert.strictEqual(long.ok, false);
    const justFits = await bridge.call({ op: 'add', tag: 'T'.repeat(99) });
    assert.strictEqual(justFits.ok, false);
    assert.match(justFits.error, /no such node/);
    assert.strictEqual((await bridge.call({ op: 'add', tag: 'KILN1.MODE' })).item, 3);
    assert.strictEqual((await bridge.call({ op: 'add', tag: 'KILN1.RUN' })).item, 4);
    assert.strictEqual((await bridge.call({ op: 'add', tag: 'KILN1.RECIPE' })).item, 5);
    const defined = await bridge.call({ op: 'read', items: [4, 5] });
    assert.deepStrictEqual(defined.values, [0, '12']);
    server.send({ op: 'set', values: { 'KILN1.RUN': 1, 'KILN1.RECIPE': 'B7' } });
    server.send({ op: 'set', values: { 'KILN1.RUN': 'not a number' } });  // keeps true
    await new Promise((r) => setTimeout(r, 100));
    assert.deepStrictEqual((await bridge.call({ op: 'read', items: [4, 5] })).values, [1, 'B7']);
  });

  await t.test('writes convert to each node type; a read returns every item in order', async () => {
    const w = await bridge.call({ op: 'write', items: [[1, '9.125'], [2, 1], [2, 'X']] });
    assert.deepStrictEqual(w.status, ['Good', 'Good', 'BadTypeMismatch']);
    // One line for the whole write, sent after its answer.
    const written = await server.next((m) => m.written);
    assert.deepStrictEqual(written.written, { 'FC401.SP': 9.125, 'KILN1.WATCHDOG': 1 });
    server.send({ op: 'set', values: { 'KILN1.WATCHDOG': 7 } });
    await new Promise((r) => setTimeout(r, 100));
    const r = await bridge.call({ op: 'read', items: [2, 1, 3, 42] });
    assert.deepStrictEqual(r.values, [7, 9.125, 'AUTO', null]);
    assert.strictEqual(r.status[3], 'BadInvalidArgument');
    const out = await bridge.call({ op: 'write', items: [[2, 40000]] });
    assert.deepStrictEqual(out.status, ['BadTypeMismatch']);
    // A request and an answer longer than one message chunk go through whole.
    const many = await bridge.call({ op: 'read', items: new Array(600).fill(1) });
    assert.strictEqual(many.values.length, 600);
    assert.ok(many.values.every((v) => v === 9.125));
  });

  await t.test('an untrusted server is refused and its certificate kept for the operator', async () => {
    const secure = path.join(dir, 'secure-pki');
    const refused = await bridge.call({ op: 'connect', endpoint: server.endpoint, pki: secure, security: 'SignAndEncrypt' });
    assert.strictEqual(refused.ok, false);
    assert.ok(refused.error.includes(server.endpoint), refused.error);
    assert.ok(refused.error.includes(path.join(secure, 'trusted', 'certs')), refused.error);
    const rejected = fs.readdirSync(path.join(secure, 'rejected')).filter((f) => f.endsWith('.pem'));
    assert.strictEqual(rejected.length, 1);
    assert.strictEqual((await bridge.call({ op: 'read', items: [1] })).ok, false, 'no session left behind');

    fs.renameSync(path.join(secure, 'rejected', rejected[0]), path.join(secure, 'trusted', 'certs', rejected[0]));
    const trusted = await bridge.call({ op: 'connect', endpoint: server.endpoint, pki: secure, security: 'SignAndEncrypt' });
    assert.strictEqual(trusted.ok, true, trusted.error);
    const sp = await bridge.call({ op: 'add', tag: 'FC401.SP' });
    assert.deepStrictEqual((await bridge.call({ op: 'read', items: [sp.item] })).values, [9.125]);
  });

  await t.test('a password file that others may read is refused', async () => {
    const userFile = path.join(dir, 'opcua-user');
    fs.writeFileSync(userFile, 'operator\nsecret\n', { mode: 0o644 });
    fs.chmodSync(userFile, 0o644);
    const r = await bridge.call({ op: 'connect', endpoint: server.endpoint, pki, userFile });
    assert.strictEqual(r.ok, false);
    assert.match(r.error, /chmod 600/);
    assert.ok(!r.error.includes('secret'));
  });
});

test('a server that wants a log-in gets the user and password of the owner-only file', { timeout: 120000 }, async (t) => {
  const dir = tempDir();
  const users = path.join(dir, 'users');
  fs.writeFileSync(users, 'operator:kiln-secret\n');
  const server = await startServer(path.join(dir, 'server-pki'), TAGS, ['--users', users]);
  const bridge = startBridge();
  t.after(() => { bridge.stop(); server.stop(); fs.rmSync(dir, { recursive: true, force: true }); });
  const pki = path.join(dir, 'pki');
  const userFile = path.join(dir, 'opcua-user');

  const anonymous = await bridge.call({ op: 'connect', endpoint: server.endpoint, pki, userFile });
  assert.strictEqual(anonymous.ok, false, 'no file: anonymous, which this server refuses');

  fs.writeFileSync(userFile, 'operator\nwrong\n', { mode: 0o600 });
  const wrong = await bridge.call({ op: 'connect', endpoint: server.endpoint, pki, userFile });
  assert.strictEqual(wrong.ok, false);
  assert.ok(!wrong.error.includes('wrong'), 'the password never shows in a message');

  fs.writeFileSync(userFile, 'operator\r\nkiln-secret\r\n', { mode: 0o600 });
  const right = await bridge.call({ op: 'connect', endpoint: server.endpoint, pki, userFile });
  assert.strictEqual(right.ok, true, right.error);
  assert.strictEqual((await bridge.call({ op: 'add', tag: 'FC401.SP' })).ok, true);
});

test('a connect without the controller\'s time limits is refused: the bridge has none of its own', { timeout: 60000 }, async (t) => {
  const bridge = startBridge();
  t.after(() => bridge.stop());
  for (const missing of ['connectMs', 'certificateMs', 'callMs']) {
    const request = { id: 100, op: 'connect', endpoint: 'opc.tcp://127.0.0.1:1', connectMs: 500, certificateMs: 500, callMs: 500 };
    delete request[missing];
    bridge.send(request);
    const answer = await bridge.next((m) => m.id === 100);
    assert.strictEqual(answer.ok, false, missing);
    assert.match(answer.error, new RegExp(missing));
  }
});
