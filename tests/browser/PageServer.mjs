// A static file server on 127.0.0.1, as a web host serves a published page: .html goes out as
// text/html without a character set. It keeps every request it answered, so a test can tell what
// a page asked for.

import { createServer } from 'node:http';
import { readFile } from 'node:fs/promises';
import { resolve, sep } from 'node:path';

const kTypes = { '.html': 'text/html', '.jpg': 'image/jpeg' };

export class PageServer {
  static async start(root) {
    const server = new PageServer(resolve(root));
    await new Promise((done) => server.http.listen(0, '127.0.0.1', done));
    server.url = `http://127.0.0.1:${server.http.address().port}`;
    return server;
  }

  constructor(root) {
    this.root = root;
    this.requests = [];
    this.http = createServer((request, response) => this.answer(request, response));
  }

  async answer(request, response) {
    const path = new URL(request.url, 'http://host').pathname;
    // Browsers ask for an icon the pages do not have; that is no missing file of theirs.
    let status = path === '/favicon.ico' ? 204 : 404;
    let body = '';
    let type = 'text/plain';
    try {
      const file = resolve(this.root, `.${decodeURIComponent(path)}`);
      if (file.startsWith(this.root + sep)) {
        body = await readFile(file);
        status = 200;
        type = kTypes[file.slice(file.lastIndexOf('.'))] ?? 'application/octet-stream';
      }
    } catch {
      // Not there: 404.
    }
    this.requests.push({ path, status });
    response.writeHead(status, { 'Content-Type': type });
    response.end(body);
  }

  close() {
    this.http.closeAllConnections();
    return new Promise((done) => this.http.close(done));
  }
}
