// The page itself (dist/vexar-web) in Debian's chromium, headless, driven by
// playwright-core, served from 127.0.0.1 by a server of the test's own: the
// launcher drawn, a game started, played, paused and ended, a choice kept
// over a reload, and the page without WebGL.
//   node page_in_chromium.mjs PAGE_FOLDER
import http from 'node:http';
import fs from 'node:fs';
import path from 'node:path';
import assert from 'node:assert/strict';
import { fileURLToPath, pathToFileURL } from 'node:url';

const here = path.dirname(fileURLToPath(import.meta.url));
const root = path.resolve(here, '../..');
const { chromium } = await import(
  pathToFileURL(path.join(root, 'tools/web/node_modules/playwright-core/index.mjs')));
const folder = path.resolve(process.argv[2]);

const types = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm' };
const server = http.createServer((request, response) => {
  let name = new URL(request.url, 'http://127.0.0.1').pathname;
  if (name === '/') name = '/index.html';
  const file = path.join(folder, path.normalize(name));
  if (!file.startsWith(folder) || !fs.existsSync(file) || fs.statSync(file).isDirectory()) {
    response.writeHead(404);
    return response.end();
  }
  response.writeHead(200, { 'Content-Type': types[path.extname(file)] || 'application/octet-stream' });
  fs.createReadStream(file).pipe(response);
});
await new Promise(done => server.listen(0, '127.0.0.1', done));
const address = `http://127.0.0.1:${server.address().port}/`;
const flags = ['--enable-unsafe-swiftshader', '--use-angle=swiftshader', '--no-sandbox'];

async function openBrowser(extra = []) {
  return chromium.launch({ executablePath: process.env.VEXAR_CHROMIUM || '/usr/bin/chromium',
                           headless: true, args: [...flags, ...extra] });
}

async function openPage(browser, context) {
  const tab = await (context || browser).newPage();
  tab.on('console', message => console.log(`page: ${message.text()}`));
  tab.on('pageerror', error => console.log(`page error: ${error.message}`));
  await tab.goto(address);
  return tab;
}

// Two pictures the same, byte for byte.
const same = (a, b) => Buffer.compare(a, b) === 0;
const sleep = ms => new Promise(done => setTimeout(done, ms));
// The canvas's picture as the page shows it.
const picture = tab => tab.locator('#canvas').screenshot();
// A picture that is not one colour all over: something was drawn.
function drawn(png) { return new Set(png.subarray(png.length / 2, png.length / 2 + 4096)).size > 8; }

// The launcher is up once the game waits in it: its canvas drawn.
async function waitForLauncher(tab) {
  await tab.waitForFunction(() => window.Module && Module.calledRun, null, { timeout: 60000 });
  await sleep(1500);
  await tab.mouse.move(5, 5);
  await sleep(500);
}

// A click on the launcher's control at (x, y) in its window.
async function clickLauncher(tab, x, y) {
  const box = await tab.locator('#canvas').boundingBox();
  await tab.mouse.click(box.x + x, box.y + y);
}

const cases = [];
const test = (name, run) => cases.push({ name, run });

test('the launcher is drawn and the page is named Vexar', async browser => {
  const tab = await openPage(browser);
  await waitForLauncher(tab);
  assert.match(await tab.title(), /Vexar/);
  assert.equal(await tab.locator('h1').textContent(), 'Vexar');
  assert.ok(drawn(await picture(tab)), 'the launcher canvas is blank');
});

test('Start plays, P pauses, Q brings the launcher back', async browser => {
  const tab = await openPage(browser);
  await waitForLauncher(tab);
  const launcher = await picture(tab);
  await clickLauncher(tab, 596, 432);  // Start
  await sleep(3000);
  const first = await picture(tab);
  await sleep(700);
  const second = await picture(tab);
  assert.ok(drawn(second), 'the game drew nothing');
  assert.ok(!same(first, second), 'the game\'s frames do not change');
  await tab.keyboard.press('p');
  await sleep(500);
  assert.match(await tab.title(), /paused/);
  const paused = await picture(tab);
  await sleep(500);
  assert.ok(same(await picture(tab), paused), 'the picture moved while paused');
  await tab.keyboard.press('q');
  await waitForLauncher(tab);
  assert.ok(same(await picture(tab), launcher), 'Q did not bring the launcher back');
  assert.doesNotMatch(await tab.title(), /paused/);
});

test('a choice made in the launcher is there after a reload', async browser => {
  const context = await browser.newContext();
  let tab = await openPage(browser, context);
  await waitForLauncher(tab);
  const before = await picture(tab);
  await clickLauncher(tab, 230, 12);  // the "3D" switch
  await sleep(500);
  await clickLauncher(tab, 596, 432);  // Start: the choices are kept
  await sleep(2000);
  await tab.keyboard.press('q');
  await waitForLauncher(tab);
  const changed = await picture(tab);
  assert.ok(!same(changed, before), 'the switch did not change');
  await sleep(1000);  // the browser's storage written back
  await tab.close();
  tab = await openPage(browser, context);
  await waitForLauncher(tab);
  assert.ok(same(await picture(tab), changed), 'the choice was lost in the reload');
  await context.close();
});

test('without WebGL the page says so in words', async () => {
  const browser = await openBrowser(['--disable-webgl']);
  try {
    const tab = await openPage(browser);
    await tab.waitForSelector('.vexar-notice', { timeout: 60000 });
    assert.match(await tab.locator('.vexar-notice').first().textContent(), /no WebGL/);
  } finally {
    await browser.close();
  }
});

let failed = 0;
const browser = await openBrowser();
for (const { name, run } of cases) {
  try {
    await run(browser);
    console.log(`ok: ${name}`);
  } catch (error) {
    failed += 1;
    console.log(`FAILED: ${name}: ${error.message}`);
  }
}
await browser.close();
server.close();
process.exit(failed ? 1 : 0);
