#!/usr/bin/env node
'use strict';
// The controller's OPC UA client. The controller starts it as a child process and speaks to it
// one JSON object per line: a request {"id":N,"op":...} on standard input, exactly one reply
// {"id":N,"ok":true|false,...} on standard output. Standard output carries nothing else: every
// library message goes to standard error. See README.md beside this file for the operations.

// Before the OPC UA stack loads: its messages must never reach the reply channel.
const reply = process.stdout.write.bind(process.stdout);
for (const name of ['log', 'info', 'warn', 'debug', 'trace']) console[name] = console.error;

const readline = require('readline');
const { Session } = require('./session');
const { serve } = require('./requests');
const { warmUpBridge } = require('./bridge-warm-up');

const session = new Session();

// Requests are served one after the other, in the order they came, the first once the bridge
// has run its own hot path (bridge-warm-up.js): its first answer says it is ready.
let queue = warmUpBridge().catch((err) => {
  console.error(`bridge: the warm-up failed (${err && err.message ? err.message : err}); serving anyway`);
});

const input = readline.createInterface({ input: process.stdin, terminal: false });
input.on('line', (line) => {
  if (line.trim() === '') return;
  queue = queue.then(() => serve(session, line, reply));
});
// The controller is gone (or closed our input to stop us): leave the server politely.
input.on('close', () => {
  queue
    .then(() => session.close())
    .catch(() => {})
    .finally(() => process.exit(0));
});
