// The page in Debian's chromium, headless, with WebGL on RENDERER
// (swiftshader or llvmpipe), served from 127.0.0.1: per run, in a fresh visit (nothing cached), the time from
// opening the page to the launcher drawn, then a game started and flown
// without input, with the CPU of every chromium process over SECONDS from
// 3 s after Start divided by the game frames drawn in them; then the same for
// a page that only clears a canvas of the game's size in every animation
// frame, which is what Chromium spends on any page that draws all the time.
//   node web_page_bench.mjs PAGE_FOLDER RENDERER RUNS SECONDS
// prints per run: "launcher_ms N", "frame_cpu_ms N frames N seconds N",
// "frame_cpu_by_process KIND N ..." (ms a picture of each kind of process)
// and "empty_frame_cpu_ms N"
import fs from 'node:fs';
import { servePage, openBrowser, sleep } from '../../tests/web/page_host.mjs';

const [folder, renderer = 'swiftshader', runs = '3', seconds = '10'] = process.argv.slice(2);
const emptyPage = `<!doctype html><canvas width="640" height="480"></canvas><script>
const gl = document.querySelector('canvas').getContext('webgl', { alpha: false, antialias: false });
window.vexarBench = { clears: 0 };
(function draw() {
  gl.clearColor(0, 0, (vexarBench.clears % 256) / 255, 1);
  gl.clear(gl.COLOR_BUFFER_BIT | gl.DEPTH_BUFFER_BIT);
  vexarBench.clears += 1;
  requestAnimationFrame(draw);
})();
</script>`;
const { server, address } = await servePage(folder, { '/empty.html': emptyPage });
const browser = await openBrowser([], renderer);
// The kernel's clock ticks a second (getconf CLK_TCK, from the script).
const ticks = Number(process.env.CLK_TCK || 100);

// Each drawing call of the page's WebGL counted, the time of the first
// picture (the frame after the first drawing call) noted, and each game
// frame counted by its clearing of the canvas (one a frame in mono).
function countDrawing() {
  window.vexarBench = { firstPicture: 0, drawn: false, clears: 0 };
  for (const type of [WebGLRenderingContext, window.WebGL2RenderingContext].filter(Boolean)) {
    for (const name of ['drawArrays', 'drawElements']) {
      const draw = type.prototype[name];
      type.prototype[name] = function (...args) {
        if (!vexarBench.drawn) {
          vexarBench.drawn = true;
          requestAnimationFrame(() => { vexarBench.firstPicture = performance.now(); });
        }
        return draw.apply(this, args);
      };
    }
    const clear = type.prototype.clear;
    type.prototype.clear = function (...args) {
      vexarBench.clears += 1;
      return clear.apply(this, args);
    };
  }
}

// CPU ticks (user and system) of every process under this one, by kind: the
// browser, and its renderer, GPU, utility (audio, network) and other helpers.
function treeTicks(root) {
  const parents = new Map(), used = new Map(), kinds = new Map();
  for (const entry of fs.readdirSync('/proc')) {
    if (!/^\d+$/.test(entry)) continue;
    let stat, command;
    try {
      stat = fs.readFileSync(`/proc/${entry}/stat`, 'utf8');
      command = fs.readFileSync(`/proc/${entry}/cmdline`, 'utf8');
    } catch { continue; }
    const fields = stat.slice(stat.lastIndexOf(')') + 2).split(' ');
    parents.set(Number(entry), Number(fields[1]));
    used.set(Number(entry), Number(fields[11]) + Number(fields[12]));
    kinds.set(Number(entry), (command.match(/--type=([a-z-]+)/) || [, 'browser'])[1]);
  }
  const sums = {};
  for (const [pid, cpu] of used) {
    if (pid === root) continue;
    for (let p = pid; p > 1; p = parents.get(p) ?? 0)
      if (p === root) {
        sums[kinds.get(pid)] = (sums[kinds.get(pid)] || 0) + cpu;
        break;
      }
  }
  return sums;
}
const total = sums => Object.values(sums).reduce((a, b) => a + b, 0);

const box = async tab => tab.locator('#canvas').boundingBox();

// The CPU of every chromium process over SECONDS, a picture drawn: in all,
// and by kind of process.
async function measure(tab) {
  const c0 = treeTicks(process.pid), f0 = await tab.evaluate(() => vexarBench.clears), t0 = Date.now();
  await sleep(Number(seconds) * 1000);
  const c1 = treeTicks(process.pid), f1 = await tab.evaluate(() => vexarBench.clears), t1 = Date.now();
  const frames = f1 - f0;
  const perFrame = used => (used / ticks * 1000 / frames).toFixed(2);
  const byKind = {};
  for (const kind of Object.keys(c1).sort()) byKind[kind] = perFrame(c1[kind] - (c0[kind] || 0));
  return { total: perFrame(total(c1) - total(c0)), frames, seconds: ((t1 - t0) / 1000).toFixed(1), byKind };
}

for (let run = 0; run < Number(runs); ++run) {
  const context = await browser.newContext();
  await context.addInitScript(countDrawing);
  const tab = await context.newPage();
  await tab.goto(address);
  await tab.waitForFunction(() => vexarBench.firstPicture > 0, null, { timeout: 60000, polling: 20 });
  console.log(`launcher_ms ${(await tab.evaluate(() => vexarBench.firstPicture)).toFixed(0)}`);
  await sleep(1500);
  const canvas = await box(tab);
  await tab.mouse.click(canvas.x + 596, canvas.y + 432);  // Start
  await sleep(3000);
  const measured = await measure(tab);
  console.log(`frame_cpu_ms ${measured.total} frames ${measured.frames} seconds ${measured.seconds}`);
  console.log('frame_cpu_by_process ' + Object.entries(measured.byKind).map(kv => kv.join(' ')).join(' '));
  await context.close();
  const empty = await browser.newContext();
  const emptyTab = await empty.newPage();
  await emptyTab.goto(address + 'empty.html');
  await sleep(3000);
  console.log(`empty_frame_cpu_ms ${(await measure(emptyTab)).total}`);
  await empty.close();
}
await browser.close();
server.close();
