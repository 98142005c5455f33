'use strict';
// A private OPC UA endpoint on loopback for the bridge's warm-up: node-opcua's own server-side
// secure channel (security None, no address space, no certificate) that answers each request
// with what answer(request) gives. The bridge's real client connects to it, so the warm-up runs
// the client's socket, chunking and session code as a link's cycles do. It serves one
// connection: it stops listening once that one is taken.
const net = require('net');
const {
  ServerSecureChannelLayer,
  EndpointDescription,
  ApplicationType,
  MessageSecurityMode,
  SecurityPolicy,
  UserTokenType,
  GetEndpointsResponse,
  CreateSessionResponse,
  ActivateSessionResponse,
  CloseSessionResponse,
  ServiceFault,
  StatusCodes,
  resolveNodeId,
} = require('node-opcua');

const BINARY_TRANSPORT = 'http://opcfoundation.org/UA-Profile/Transport/uatcp-uasc-uabinary';

function endpointOf(endpointUrl) {
  return new EndpointDescription({
    endpointUrl,
    securityMode: MessageSecurityMode.None,
    securityPolicyUri: SecurityPolicy.None,
    server: { applicationUri: 'urn:kavro:bridge-warm-up', applicationType: ApplicationType.Server },
    userIdentityTokens: [{ policyId: 'anonymous', tokenType: UserTokenType.Anonymous }],
    transportProfileUri: BINARY_TRANSPORT,
    securityLevel: 1,
  });
}

// The session services a client needs before its reads and writes; anything else answer gives,
// or a fault.
function sessionAnswer(request, endpointUrl, answer) {
  switch (request.schema.name) {
    case 'GetEndpointsRequest': return new GetEndpointsResponse({ endpoints: [endpointOf(endpointUrl)] });
    case 'CreateSessionRequest': return new CreateSessionResponse({
      sessionId: resolveNodeId('ns=1;i=1'),
      authenticationToken: resolveNodeId('ns=1;i=2'),
      revisedSessionTimeout: request.requestedSessionTimeout,
      serverEndpoints: [endpointOf(endpointUrl)],
    });
    case 'ActivateSessionRequest': return new ActivateSessionResponse({});
    case 'CloseSessionRequest': return new CloseSessionResponse({});
    default: return answer(request)
      || new ServiceFault({ responseHeader: { serviceResult: StatusCodes.BadServiceUnsupported } });
  }
}

// Resolves to { endpointUrl, close } once it listens on a free loopback port.
function openStandInEndpoint(answer) {
  const channels = [];
  const listener = net.createServer((socket) => {
    listener.close();
    const channel = new ServerSecureChannelLayer({ parent: null, timeout: 10000 });
    channels.push(channel);
    channel.init(socket, () => {});
    channel.on('message', (message) => {
      channel.send_response('MSG', sessionAnswer(message.request, endpointUrl, answer), message);
    });
  });
  let endpointUrl = '';
  return new Promise((resolve, reject) => {
    listener.once('error', reject);
    listener.listen(0, '127.0.0.1', () => {
      endpointUrl = `opc.tcp://127.0.0.1:${listener.address().port}/bridge-warm-up`;
      resolve({
        endpointUrl,
        // Ends the connection (the channel's own close stops its timers and its socket).
        async close() {
          if (listener.listening) listener.close();
          await Promise.all(channels.map((channel) => new Promise((done) => channel.close(done))));
        },
      });
    });
  });
}

module.exports = { openStandInEndpoint };
