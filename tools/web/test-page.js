// The page in Debian's Chromium, headless, driven by playwright-core against
// the site served on localhost: it loads without a console error, the menu's
// pixels equal the native build's frame for the same input, a key and a
// click start episode 1, the game runs, Escape leaves it, and the records
// the game wrote are in IndexedDB, equal to the native build's, and are
// still there after a reload; Escape on the menu ends the game, and the
// recording downloaded from the page verifies with the native build.
//   node tools/web/test-page.js SITE_DIR NATIVE_IRONKEEL DATA_DIR
'use strict';
const assert = require('assert');
const fs = require('fs');
const os = require('os');
const path = require('path');
const {execFileSync} = require('child_process');
const {chromium} = require('playwright-core');
const {serve} = require('./serve');
const {readPng, differingPixels} = require('./png');

const [siteArg, nativeArg, dataArg] = process.argv.slice(2);
if (!siteArg || !nativeArg || !dataArg) {
  console.error('usage: test-page.js SITE_DIR NATIVE_IRONKEEL DATA_DIR');
  process.exit(2);
}
const site = path.resolve(siteArg);
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'ironkeel-page-'));
// Where the pointer rests for every compared frame: the drawn pointer is part of it.
const rest = {x: 400, y: 590};
const seriesOne = {x: 600, y: 155};

// The native frames and records for the same input, from a headless script.
function nativeRun(name, lines) {
  const folder = path.join(work, name);
  fs.mkdirSync(path.join(folder, 'scores'), {recursive: true});
  for (const file of fs.readdirSync(dataArg)) fs.symlinkSync(path.resolve(dataArg, file), path.join(folder, file));
  fs.writeFileSync(path.join(folder, 'run.play'), `${lines.join('\n')}\nshot ${folder}/last.png\n`);
  execFileSync(path.resolve(nativeArg), ['--headless', '--script', 'run.play', '--scores', 'scores'], {cwd: folder});
  const scores = path.join(folder, 'scores', 'scores.dat');
  return {frame: readPng(fs.readFileSync(path.join(folder, 'last.png'))),
          scores: fs.existsSync(scores) ? fs.readFileSync(scores) : null};
}

const menu = nativeRun('menu', ['frames 30', 'key space', `move ${rest.x} ${rest.y}`, 'frames 10']);
const left = nativeRun('left', ['frames 30', 'key space', `move ${seriesOne.x} ${seriesOne.y}`, 'frames 3', 'click',
  'frames 300', 'key Escape', `move ${rest.x} ${rest.y}`, 'frames 10']);

// The native --verify lines of a recording, in a folder with the data files.
function nativeVerify(recording) {
  const folder = fs.mkdtempSync(path.join(work, 'verify-'));
  for (const file of fs.readdirSync(dataArg)) fs.symlinkSync(path.resolve(dataArg, file), path.join(folder, file));
  try {
    return execFileSync(path.resolve(nativeArg), ['--verify', recording], {cwd: folder, encoding: 'utf8'});
  } catch (error) {
    return `${error.stdout || ''}${error.stderr || ''}`;
  }
}

async function canvasFrame(page) {
  return readPng(await page.locator('#canvas').screenshot());
}

// Waits until the canvas shows `expected` (as 16-bit colours); fails with the
// closest it came after `timeoutMs`.
async function waitForFrame(page, expected, what, timeoutMs = 30000) {
  const started = Date.now();
  let best = Infinity;
  for (;;) {
    const differing = differingPixels(await canvasFrame(page), expected);
    if (differing === 0) return;
    best = Math.min(best, differing);
    if (Date.now() - started > timeoutMs) assert.fail(`${what}: the canvas never equalled the native frame (${best} pixels differ at best)`);
    await page.waitForTimeout(50);
  }
}

async function recordsInIndexedDb(page) {
  return page.evaluate(() => new Promise((resolve, reject) => {
    const open = indexedDB.open('/records');
    open.onerror = () => reject(open.error);
    open.onsuccess = () => {
      const db = open.result;
      if (!db.objectStoreNames.contains('FILE_DATA')) {
        resolve(null);
        return;
      }
      const get = db.transaction('FILE_DATA').objectStore('FILE_DATA').get('/records/scores.dat');
      get.onsuccess = () => resolve(get.result && get.result.contents ? Array.from(get.result.contents) : null);
      get.onerror = () => reject(get.error);
    };
  }));
}

async function main() {
  const server = await new Promise((resolve) => serve(site, 0, resolve));
  const url = `http://127.0.0.1:${server.address().port}/`;
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'ironkeel-chromium-'));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: '/usr/bin/chromium',
    headless: true,
    viewport: {width: 800, height: 628},
    args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
      '--disable-sync', '--no-first-run', '--autoplay-policy=no-user-gesture-required'],
  });
  const problems = [];
  try {
    const page = context.pages()[0] || await context.newPage();
    page.on('console', (message) => {
      if (message.type() === 'error') problems.push(`console: ${message.text()}`);
    });
    page.on('pageerror', (error) => problems.push(`page error: ${error.message}`));
    let transferred = 0;
    page.on('requestfinished', async (request) => {
      const sizes = await request.sizes();
      transferred += sizes.responseBodySize + sizes.responseHeadersSize;
    });

    const navigated = Date.now();
    await page.goto(url);
    // The game opens its window (SDL sizes the canvas) once it runs.
    await page.waitForFunction(() => document.getElementById('loading').hidden, null, {timeout: 60000});
    await page.mouse.move(rest.x, rest.y);
    await page.keyboard.press('Space');
    await waitForFrame(page, menu.frame, 'the menu');
    console.log(`menu after ${Date.now() - navigated} ms; ${(transferred / 1048576).toFixed(2)} MB transferred`);

    // Episode 1 by a click on its button; the picture then moves on its own.
    await page.mouse.move(seriesOne.x, seriesOne.y);
    await page.mouse.click(seriesOne.x, seriesOne.y);
    let frames = 0;
    let previous = await canvasFrame(page);
    assert.notStrictEqual(differingPixels(previous, menu.frame), 0, 'the click left the menu as it was');
    const playStarted = Date.now();
    while (frames < 20) {
      assert.ok(Date.now() - playStarted < 30000, `episode 1 showed only ${frames} new frames`);
      const next = await canvasFrame(page);
      if (differingPixels(next, previous) > 0) ++frames;
      previous = next;
    }
    await page.keyboard.press('Escape');
    await page.mouse.move(rest.x, rest.y);
    await waitForFrame(page, left.frame, 'the menu after Escape');

    const stored = await recordsInIndexedDb(page);
    assert.ok(stored, 'no scores.dat in IndexedDB after the game');
    assert.deepStrictEqual(Buffer.from(stored), left.scores, 'the records differ from the native build\'s');

    // Escape on the menu ends the game; its recording, downloaded from the
    // page, verifies with the native build.
    await page.keyboard.press('Escape');
    await page.locator('#recording-download').waitFor({state: 'visible', timeout: 30000});
    const [download] = await Promise.all([page.waitForEvent('download'), page.click('#recording-download')]);
    const recording = path.join(work, 'page.ikr');
    await download.saveAs(recording);
    const verified = nativeVerify(recording);
    assert.match(verified, /^result: ended as recorded$/m, `the page's recording does not verify natively:\n${verified}`);
    console.log(`the page's recording verifies natively:\n${verified.trim()}`);
    await page.reload();
    await page.waitForFunction(() => document.getElementById('loading').hidden, null, {timeout: 60000});
    assert.deepStrictEqual(await recordsInIndexedDb(page), stored, 'the records changed across the reload');
    assert.deepStrictEqual(problems, [], 'the page reported errors');
    console.log('page test passed');
  } finally {
    await context.close();
    server.close();
    fs.rmSync(profile, {recursive: true, force: true});
    fs.rmSync(work, {recursive: true, force: true});
  }
}

main().catch((error) => {
  console.error(error && error.stack ? error.stack : error);
  process.exit(1);
});
