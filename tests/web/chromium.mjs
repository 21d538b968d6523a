// What the browser tests share: Debian's chromium, headless, driven by
// playwright-core (installed into tools/web by scripts/web-deps), with WebGL
// on SwiftShader since this machine has no GPU; and a static server of the
// test's own on 127.0.0.1, as any web host would serve the files.
import http from 'node:http';
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';

const root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../..');
const { chromium } = await import(
  pathToFileURL(path.join(root, 'tools/web/node_modules/playwright-core/index.mjs')));

const flags = ['--enable-unsafe-swiftshader', '--use-angle=swiftshader', '--no-sandbox'];

export function openChromium(extraFlags = []) {
  return chromium.launch({ executablePath: process.env.VEXAR_CHROMIUM || '/usr/bin/chromium',
                           headless: true, args: [...flags, ...extraFlags] });
}

const types = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm' };

// Serves the files below `folder`, and `pages` (path name → HTML) as given;
// resolves to the address and a way to stop.
export async function serveFolder(folder, pages = {}) {
  const top = path.resolve(folder);
  const server = http.createServer((request, response) => {
    let name = decodeURIComponent(new URL(request.url, 'http://127.0.0.1').pathname);
    if (name in pages) {
      response.writeHead(200, { 'Content-Type': 'text/html' });
      return response.end(pages[name]);
    }
    if (name === '/') name = '/index.html';
    const file = path.join(top, path.normalize(name));
    if (!file.startsWith(top + path.sep) || !fs.existsSync(file) || fs.statSync(file).isDirectory()) {
      response.writeHead(404);
      return response.end();
    }
    response.writeHead(200, { 'Content-Type': types[path.extname(file)] || 'application/octet-stream' });
    fs.createReadStream(file).pipe(response);
  });
  await new Promise(done => server.listen(0, '127.0.0.1', done));
  return { address: `http://127.0.0.1:${server.address().port}/`, close: () => server.close() };
}
