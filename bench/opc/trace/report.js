#!/usr/bin/env node
'use strict';
// Where the time of bench_opc's cycles went: node report.js FOLDER, on the folder a traced run
// wrote (see README.md beside this file). Each read and each write is cut at its hops:
//   controller -> bridge (the request line), bridge's own work, bridge -> server, server's own
//   work, server -> bridge, bridge's own work, bridge -> controller (the reply line)
// and each piece is given as median, 90th and 99th percentile; then each cycle's bridge's own
// work, server's own work and hand-overs; then the slow calls (2 ms or more over the median) by
// the piece that grew most, and how many of them a collection fell in.
const fs = require('fs');
const path = require('path');

const PIECES = ['to bridge', 'bridge out', 'to server', 'server', 'to bridge', 'bridge back', 'to controller'];
const SLOW_NS = 2e6;
// The share each piece counts to: 0 the bridge's own work, 1 the server's, 2 the hand-overs.
const SHARE_OF = [2, 0, 2, 1, 2, 0, 2];
const SHARES = ['bridge\'s own work', 'server\'s own work', 'hand-overs'];

function readProcess(folder, program) {
  const files = fs.readdirSync(folder).filter((f) => f.startsWith(`${program}.`) && f.endsWith('.txt'));
  let best = null;
  for (const file of files) {
    const hops = {};
    const collections = [];
    let cpu = 0;
    for (const line of fs.readFileSync(path.join(folder, file), 'utf8').split('\n')) {
      const w = line.split(' ');
      if (w[0] === 'hop') (hops[`${w[2]} ${w[3]}`] ??= []).push(Number(w[1]));
      else if (w[0] === 'gc') collections.push([Number(w[1]), Number(w[1]) + Number(w[2])]);
      else if (w[0] === 'cpu') cpu = Number(w[1]);
    }
    const size = Object.values(hops).reduce((n, list) => n + list.length, 0);
    if (!best || size > best.size) best = { hops, collections, cpu, size };
  }
  if (!best) throw new Error(`no ${program}.*.txt in ${folder}: was node started with the trace?`);
  return best;
}

// The first time in a sorted list at or after t.
function firstFrom(list = [], t) {
  let lo = 0;
  let hi = list.length;
  while (lo < hi) {
    const mid = (lo + hi) >> 1;
    if (list[mid] < t) lo = mid + 1;
    else hi = mid;
  }
  return lo < list.length ? list[lo] : Infinity;
}

function percentile(values, percent) {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted[Math.min(sorted.length - 1, Math.floor((sorted.length * percent) / 100))];
}

const ms = (ns) => (ns / 1e6).toFixed(3).padStart(8);

function main() {
  const [folder, cyclesFile = 'cycles.txt'] = process.argv.slice(2);
  if (!folder) throw new Error('usage: report.js FOLDER [cycles.txt | first-cycles.txt]');
  const cycles = fs.readFileSync(path.join(folder, cyclesFile), 'utf8').trim().split('\n')
    .map((line) => line.split(' ').map(Number));
  const bridge = readProcess(folder, 'bridge');
  const server = readProcess(folder, 'plant-server');
  const from = cycles[0][0];
  const to = cycles[cycles.length - 1][2];
  const totals = cycles.map(([start, , end]) => end - start);
  console.log(`${cycles.length} cycles: median ${ms(percentile(totals, 50))} ms, p99 ${ms(percentile(totals, 99))} ms`);
  for (const [name, p] of [['bridge', bridge], ['server', server]]) {
    const inside = p.collections.filter(([start]) => start >= from && start <= to).map(([a, b]) => b - a);
    if (inside.length) {
      console.log(`${name}: ${inside.length} collections while measured, median ${ms(percentile(inside, 50))} ms, ` +
        `longest ${ms(Math.max(...inside))} ms`);
    }
  }
  // Each cycle's read and write summed into the bridge's own work, the server's own work and the
  // hand-overs between the processes (the waits for the next one to be running).
  const shares = cycles.map(() => [0, 0, 0]);
  const slow = new Map();
  let slowCalls = 0;
  let slowInCollection = 0;
  for (const [phase, call] of [[0, 'read'], [1, 'write']]) {
    const pieces = PIECES.map(() => []);
    const calls = [];
    cycles.forEach((cycle, n) => {
      const start = cycle[phase];
      const end = cycle[phase + 1];
      const t = [start];
      t.push(firstFrom(bridge.hops['in stdin'], t[0]));
      t.push(firstFrom(bridge.hops['out tcp'], t[1]));
      t.push(firstFrom(server.hops['in tcp'], t[2]));
      t.push(firstFrom(server.hops['out tcp'], t[3]));
      t.push(firstFrom(bridge.hops['in tcp'], t[4]));
      t.push(firstFrom(bridge.hops['out stdout'], t[5]));
      t.push(end);
      if (t[6] > end) {  // hops of another call: not this one's
        shares[n] = null;
        return;
      }
      const lengths = PIECES.map((_, k) => t[k + 1] - t[k]);
      lengths.forEach((ns, k) => pieces[k].push(ns));
      calls.push({ start, end, lengths });
      if (shares[n]) lengths.forEach((ns, k) => { shares[n][SHARE_OF[k]] += ns; });
    });
    console.log(`\n${call}, ${calls.length} calls (ms)      median      p90      p99`);
    const medians = pieces.map((list) => percentile(list, 50));
    pieces.forEach((list, k) => {
      console.log(`  ${PIECES[k].padEnd(22)} ${ms(medians[k])} ${ms(percentile(list, 90))} ${ms(percentile(list, 99))}`);
    });
    const typical = medians.reduce((a, b) => a + b, 0);
    for (const c of calls) {
      if (c.end - c.start < typical + SLOW_NS) continue;
      ++slowCalls;
      const grown = c.lengths.map((ns, k) => ns - medians[k]);
      const most = `${call}: ${PIECES[grown.indexOf(Math.max(...grown))]}`;
      slow.set(most, (slow.get(most) || 0) + 1);
      const overlaps = (p) => p.collections.some(([a, b]) => a < c.end && b > c.start);
      if (overlaps(bridge) || overlaps(server)) ++slowInCollection;
    }
  }
  const whole = shares.filter(Boolean);
  console.log(`\nper cycle, read and write (ms)  median      p99`);
  SHARES.forEach((name, k) => {
    const list = whole.map((share) => share[k]);
    console.log(`  ${name.padEnd(26)} ${ms(percentile(list, 50))} ${ms(percentile(list, 99))}`);
  });
  console.log(`\n${slowCalls} calls 2 ms or more over the median, ${slowInCollection} with a collection in them; grown most:`);
  for (const [piece, n] of [...slow].sort((a, b) => b[1] - a[1])) console.log(`  ${String(n).padStart(5)}  ${piece}`);
}

try {
  main();
} catch (err) {
  console.error(`report.js: ${err.message}`);
  process.exit(1);
}
