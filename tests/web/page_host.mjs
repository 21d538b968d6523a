// A page folder served from 127.0.0.1 by a server of the test's own, and
// Debian's chromium, headless, driven by playwright-core, with WebGL drawn in
// software (this machine has no GPU).
import http from 'node:http';
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';

const here = path.dirname(fileURLToPath(import.meta.url));
const root = path.resolve(here, '../..');
export const { chromium } = await import(
  pathToFileURL(path.join(root, 'tools/web/node_modules/playwright-core/index.mjs')));

const types = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm' };

// Serves `folder`, and `pages` (path name -> HTML) as given; resolves to the
// server, the page's address and a way to stop.
export async function servePage(folder, pages = {}) {
  folder = path.resolve(folder);
  const server = http.createServer((request, response) => {
    let name = decodeURIComponent(new URL(request.url, 'http://127.0.0.1').pathname);
    if (name in pages) {
      response.writeHead(200, { 'Content-Type': 'text/html' });
      return response.end(pages[name]);
    }
    if (name === '/') name = '/index.html';
    const file = path.join(folder, path.normalize(name));
    if (!file.startsWith(folder + path.sep) || !fs.existsSync(file) || fs.statSync(file).isDirectory()) {
      response.writeHead(404);
      return response.end();
    }
    response.writeHead(200, { 'Content-Type': types[path.extname(file)] || 'application/octet-stream' });
    fs.createReadStream(file).pipe(response);
  });
  await new Promise(done => server.listen(0, '127.0.0.1', done));
  return { server, address: `http://127.0.0.1:${server.address().port}/`, close: () => server.close() };
}

// WebGL drawn by Chromium's own SwiftShader, or by Mesa's llvmpipe (the
// desktop game's software renderer), through ANGLE on EGL.
export const renderers = {
  swiftshader: ['--enable-unsafe-swiftshader', '--use-angle=swiftshader'],
  llvmpipe: ['--use-angle=gl-egl', '--ignore-gpu-blocklist'],
};

export function openBrowser(extra = [], renderer = 'swiftshader') {
  return chromium.launch({
    executablePath: process.env.VEXAR_CHROMIUM || '/usr/bin/chromium', headless: true,
    args: [...renderers[renderer], '--no-sandbox', ...extra] });
}

export const sleep = ms => new Promise(done => setTimeout(done, ms));

// Runs each case by name, saying how it went; the failed ones' count.
export async function runCases(cases) {
  let failed = 0;
  for (const [name, run] of Object.entries(cases)) {
    try {
      await run();
      console.log(`ok: ${name}`);
    } catch (error) {
      failed += 1;
      console.log(`FAILED: ${name}: ${error.message}`);
    }
  }
  return failed;
}
