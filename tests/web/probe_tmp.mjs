import fs from 'node:fs';
import crypto from 'node:crypto';
import { openChromium, serveFolder } from './chromium.mjs';
const server = await serveFolder('/work/wt23/dist/vexar-web');
const browser = await openChromium();
const tab = await browser.newPage();
tab.on('console', m => console.log('page:', m.text().slice(0,200)));
await tab.goto(server.address);
await tab.waitForFunction(() => window.Module && Module.calledRun);
const sleep = ms => new Promise(d => setTimeout(d, ms));
const h = async () => crypto.createHash('md5').update(await tab.locator('#canvas').screenshot()).digest('hex').slice(0,8);
const n = () => tab.evaluate(() => Module.vexarFramesShown || 0);
await sleep(2000);
await tab.locator('#canvas').screenshot({path: '/tmp/h23/launcher.png'});
const mode = process.argv[2];
if (mode === 'demo') {
  await tab.setInputFiles('#demoFile', '/tmp/h23/n.demo');
  for (let i = 0; i < 20; ++i) { console.log(i, await n(), await h(), await tab.title()); await sleep(1000); }
} else {
  const box = await tab.locator('#canvas').boundingBox();
  await tab.mouse.click(box.x + 596, box.y + 432);
  for (let i = 0; i < 5; ++i) { console.log(i, await n(), await h(), await tab.title()); await sleep(500); }
  await tab.evaluate(() => { window.titles = []; window.keys = []; setInterval(() => { if (titles[titles.length-1] !== document.title) titles.push(performance.now().toFixed(0) + ' ' + document.title); }, 2);
    for (const t of ['keydown','keyup','keypress']) window.addEventListener(t, e => keys.push(performance.now().toFixed(0)+' '+t+' '+e.key), true); });
  await tab.keyboard.press('p');
  await sleep(1000);
  console.log(JSON.stringify(await tab.evaluate(() => [titles, keys])));
  for (let i = 0; i < 6; ++i) { console.log('p', i, await n(), await h(), await tab.title()); await sleep(300); }
  await tab.focus('#canvas');
  await tab.keyboard.press('p');
  for (let i = 0; i < 6; ++i) { console.log('p2', i, await n(), await h(), await tab.title()); await sleep(300); }
  await tab.keyboard.press('q');
  for (let i = 0; i < 6; ++i) { console.log('q', i, await n(), await h(), await tab.title()); await sleep(300); }
}
await browser.close(); server.close();
