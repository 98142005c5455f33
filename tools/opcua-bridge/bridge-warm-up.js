'use strict';
// The bridge runs its own per-cycle path before it answers its first request. node compiles
// JavaScript to machine code only once it has run a while: without this, the first thousand
// cycles after connecting ran the bridge in the interpreter, with the compiler beside it on the
// same cores, and took several times as long as later ones. The warm-up serves request lines as
// the controller's are served (adds, then reads and writes of as many items as a link has),
// through a stand-in for the OPC UA session that codes each request and answer to the binary
// form they take on the wire and back. Nothing reaches a server or the reply channel.
const {
  BinaryStream,
  DataType,
  DataValue,
  ReadRequest,
  ReadResponse,
  StatusCodes,
  TimestampsToReturn,
  WriteRequest,
  WriteResponse,
  AttributeIds,
  resolveNodeId,
} = require('node-opcua');
const { Session } = require('./session');
const { serve } = require('./requests');
const { READ_ITEMS, WRITE_ITEMS } = require('./link-items');

// Cycles run: enough for node to have compiled the whole path.
const WARM_UP_CYCLES = 2000;

// A message as the other end decodes it.
function overTheWire(message, Type) {
  const stream = new BinaryStream(message.binaryStoreSize());
  message.encode(stream);
  stream.rewind();
  const decoded = new Type();
  decoded.decode(stream);
  return decoded;
}

// The items' data types: a link's first read items and first write item are 16-bit integers
// (the controller's on/off, watchdog and run frequency tags), the rest Double.
const INT16_READS = 3;
const INT16_WRITES = 1;
const TYPE_IDS = { [DataType.Int16]: resolveNodeId('i=4'), [DataType.Double]: resolveNodeId('i=11') };

// The data type a warm-up tag's name says (WarmUp.Int16.N, WarmUp.Double.N).
function typeOf(nodeId) {
  return String(nodeId.value).includes('.Int16.') ? DataType.Int16 : DataType.Double;
}

// Answers as a server whose nodes are of the types their names say, with values shaped as servers
// send them (both time stamps): reads Good, writes Good.
class StandInSession {
  constructor() {
    this.value = 0;
  }

  async read(nodes) {
    const many = Array.isArray(nodes);
    const request = overTheWire(
      new ReadRequest({ maxAge: 0, nodesToRead: many ? nodes : [nodes], timestampsToReturn: TimestampsToReturn.Both }),
      ReadRequest);
    const now = new Date();
    const results = request.nodesToRead.map((node) => new DataValue({
      value: node.attributeId === AttributeIds.DataType
        ? { dataType: DataType.NodeId, value: TYPE_IDS[typeOf(node.nodeId)] }
        : this.nextValue(typeOf(node.nodeId)),
      statusCode: StatusCodes.Good,
      sourceTimestamp: now,
      sourcePicoseconds: 125000,
      serverTimestamp: now,
      serverPicoseconds: 250000,
    }));
    const { results: values } = overTheWire(new ReadResponse({ results }), ReadResponse);
    return many ? values : values[0];
  }

  async write(nodesToWrite) {
    const request = overTheWire(new WriteRequest({ nodesToWrite }), WriteRequest);
    return overTheWire(new WriteResponse({ results: request.nodesToWrite.map(() => StatusCodes.Good) }), WriteResponse)
      .results;
  }

  nextValue(dataType) {
    this.value += 0.125;
    return { dataType, value: dataType === DataType.Int16 ? Math.floor(this.value) % 1000 : this.value };
  }

  async getBuiltInDataType(nodeId) {
    return typeOf(nodeId);
  }

  async close() {}
}

// Runs the cycles and gives the last read's and write's replies. A failed reply stops it with an
// Error: a warm-up that only ran the failure path would leave the real one cold.
async function warmUpBridge(cycles = WARM_UP_CYCLES) {
  const session = new Session();
  session.attach(new StandInSession(), 1000);
  let id = 0;
  const call = async (request) => {
    let answer;
    await serve(session, JSON.stringify({ id: ++id, ...request }), (line) => { answer = JSON.parse(line); });
    if (!answer.ok) throw new Error(`${request.op}: ${answer.error}`);
    return answer;
  };
  const readItems = [];
  const writeItems = [];
  for (let n = 1; n <= READ_ITEMS + WRITE_ITEMS; ++n) {
    const reads = n <= READ_ITEMS;
    const int16 = reads ? n <= INT16_READS : n - READ_ITEMS <= INT16_WRITES;
    await call({ op: 'add', tag: `WarmUp.${int16 ? 'Int16' : 'Double'}.${n}` });
    (reads ? readItems : writeItems).push(n);
  }
  const last = {};
  try {
    for (let n = 0; n < cycles; ++n) {
      last.read = await call({ items: readItems, op: 'read' });
      last.write = await call({ items: writeItems.map((item, k) => [item, n + k / 8]), op: 'write' });
    }
  } finally {
    await session.close();
  }
  return last;
}

module.exports = { warmUpBridge, StandInSession };
