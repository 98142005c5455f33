'use strict';
// One connection to one OPC UA server and the items the controller added to it. Item numbers
// are the bridge's own (1, 2, ...); the controller keeps them as its item handles.
const fs = require('fs');
const path = require('path');
const {
  OPCUAClient,
  OPCUACertificateManager,
  MessageSecurityMode,
  SecurityPolicy,
  AttributeIds,
  UserTokenType,
  resolveNodeId,
  DataType,
} = require('node-opcua');
const { MAX_ITEM_NAME, nodeIdText, valueForController, variantFor, withTimeLimit } = require('./convert');

// Every time limit comes from the controller with the connect (connectMs for reaching the server
// and again for the session, certificateMs for making the own certificate, callMs for each later
// call): the controller waits for exactly these, so the bridge has none of its own.
function timeLimit(request, name) {
  const ms = request[name];
  if (!Number.isInteger(ms) || ms <= 0) throw new Error(`connect needs ${name}, a time limit in milliseconds`);
  return ms;
}

// Message chunks of 8 KB (the least a server must take) instead of node-opcua's 64 KB: every
// request and every answer takes a fresh chunk buffer of this size on each side, and 64 KB
// buffers at each call had the garbage collector run every 30 calls, pausing the call it ran
// in. A read of all 200 items fits in one chunk; a longer message goes in several.
const TRANSPORT = { receiveBufferSize: 8192, sendBufferSize: 8192 };

const SECURITY = {
  None: [MessageSecurityMode.None, SecurityPolicy.None],
  Sign: [MessageSecurityMode.Sign, SecurityPolicy.Basic256Sha256],
  SignAndEncrypt: [MessageSecurityMode.SignAndEncrypt, SecurityPolicy.Basic256Sha256],
};

// The user name and password of a file that only its owner may read: first line the user name,
// second line the password. A file others may read is refused rather than used.
function readUserIdentity(userFile) {
  if (!userFile || !fs.existsSync(userFile)) return undefined;
  const stat = fs.statSync(userFile);
  if ((stat.mode & 0o077) !== 0) {
    throw new Error(`${userFile} may be read by others: allow only its owner (chmod 600) before it is used`);
  }
  const [userName = '', password = ''] = fs.readFileSync(userFile, 'utf8').split(/\r?\n/);
  if (userName.trim() === '') return undefined;
  return { type: UserTokenType.UserName, userName: userName.trim(), password };
}

function untrustedServerMessage(endpoint, pki) {
  return (
    `the certificate of server ${endpoint} is not trusted; it was saved in ` +
    `${path.join(pki, 'rejected')}: move it to ${path.join(pki, 'trusted', 'certs')} to trust this server`
  );
}

class Session {
  // createClient(options) makes the OPC UA client of a connect; the warm-up gives its own, so
  // that it runs the connect and the calls through this same class.
  constructor(createClient = (options) => OPCUAClient.create(options)) {
    this.createClient = createClient;
    this.client = null;
    this.session = null;
    this.items = [];  // index + 1 = item number; null once removed
    this.namespaceIndex = 1;
    this.callMs = 0;  // set by the connect; nothing is called before it
  }

  async handle(request) {
    switch (request.op) {
      case 'connect': return this.connect(request);
      case 'add': return this.add(request);
      case 'read': return this.read(request);
      case 'write': return this.write(request);
      case 'remove': return this.remove(request);
      case 'disconnect': await this.close(); return {};
      case 'ping': return {};
      default: throw new Error(`unknown operation ${request.op}`);
    }
  }

  async connect(request) {
    const { endpoint, security = 'None', pki, userFile, namespace = 1 } = request;
    await this.close();
    if (typeof endpoint !== 'string' || !endpoint.startsWith('opc.tcp://')) {
      throw new Error(`${endpoint} is not an opc.tcp:// endpoint`);
    }
    const mode = SECURITY[security];
    if (!mode) throw new Error(`unknown security mode ${security} (None, Sign or SignAndEncrypt)`);
    this.namespaceIndex = Number.isInteger(namespace) && namespace >= 0 ? namespace : 1;
    const limit = timeLimit(request, 'connectMs');
    const certificateLimit = timeLimit(request, 'certificateMs');
    this.callMs = timeLimit(request, 'callMs');
    const identity = readUserIdentity(userFile);

    let clientCertificateManager;
    if (pki) {
      // Creates pki/own with the controller's certificate on first use.
      clientCertificateManager = new OPCUACertificateManager({
        rootFolder: pki,
        automaticallyAcceptUnknownCertificate: false,
      });
      await withTimeLimit(clientCertificateManager.initialize(), certificateLimit, 'creating the certificate');
    }
    const client = this.createClient({
      applicationName: 'Kavro',
      applicationUri: 'urn:kavro:controller',
      securityMode: mode[0],
      securityPolicy: mode[1],
      endpointMustExist: false,
      keepSessionAlive: true,
      requestedSessionTimeout: 60000,
      connectionStrategy: { maxRetry: 0, initialDelay: 100, maxDelay: 200 },
      transportSettings: TRANSPORT,
      clientCertificateManager,
    });
    this.client = client;
    try {
      await withTimeLimit(client.connect(endpoint), limit, `connecting ${endpoint}`);
      this.session = await withTimeLimit(client.createSession(identity), limit, `opening a session on ${endpoint}`);
    } catch (err) {
      await this.close();
      if (/certificate verification failed/i.test(String(err && err.message))) {
        throw new Error(untrustedServerMessage(endpoint, pki || '.'));
      }
      throw err;
    }
    this.items = [];
    return {};
  }

  requireSession() {
    if (!this.session) throw new Error('not connected');
    return this.session;
  }

  async add({ tag }) {
    const session = this.requireSession();
    if (typeof tag !== 'string' || tag.trim() === '') throw new Error('no item name');
    if (tag.length >= MAX_ITEM_NAME) throw new Error(`item name of ${tag.length} characters is too long`);
    let nodeId;
    try {
      nodeId = resolveNodeId(nodeIdText(tag, this.namespaceIndex));
    } catch {
      throw new Error(`${tag} is not a node id`);
    }
    const read = await withTimeLimit(
      session.read({ nodeId, attributeId: AttributeIds.DataType }), this.callMs, `adding ${tag}`);
    if (!read.statusCode.isGood()) throw new Error(`${tag}: no such node (${read.statusCode.name})`);
    const dataType = await withTimeLimit(session.getBuiltInDataType(nodeId), this.callMs, `adding ${tag}`);
    this.items.push({ tag, nodeId, dataType });
    return { item: this.items.length, dataType: DataType[dataType] };
  }

  item(number) {
    return Number.isInteger(number) && number >= 1 ? this.items[number - 1] || null : null;
  }

  // One read of every item asked for: values in the same order, null where there is none.
  async read({ items }) {
    const session = this.requireSession();
    if (!Array.isArray(items)) throw new Error('no items');
    const known = items.map((n) => this.item(n));
    const nodesToRead = known.filter(Boolean).map((it) => ({ nodeId: it.nodeId, attributeId: AttributeIds.Value }));
    const dataValues = nodesToRead.length
      ? await withTimeLimit(session.read(nodesToRead), this.callMs, 'reading')
      : [];
    let next = 0;
    const values = [];
    const status = [];
    for (const it of known) {
      if (!it) {
        values.push(null);
        status.push('BadInvalidArgument');
        continue;
      }
      const dv = dataValues[next++];
      values.push(valueForController(dv));
      status.push(dv && dv.statusCode ? dv.statusCode.name : 'Bad');
    }
    return { values, status };
  }

  // One write of every [item, value] pair; the status of each, in the same order. A value that
  // the node's type cannot take is not sent and reports BadTypeMismatch.
  async write({ items }) {
    const session = this.requireSession();
    if (!Array.isArray(items)) throw new Error('no items');
    const status = new Array(items.length).fill('BadTypeMismatch');
    const nodesToWrite = [];
    const slots = [];
    items.forEach((pair, k) => {
      const it = Array.isArray(pair) ? this.item(pair[0]) : null;
      if (!it) {
        status[k] = 'BadInvalidArgument';
        return;
      }
      try {
        nodesToWrite.push({
          nodeId: it.nodeId,
          attributeId: AttributeIds.Value,
          value: { value: variantFor(pair[1], it.dataType) },
        });
        slots.push(k);
      } catch {
        // stays BadTypeMismatch
      }
    });
    if (nodesToWrite.length) {
      const codes = await withTimeLimit(session.write(nodesToWrite), this.callMs, 'writing');
      codes.forEach((code, n) => { status[slots[n]] = code.name; });
    }
    return { status };
  }

  async remove({ item }) {
    if (this.item(item)) this.items[item - 1] = null;
    return {};
  }

  async close() {
    const { client, session } = this;
    this.session = null;
    this.client = null;
    this.items = [];
    if (session) await withTimeLimit(session.close(), 1000, 'closing the session').catch(() => {});
    if (client) await withTimeLimit(client.disconnect(), 1000, 'disconnecting').catch(() => {});
  }
}

module.exports = { Session, readUserIdentity, untrustedServerMessage };
