'use strict';
// One request line served: its reply, {"id":N,"ok":true,...} or {"id":N,"ok":false,"error":...},
// handed to reply as one line. The bridge serves the controller's lines with it, and its warm-up
// serves its own the same way.

async function serve(session, line, reply) {
  let request;
  try {
    request = JSON.parse(line);
  } catch {
    reply(JSON.stringify({ id: null, ok: false, error: 'request is not JSON' }) + '\n');
    return;
  }
  const id = Number.isInteger(request.id) ? request.id : null;
  let result;
  try {
    result = { ok: true, ...(await session.handle(request)) };
  } catch (err) {
    result = { ok: false, error: String(err && err.message ? err.message : err) };
  }
  reply(JSON.stringify({ id, ...result }) + '\n');
}

module.exports = { serve };
