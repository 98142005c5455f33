'use strict';
// Starts the plant server and the bridge as child processes, as the controller does, and
// speaks to them one JSON line at a time. The programs are those of $KAVRO_OPCUA_BRIDGE when it
// is set (the build's bundles, as the package ships them), else the sources beside this folder.
const { spawn } = require('child_process');
const net = require('net');
const path = require('path');
const readline = require('readline');

const PROGRAMS = process.env.KAVRO_OPCUA_BRIDGE || path.join(__dirname, '..');

function freePort() {
  return new Promise((resolve, reject) => {
    const probe = net.createServer();
    probe.listen(0, '127.0.0.1', () => {
      const { port } = probe.address();
      probe.close(() => resolve(port));
    });
    probe.on('error', reject);
  });
}

// A child spoken to in JSON lines; next() waits for the next line that matches.
function lineChild(script, args) {
  const child = spawn(process.execPath, [path.join(PROGRAMS, script), ...args], { stdio: ['pipe', 'pipe', 'ignore'] });
  const lines = [];
  const waiting = [];
  readline.createInterface({ input: child.stdout }).on('line', (line) => {
    let message;
    try { message = JSON.parse(line); } catch { return; }
    const at = waiting.findIndex((w) => w.match(message));
    if (at >= 0) waiting.splice(at, 1)[0].resolve(message);
    else lines.push(message);
  });
  return {
    child,
    send(object) { child.stdin.write(JSON.stringify(object) + '\n'); },
    next(match = () => true, ms = 60000) {
      const at = lines.findIndex(match);
      if (at >= 0) return Promise.resolve(lines.splice(at, 1)[0]);
      return new Promise((resolve, reject) => {
        const entry = { match, resolve };
        waiting.push(entry);
        setTimeout(() => reject(new Error('no answer')), ms).unref();
      });
    },
    stop() { child.stdin.end(); child.kill('SIGTERM'); },
  };
}

async function startServer(pki, tags, extra = []) {
  const port = await freePort();
  const server = lineChild('plant-server.js', ['--port', String(port), '--pki', pki, ...extra]);
  server.send({ op: 'define', tags });
  const ready = await server.next((m) => m.ready);
  return { ...server, endpoint: ready.endpoint };
}

function startBridge() {
  const bridge = lineChild('bridge.js', []);
  let id = 0;
  // The time limits the controller sends with every connect.
  const limits = { connectMs: 5000, certificateMs: 30000, callMs: 2000 };
  bridge.call = (request) => {
    const mine = ++id;
    bridge.send({ id: mine, ...(request.op === 'connect' ? limits : {}), ...request });
    return bridge.next((m) => m.id === mine);
  };
  return bridge;
}

module.exports = { freePort, startServer, startBridge };
