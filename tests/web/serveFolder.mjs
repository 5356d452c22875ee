// A folder served on 127.0.0.1 at a free port for the browser tests, with or without the two
// headers that make a page cross-origin isolated (and so able to share memory between threads).
import { readFileSync } from 'node:fs';
import { createServer } from 'node:http';
import { extname, join, normalize } from 'node:path';

const types = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm',
                '.txt': 'text/plain', '.webmanifest': 'application/manifest+json',
                '.svg': 'image/svg+xml', '.png': 'image/png' };

// options.isolated: send Cross-Origin-Opener-Policy and Cross-Origin-Embedder-Policy.
// Returns { origin, close, requests } where requests counts the files asked for by path.
export async function serveFolder(folder, options = {}) {
  const requests = new Map();
  const server = createServer((request, response) => {
    const path = normalize(decodeURIComponent(new URL(request.url, 'http://x').pathname));
    requests.set(path, (requests.get(path) || 0) + 1);
    const file = join(folder, path.endsWith('/') ? `${path}index.html` : path);
    const headers = {};
    if (options.isolated) {
      headers['Cross-Origin-Opener-Policy'] = 'same-origin';
      headers['Cross-Origin-Embedder-Policy'] = 'require-corp';
    }
    try {
      const body = readFileSync(file);
      headers['Content-Type'] = types[extname(file)] || 'application/octet-stream';
      response.writeHead(200, headers);
      response.end(body);
    } catch {
      response.writeHead(404, headers);
      response.end();
    }
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  return {
    origin: `http://127.0.0.1:${server.address().port}`,
    requests,
    close: () => new Promise((resolve) => {
      server.closeAllConnections();
      server.close(resolve);
    }),
  };
}
