// Serves a folder on localhost as a plain static host would: the MIME types
// the page needs (application/wasm above all) and gzip for every file when
// the browser accepts it.
//   node tools/web/serve.js SITE_DIR [PORT]     (PORT 0: any free port)
// Prints "serving http://127.0.0.1:PORT/" once it listens.
'use strict';
const fs = require('fs');
const http = require('http');
const path = require('path');
const zlib = require('zlib');

const types = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.wasm': 'application/wasm',
  '.data': 'application/octet-stream',
  '.png': 'image/png',
  '.ikr': 'text/plain; charset=utf-8',
};

function serve(root, port, onListening) {
  const compressed = new Map();
  const server = http.createServer((request, response) => {
    const url = new URL(request.url, 'http://localhost');
    let file = path.normalize(path.join(root, decodeURIComponent(url.pathname)));
    if (!file.startsWith(root)) {
      response.writeHead(403).end();
      return;
    }
    if (url.pathname.endsWith('/')) file = path.join(file, 'index.html');
    fs.readFile(file, (error, body) => {
      if (error) {
        response.writeHead(404, {'Content-Type': 'text/plain'}).end('not found');
        return;
      }
      const headers = {'Content-Type': types[path.extname(file)] || 'application/octet-stream',
                       'Cache-Control': 'no-cache'};
      if (/\bgzip\b/.test(request.headers['accept-encoding'] || '')) {
        const key = `${file}:${body.length}`;
        if (!compressed.has(key)) compressed.set(key, zlib.gzipSync(body, {level: 9}));
        body = compressed.get(key);
        headers['Content-Encoding'] = 'gzip';
      }
      headers['Content-Length'] = body.length;
      response.writeHead(200, headers).end(request.method === 'HEAD' ? undefined : body);
    });
  });
  server.listen(port, '127.0.0.1', () => onListening(server));
  return server;
}

if (require.main === module) {
  const root = path.resolve(process.argv[2] || '.');
  serve(root, Number(process.argv[3] || 8080), (server) => {
    console.log(`serving http://127.0.0.1:${server.address().port}/`);
  });
}

module.exports = {serve};
