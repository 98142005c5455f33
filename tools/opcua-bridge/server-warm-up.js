'use strict';
// The simulator's OPC UA server runs a client's read and write through itself before it reports
// ready. node compiles JavaScript to machine code only once it has run a while: without this,
// the first thousand cycles of the first client to connect ran the server's hot path in the
// interpreter, with the compiler beside it on the same cores, and each took up to ten times as
// long as later ones. The client is our own, in this process, over loopback, on nodes of its
// own that are removed before the server says it is ready: no plant tag is read or written.
const crypto = require('crypto');
const path = require('path');
const {
  OPCUAClient,
  OPCUACertificateManager,
  MessageSecurityMode,
  SecurityPolicy,
  AttributeIds,
  DataType,
  UserTokenType,
} = require('node-opcua');

const { READ_ITEMS, WRITE_ITEMS } = require('./link-items');

// Cycles run through the server: enough for node to have compiled the whole path.
const WARM_UP_CYCLES = 1500;

// A value of the data type for the warm-up's write n.
function valueOf(dataType, n) {
  switch (dataType) {
    case DataType.Boolean: return n % 2 === 1;
    case DataType.String: return String(n);
    case DataType.Int16: case DataType.Int32: return n % 1000;
    default: return n / 8;
  }
}

// addNode(name, dataType, value) adds a node as every tag is made and returns it; the nodes are removed
// with removeNode whatever happens. types: the data types of the tags (the read nodes take them
// in order, the write nodes take each type there is in turn; Double when there are none). user: { userName,
// password } when sessions must log in. Throws when the server refuses a read or write of its
// own nodes.
async function warmUpServer({ endpoint, pki, user, types, addNode, removeNode, cycles = WARM_UP_CYCLES }) {
  const kinds = [...new Set(types)];
  const typeOf = (list, k) => (list.length ? list[k % list.length] : DataType.Double);
  const readNodes = [];
  const writeNodes = [];
  // Named as tags are (a string in the server's namespace), by a name no plant will have.
  const prefix = `kavro-plantsim-warm-up-${crypto.randomBytes(8).toString('hex')}`;
  for (let k = 0; k < READ_ITEMS; ++k) {
    readNodes.push(addNode(`${prefix}.${k + 1}`, typeOf(types, k), valueOf(typeOf(types, k), k)));
  }
  for (let k = 0; k < WRITE_ITEMS; ++k) {
    const dataType = typeOf(kinds, k);
    writeNodes.push({ dataType, node: addNode(`${prefix}.${READ_ITEMS + k + 1}`, dataType, valueOf(dataType, 0)) });
  }
  const clientCertificateManager = new OPCUACertificateManager({
    rootFolder: path.join(pki, 'warm-up-client'),
    automaticallyAcceptUnknownCertificate: true,
  });
  const client = OPCUAClient.create({
    applicationName: 'kavro-plantsim-warm-up',
    securityMode: MessageSecurityMode.None,
    securityPolicy: SecurityPolicy.None,
    endpointMustExist: false,
    connectionStrategy: { maxRetry: 0 },
    // The chunk size the controller's bridge asks for, so the same path is compiled.
    transportSettings: { receiveBufferSize: 8192, sendBufferSize: 8192 },
    clientCertificateManager,
  });
  try {
    await client.connect(endpoint);
    const session = await client.createSession(
      user ? { type: UserTokenType.UserName, userName: user.userName, password: user.password } : undefined);
    try {
      const nodesToRead = readNodes.map((node) => ({ nodeId: node.nodeId, attributeId: AttributeIds.Value }));
      for (let n = 0; n < cycles; ++n) {
        const values = await session.read(nodesToRead);
        const written = await session.write(writeNodes.map(({ dataType, node }, k) => ({
          nodeId: node.nodeId,
          attributeId: AttributeIds.Value,
          value: { value: { dataType, value: valueOf(dataType, n + k) } },
        })));
        // A warm-up that only ran the refusal path would leave the real one cold.
        const refused = [...values.map((v) => v.statusCode), ...written].find((code) => !code.isGood());
        if (refused) throw new Error(`the server refused its own warm-up: ${refused.name}`);
      }
    } finally {
      await session.close();
    }
  } finally {
    await client.disconnect();
    for (const node of [...readNodes, ...writeNodes.map((w) => w.node)]) removeNode(node);
  }
}

module.exports = { warmUpServer };
