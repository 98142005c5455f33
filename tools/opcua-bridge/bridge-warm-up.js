'use strict';
// The bridge runs its own per-cycle path before it answers its first request. node compiles
// JavaScript to machine code only once it has run a while: without this, the first thousand
// cycles after connecting ran the bridge in the interpreter, with the compiler beside it on the
// same cores, and took several times as long as later ones. The warm-up serves request lines as
// the controller's are served (a connect, adds, then reads and writes of as many items as a link
// has), through the bridge's own OPC UA client, connected over loopback to a private stand-in endpoint
// in this process (stand-in-endpoint.js): the client's socket, message chunking, session and
// coding run as on a real link. Nothing reaches a real server or the reply channel.
const {
  OPCUAClient,
  DataType,
  DataValue,
  ReadResponse,
  WriteResponse,
  StatusCodes,
  AttributeIds,
  resolveNodeId,
} = require('node-opcua');
const { Session } = require('./session');
const { serve } = require('./requests');
const { openStandInEndpoint } = require('./stand-in-endpoint');
const { READ_ITEMS, WRITE_ITEMS } = require('./link-items');

// Cycles run: enough for node to have compiled the whole path.
const WARM_UP_CYCLES = 2000;

// The items' data types: a link's first read items and first write item are 16-bit integers
// (the controller's on/off, watchdog and run frequency tags), the rest Double.
const INT16_READS = 3;
const INT16_WRITES = 1;
const TYPE_IDS = { [DataType.Int16]: resolveNodeId('i=4'), [DataType.Double]: resolveNodeId('i=11') };

// The data type a warm-up tag's name says (WarmUp.Int16.N, WarmUp.Double.N).
function typeOf(nodeId) {
  return String(nodeId.value).includes('.Int16.') ? DataType.Int16 : DataType.Double;
}

// Answers as a server whose nodes are of the types their names say, with values shaped as
// servers send them (both time stamps): reads Good, writes Good.
function standInAnswers() {
  let value = 0;
  const nextValue = (dataType) => {
    value += 0.125;
    return { dataType, value: dataType === DataType.Int16 ? Math.floor(value) % 1000 : value };
  };
  return (request) => {
    switch (request.schema.name) {
      case 'ReadRequest': {
        const now = new Date();
        return new ReadResponse({
          results: request.nodesToRead.map((node) => new DataValue({
            value: node.attributeId === AttributeIds.DataType
              ? { dataType: DataType.NodeId, value: TYPE_IDS[typeOf(node.nodeId)] }
              : nextValue(typeOf(node.nodeId)),
            statusCode: StatusCodes.Good,
            sourceTimestamp: now,
            sourcePicoseconds: 125000,
            serverTimestamp: now,
            serverPicoseconds: 250000,
          })),
        });
      }
      case 'WriteRequest':
        return new WriteResponse({ results: request.nodesToWrite.map(() => StatusCodes.Good) });
      default:
        return null;
    }
  };
}

// The warm-up's client: no certificate, as a client on security None sends none and making one
// would cost the start a key pair; its check of its own certificate is therefore skipped.
const NO_CERTIFICATE = {
  certificateFile: '<in-memory>',
  privateKeyFile: '<in-memory>',
  getCertificate: () => null,
  getCertificateChain: () => [],
  getPrivateKey: () => null,
  getKeyOperations: () => ({}),
  invalidate() {},
};
function createWarmUpClient(options) {
  const client = OPCUAClient.create({ ...options, certificateKeyPairProvider: NO_CERTIFICATE });
  client.initializeCM = async () => {};
  return client;
}

// Runs the cycles and gives the last read's and write's replies. A failed reply stops it with an
// Error: a warm-up that only ran the failure path would leave the real one cold.
async function warmUpBridge(cycles = WARM_UP_CYCLES) {
  const endpoint = await openStandInEndpoint(standInAnswers());
  const session = new Session(createWarmUpClient);
  let id = 0;
  const call = async (request) => {
    let answer;
    await serve(session, JSON.stringify({ id: ++id, ...request }), (line) => { answer = JSON.parse(line); });
    if (!answer.ok) throw new Error(`${request.op}: ${answer.error}`);
    return answer;
  };
  try {
    // As the controller connects, with its own time limits.
    await call({ op: 'connect', endpoint: endpoint.endpointUrl, connectMs: 10000, certificateMs: 10000, callMs: 1000 });
    const readItems = [];
    const writeItems = [];
    for (let n = 1; n <= READ_ITEMS + WRITE_ITEMS; ++n) {
      const reads = n <= READ_ITEMS;
      const int16 = reads ? n <= INT16_READS : n - READ_ITEMS <= INT16_WRITES;
      await call({ op: 'add', tag: `WarmUp.${int16 ? 'Int16' : 'Double'}.${n}` });
      (reads ? readItems : writeItems).push(n);
    }
    const last = {};
    for (let n = 0; n < cycles; ++n) {
      last.read = await call({ items: readItems, op: 'read' });
      last.write = await call({ items: writeItems.map((item, k) => [item, n + k / 8]), op: 'write' });
    }
    return last;
  } finally {
    await session.close();
    await endpoint.close();
  }
}

module.exports = { warmUpBridge };
