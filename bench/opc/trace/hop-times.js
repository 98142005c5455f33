'use strict';
// Loaded into the bridge and the simulator's server by bench_opc's trace (see README.md beside
// this file): notes when each message reaches or leaves the process, and each garbage
// collection, on the monotonic clock the controller's steady_clock reads too, and writes them to
// $KAVRO_BENCH_OPC_TRACE/<program>.<pid>.txt when the process ends. The times go into one
// preallocated array, so that noting them leaves the collections it watches alone.
const fs = require('fs');
const net = require('net');
const path = require('path');
const { PerformanceObserver, performance } = require('perf_hooks');

const folder = process.env.KAVRO_BENCH_OPC_TRACE;
const program = path.basename(process.argv[1] || 'node', '.js');
const CHANNELS = ['stdin', 'stdout', 'tcp'];
const DIRECTIONS = ['in', 'out'];
const capacity = 1 << 20;
const hops = new Float64Array(capacity * 4);  // time ns, direction, channel, bytes
let count = 0;
const collections = [];  // [start ns, duration ns, kind]
// performance.now() counts from the process's start; this pair places it on the monotonic clock.
const clockAt = Number(process.hrtime.bigint());
const performanceAt = performance.now();

function channelOf(socket) {
  if (socket === process.stdin) return 0;
  if (socket === process.stdout) return 1;
  return 2;
}

function note(direction, socket, chunk) {
  if (count === capacity) return;
  const at = count++ * 4;
  hops[at] = Number(process.hrtime.bigint());
  hops[at + 1] = direction;
  hops[at + 2] = channelOf(socket);
  hops[at + 3] = chunk && chunk.length ? chunk.length : 0;
}

const emit = net.Socket.prototype.emit;
net.Socket.prototype.emit = function (event, chunk) {
  if (event === 'data') note(0, this, chunk);
  return emit.apply(this, arguments);
};
const write = net.Socket.prototype.write;
net.Socket.prototype.write = function (chunk) {
  note(1, this, chunk);
  return write.apply(this, arguments);
};

new PerformanceObserver((list) => {
  for (const entry of list.getEntries()) {
    const start = clockAt + (entry.startTime - performanceAt) * 1e6;
    collections.push([Math.round(start), Math.round(entry.duration * 1e6), entry.detail ? entry.detail.kind : 0]);
  }
}).observe({ entryTypes: ['gc'] });

process.on('exit', () => {
  if (!folder) return;
  const lines = [];
  for (let n = 0; n < count; ++n) {
    const at = n * 4;
    lines.push(`hop ${hops[at]} ${DIRECTIONS[hops[at + 1]]} ${CHANNELS[hops[at + 2]]} ${hops[at + 3]}`);
  }
  for (const [start, duration, kind] of collections) lines.push(`gc ${start} ${duration} ${kind}`);
  const cpu = process.cpuUsage();
  lines.push(`cpu ${cpu.user + cpu.system}`);
  fs.writeFileSync(path.join(folder, `${program}.${process.pid}.txt`), lines.join('\n') + '\n');
});
