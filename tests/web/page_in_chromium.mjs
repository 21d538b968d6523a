// The page itself (dist/vexar-web) in Debian's chromium, headless, served
// from 127.0.0.1: the launcher drawn, a game started, paused, ended and
// started again, a choice kept over a reload, the page without WebGL, a
// damaged demo refused, demos going both ways between the page and the
// native game with no departure (a demo played twice in the same page, so
// the second game starts as fresh as the first), and the page's picture
// after a flight against the native ES 2 replay of the same demo.
//   node page_in_chromium.mjs PAGE_FOLDER VEXAR_TOOL ES2_VEXAR_TOOL WORK [--picture PNG]
// VEXAR_TOOL is the native build's (the media beside it); ES2_VEXAR_TOOL one
// linked with the ES 2 renderer. --picture saves the page as PNG while it
// holds the demo's last picture.
import fs from 'node:fs';
import path from 'node:path';
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { openBrowser, servePage, sleep } from './page_host.mjs';
import { colourCount } from './png_colours.mjs';

const [folder, tool, es2Tool, work] = process.argv.slice(2, 6).map(p => path.resolve(p));
const pictureOption = process.argv.indexOf('--picture');
const pagePicture = pictureOption > 0 ? path.resolve(process.argv[pictureOption + 1]) : '';
fs.rmSync(work, { recursive: true, force: true });
fs.mkdirSync(work, { recursive: true });
const server = await servePage(folder);

// A native vexar-tool run that must succeed; its standard output.
function runTool(program, ...args) {
  const run = spawnSync(program, args, { encoding: 'utf8' });
  if (run.status !== 0)
    throw new Error(`${path.basename(program)} ${args[0]}: status ${run.status}: ${run.stderr}`);
  return { out: run.stdout, err: run.stderr };
}

const same = (a, b) => a && b && Buffer.compare(a, b) === 0;
// The canvas's picture as the page shows it.
const picture = tab => tab.locator('#canvas').screenshot();
// One colour all over is a canvas nothing was drawn on.
const drawn = png => colourCount(png) > 16;

// The canvas's picture, or null while it has no size: SDL leaves it 0 x 0
// when a window closes, between the launcher and the game.
async function pictureIfSized(tab) {
  try {
    return await picture(tab);
  } catch (error) {
    if (/has 0 (width|height)/.test(error.message)) return null;
    throw error;
  }
}

// Polls the canvas until `accept(picture, the one before)` (which may wait
// on the page); the picture.
async function waitForPicture(tab, accept, failure, seconds = 60) {
  const end = Date.now() + seconds * 1000;
  for (let before = null; ; await sleep(200)) {
    const now = await pictureIfSized(tab);
    if (now && await accept(now, before)) return now;
    if (Date.now() > end) throw new Error(`${failure} within ${seconds} s`);
    before = now;
  }
}

const framesShown = tab => tab.evaluate(() => window.Module.vexarFramesShown || 0);

// Until `count` more of the game's pictures are shown; how long one took.
async function waitForFrames(tab, count, seconds = 60) {
  const first = await framesShown(tab), started = Date.now();
  await tab.waitForFunction(n => (window.Module.vexarFramesShown || 0) >= n, first + count,
                            { timeout: seconds * 1000, polling: 20 });
  return (Date.now() - started) / count;
}

async function openPage(context) {
  const tab = await context.newPage();
  tab.log = [];
  tab.on('console', message => {
    tab.log.push(message.text());
    console.log(`page: ${message.text()}`);
  });
  tab.on('pageerror', error => {
    tab.log.push(`page error: ${error.message}`);
    console.log(`page error: ${error.message}`);
  });
  await tab.goto(server.address);
  return tab;
}

// The launcher drawn and settled (the pointer off its controls); its picture.
async function waitForLauncher(tab) {
  await tab.waitForFunction(() => window.Module && Module.calledRun, null, { timeout: 60000 });
  await restPointer(tab);
  return waitForPicture(tab, (now, before) => drawn(now) && same(now, before),
                        'no launcher drawn');
}

// A click on the launcher's control at (x, y) in its window, as a hand
// makes it: the pointer there first, the button held a moment.
async function clickLauncher(tab, x, y) {
  const box = await tab.locator('#canvas').boundingBox();
  await tab.mouse.move(box.x + x, box.y + y);
  await sleep(100);
  await tab.mouse.down();
  await sleep(100);
  await tab.mouse.up();
}
const start = tab => clickLauncher(tab, 596, 432);
// The pointer rested in the canvas's corner, off the launcher's controls, so
// that the launcher is drawn with none of them lit.
async function restPointer(tab) {
  const box = await tab.locator('#canvas').boundingBox();
  await tab.mouse.move(box.x + 2, box.y + 2);
}

// A game's frames are shown and change, within ten seconds as the native
// tests allow: two screenshots taken two frames apart were at times the same.
async function expectGameRunning(tab) {
  await waitForFrames(tab, 3);
  const first = await picture(tab);
  const second = await waitForPicture(tab, now => !same(now, first), 'the game\'s frames do not change', 10);
  assert.ok(drawn(second), 'the game drew nothing');
}

// Gives the page a demo through its file chooser.
async function giveDemo(tab, file) {
  await tab.setInputFiles('#demoFile', file);
}

// The native game's flight: the attack route, which turns towards the
// station, recorded as a demo with its checks.
const flightFrames = 60;
const nativeDemo = path.join(work, 'native.demo');
runTool(tool, 'autopilot', '--plan', 'attack', '--seed', '2026', '--frames', String(flightFrames),
        '--out', nativeDemo);

const departures = tab => tab.log.filter(line => /depart/.test(line));

const cases = [];
const test = (name, run) => cases.push({ name, run });

test('the launcher is drawn and the page is named Vexar', async browser => {
  const tab = await openPage(browser);
  await waitForLauncher(tab);
  assert.match(await tab.title(), /Vexar/);
  assert.equal(await tab.locator('h1').textContent(), 'Vexar');
});

test('Start plays, P pauses, Q brings the launcher back and a new game starts', async browser => {
  const tab = await openPage(browser);
  const launcher = await waitForLauncher(tab);
  await start(tab);
  await expectGameRunning(tab);
  const frameMs = await waitForFrames(tab, 3);
  await tab.keyboard.press('p');
  await tab.waitForFunction(() => /paused/.test(document.title), null, { timeout: 10000 });
  const paused = await picture(tab), shown = await framesShown(tab);
  await sleep(Math.max(4 * frameMs, 500));
  assert.ok(same(await picture(tab), paused), 'the picture moved while paused');
  assert.equal(await framesShown(tab), shown, 'frames were shown while paused');
  await tab.keyboard.press('p');
  await waitForFrames(tab, 2);
  assert.doesNotMatch(await tab.title(), /paused/);
  await tab.keyboard.press('q');
  await restPointer(tab);
  await waitForPicture(tab, now => same(now, launcher), 'Q did not bring the launcher back');
  await start(tab);
  await expectGameRunning(tab);
  await tab.keyboard.press('Escape');
  await restPointer(tab);
  await waitForPicture(tab, now => same(now, launcher), 'Esc did not bring the launcher back');
  assert.deepEqual(tab.log.filter(line => /page error|abort/i.test(line)), []);
});

test('a choice made in the launcher is there after a reload', async browser => {
  const tab = await openPage(browser);
  const before = await waitForLauncher(tab);
  await clickLauncher(tab, 230, 12);  // the "3D" switch
  await restPointer(tab);
  const changed = await waitForPicture(tab, (now, last) => !same(now, before) && same(now, last),
                                       'the switch did not change');
  await start(tab);  // the choices are kept once the game has ended
  await waitForFrames(tab, 2);
  await tab.keyboard.press('q');
  await restPointer(tab);
  await waitForPicture(tab, now => same(now, changed), 'Q did not bring the launcher back');
  await tab.reload();
  await waitForLauncher(tab);
  const after = await waitForPicture(tab, now => same(now, changed) || same(now, before),
                                     'the launcher came back otherwise');
  assert.ok(same(after, changed), 'the choice was lost in the reload');
});

test('without WebGL the page says so in words', async () => {
  const browser = await openBrowser(['--disable-webgl']);
  try {
    const tab = await openPage(browser);
    await tab.waitForSelector('.vexar-notice', { timeout: 60000 });
    assert.match(await tab.locator('.vexar-notice').first().textContent(), /No WebGL/);
  } finally {
    await browser.close();
  }
});

test('a damaged demo is refused with its line, in the native game\'s words', async browser => {
  const lines = fs.readFileSync(nativeDemo, 'latin1').split('\n');
  const damaged = path.join(work, 'damaged.demo');
  lines[10] = '35 pointer x y';
  fs.writeFileSync(damaged, lines.join('\n'));
  const native = spawnSync(tool, ['replay', '--demo', damaged, '--out', path.join(work, 'refused')],
                           { encoding: 'utf8' });
  assert.equal(native.status, 1, 'the native game plays the damaged demo');
  const reason = native.stderr.match(/(line 11: .*)/)[1];
  const tab = await openPage(browser);
  await waitForLauncher(tab);
  await giveDemo(tab, damaged);
  await tab.waitForSelector('.vexar-notice', { timeout: 20000 });
  const notice = await tab.locator('.vexar-notice').first().textContent();
  assert.match(notice, /This demo cannot be played/);
  assert.ok(notice.includes(`damaged.demo: ${reason}`), `the page says: ${notice}`);
});

// Plays a demo in the page to its end; its last picture, which stays on the
// screen two seconds before the launcher comes back: the picture that held
// still last before the launcher is that one.
async function playDemoToItsEnd(tab, launcher, file) {
  await giveDemo(tab, file);
  await waitForFrames(tab, 3, 60);
  let held = null;
  await waitForPicture(tab, async (now, before) => {
    if (same(now, launcher)) return held !== null;
    if (same(now, before)) {
      if (!held && pagePicture) await tab.screenshot({ path: pagePicture });
      held = now;
    }
    return false;
  }, 'the launcher did not come back after the demo', 120);
  return held;
}

test('a native demo plays twice in the page with no departure, its picture the native ES 2 one', async browser => {
  const tab = await openPage(browser);
  const launcher = await waitForLauncher(tab);
  const first = await playDemoToItsEnd(tab, launcher, nativeDemo);
  assert.deepEqual(departures(tab), []);
  const held = await playDemoToItsEnd(tab, launcher, nativeDemo);
  assert.deepEqual(departures(tab), [], 'the second game inherited something of the first');
  assert.ok(same(first, held), 'the demo ended on another picture the second time');
  const pagePng = path.join(work, 'page-last-frame.png');
  fs.writeFileSync(pagePng, held);

  const es2 = path.join(work, 'native-es2');
  runTool(es2Tool, 'replay', '--demo', nativeDemo, '--media', path.join(path.dirname(tool), 'media'),
          '--screenshot', String(flightFrames), '--out', es2);
  const nativePng = path.join(es2, `frame-${String(flightFrames).padStart(6, '0')}.png`);
  const figures = runTool(tool, 'compare', nativePng, pagePng).out;
  console.log(`page against native ES 2: ${figures.replace(/\n/g, '; ')}`);
  const share = Number(figures.match(/more than 16 levels: ([0-9.]+) %/)[1]);
  const mean = Number(figures.match(/mean difference: ([0-9.]+) levels/)[1]);
  assert.ok(share <= 1.0 && mean < 2.0, `the page's picture differs too much: ${figures}`);
});

test('a demo recorded in the page replays natively with no departure', async browser => {
  const tab = await openPage(browser);
  await waitForLauncher(tab);
  await tab.check('#record');
  await start(tab);
  await waitForFrames(tab, 3);
  const box = await tab.locator('#canvas').boundingBox();
  await tab.keyboard.down('ArrowUp');
  await tab.mouse.move(box.x + 400, box.y + 200);
  await waitForFrames(tab, 4);
  await tab.keyboard.up('ArrowUp');
  await tab.mouse.down();
  await waitForFrames(tab, 3);
  await tab.mouse.up();
  await tab.mouse.move(box.x + 200, box.y + 300);
  await waitForFrames(tab, 3);
  const download = tab.waitForEvent('download', { timeout: 30000 });
  await tab.keyboard.press('q');
  const demo = path.join(work, 'page.demo');
  await (await download).saveAs(demo);
  const text = fs.readFileSync(demo, 'latin1');
  assert.match(text, /^vexar-demo /);
  const replay = runTool(tool, 'replay', '--demo', demo, '--out', path.join(work, 'page-replay'));
  assert.doesNotMatch(replay.err, /depart/);
});

let failed = 0;
const browser = await openBrowser();
for (const { name, run } of cases) {
  const context = await browser.newContext({ viewport: { width: 1100, height: 720 } });
  try {
    await run(context);
    console.log(`ok: ${name}`);
  } catch (error) {
    failed += 1;
    console.log(`FAILED: ${name}: ${error.message}`);
  } finally {
    await context.close();
  }
}
await browser.close();
server.close();
process.exit(failed ? 1 : 0);
