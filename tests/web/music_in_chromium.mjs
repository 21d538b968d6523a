// The page's song in Debian's chromium, headless: with Music on, after Start,
// the synthesiser in the page is sent the song's notes by the game's own
// sequencer and its output is heard (not silent); with Music off, nothing.
//   node music_in_chromium.mjs PAGE_FOLDER
import assert from 'node:assert/strict';
import { servePage, openBrowser, runCases, sleep } from './page_host.mjs';

const { server, address } = await servePage(process.argv[2]);
const browser = await openBrowser();

// A fresh visit (its own storage, so the launcher shows the defaults), up to
// the launcher waiting for the player.
async function openLauncher() {
  const context = await browser.newContext();
  const tab = await context.newPage();
  tab.on('pageerror', error => console.log(`page error: ${error.message}`));
  await tab.goto(address);
  await tab.waitForFunction(() => window.Module && Module.calledRun && Module.vexarMusic,
                           null, { timeout: 60000 });
  await sleep(1500);
  return { context, tab };
}

async function clickLauncher(tab, x, y) {
  const box = await tab.locator('#canvas').boundingBox();
  await tab.mouse.click(box.x + x, box.y + y);
}

// The note-ons the synthesiser was sent and its loudest output, over `ms`.
async function listen(tab, ms) {
  let peak = 0, heard;
  const end = Date.now() + ms;
  do {
    heard = await tab.evaluate(() => Module.vexarMusic.heard());
    peak = Math.max(peak, heard.peak);
    await sleep(50);
  } while (Date.now() < end);
  return { noteOns: heard.noteOns, peak, running: heard.running };
}

const kMusicSwitch = [326, 12];
const kStart = [596, 432];
const kSilence = 1e-4;

const cases = {
  async 'with Music on, the song is sent and sounds after Start'() {
    const { context, tab } = await openLauncher();
    await clickLauncher(tab, ...kMusicSwitch);
    await sleep(500);
    await clickLauncher(tab, ...kStart);
    await sleep(3000);
    const heard = await listen(tab, 4000);
    assert.ok(heard.running, 'the page\'s audio never ran');
    assert.ok(heard.noteOns > 0, 'the synthesiser was sent no note');
    assert.ok(heard.peak > 0.002, `the song is not heard (peak ${heard.peak})`);
    const later = await listen(tab, 2000);
    assert.ok(later.noteOns > heard.noteOns, 'the song stopped');
    await context.close();
  },
  async 'with Music off, nothing is sent and nothing sounds'() {
    const { context, tab } = await openLauncher();
    await clickLauncher(tab, ...kStart);
    await sleep(1500);
    // The launcher's song may have begun with the click itself; the game
    // closes it as it starts.
    const before = await listen(tab, 0);
    const heard = await listen(tab, 4000);
    assert.equal(heard.noteOns, before.noteOns, 'notes were sent with Music off');
    assert.ok(heard.peak < kSilence, `something sounds with Music off (peak ${heard.peak})`);
    await context.close();
  },
};

const failed = await runCases(cases);
await browser.close();
server.close();
process.exit(failed ? 1 : 0);
