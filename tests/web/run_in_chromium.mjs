// Runs test_web in Debian's chromium, headless, through playwright-core:
// first the cases that need only a browser, then the storage's two visits
// with a reload of the page between them. The page and the program are
// served from 127.0.0.1 by a server of the test's own.
//   node run_in_chromium.mjs BUILD_FOLDER_WITH_test_web.js
import { openBrowser, servePage } from './page_host.mjs';

const page = `<!doctype html><title>test_web</title><script>
  const args = new URLSearchParams(location.search).getAll('arg');
  var Module = { arguments: args, print: t => console.log(t), printErr: t => console.log(t) };
</script><script src="test_web.js"></script>`;
const server = await servePage(process.argv[2], { '/': page });
const address = server.address;

const browser = await openBrowser();
const context = await browser.newContext();
const tab = await context.newPage();
tab.on('console', message => console.log(message.text()));
tab.on('pageerror', error => console.log(`page error: ${error.message}`));

// One run of the program with these gtest arguments; its exit status.
async function run(...args) {
  const query = args.map(arg => `arg=${encodeURIComponent(arg)}`).join('&');
  await tab.goto(`${address}?${query}`);
  await tab.waitForFunction(() => window.testExit !== undefined, null, { timeout: 120000 });
  return tab.evaluate(() => window.testExit);
}

let status = 0;
try {
  // The page will draw with WebGL: this browser, without a GPU, must give it.
  await tab.goto('about:blank');
  const webgl = await tab.evaluate(() => {
    const gl = document.createElement('canvas').getContext('webgl');
    return gl ? gl.getParameter(gl.VERSION) : '';
  });
  console.log(`WebGL: ${webgl || 'none'}`);
  if (!webgl) status = 1;
  status |= await run('--gtest_filter=WebTimer.*:WebClock.*:WebErrorBox.*');
  status |= await run('--gtest_also_run_disabled_tests',
                      '--gtest_filter=PageStorage.DISABLED_KeepsTheSavedFileForTheNextVisit');
  status |= await run('--gtest_also_run_disabled_tests',
                      '--gtest_filter=PageStorage.DISABLED_ReadsWhatTheLastVisitSaved');
} catch (error) {
  console.log(`run_in_chromium: ${error.message}`);
  status = 1;
}
await browser.close();
server.close();
process.exit(status ? 1 : 0);
