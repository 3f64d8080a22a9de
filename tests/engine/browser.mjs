// Exported games in headless Chromium: the browser the engine tests and the tutorial's
// game are played in, and a game opened in it with the engine's test hook at hand.
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { chromium } from 'playwright-core';

const launchArgs = ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync'];

// Each launch gets a fresh profile of its own, removed when the browser closes.
export function launch(executablePath, extra = []) {
  return chromium.launch({ executablePath, args: [...launchArgs, ...extra] });
}

// Opens the game of a folder holding index.html and game.js and waits until its pictures
// are loaded and its first scene started. "test=paused" leaves the stepping to the test;
// "test" lets the game run. With `clock` the page's time stands still until the test
// moves it on (page.clock.runFor), so a running game takes as many steps as its speed
// says, however busy the machine is.
export async function playGame(browser, folder, { query = 'test=paused', viewport = { width: 800, height: 600 }, clock = false } = {}) {
  const page = await browser.newPage({ viewport });
  const pageErrors = [];
  page.on('pageerror', (e) => pageErrors.push(e.message));
  if (clock) {
    await page.clock.install({ time: 0 });
    await page.clock.pauseAt(1000);
  }
  await page.goto(pathToFileURL(join(folder, 'index.html')).href + (query ? `?${query}` : ''));
  await page.waitForFunction(() => window.__pondaro_test && window.__pondaro_test.ready, null, { timeout: 15000 });
  return {
    page,
    pageErrors,
    step: (n = 1) => page.evaluate((k) => window.__pondaro_test.step(k), n),
    state: () => page.evaluate(() => window.__pondaro_test.state()),
    run: (fn, arg) => page.evaluate(fn, arg),
    // Where a point of the scene is on the page, wherever the canvas stands and however
    // it is scaled.
    onPage: (x, y) => page.evaluate(([sx, sy]) => {
      const c = document.querySelector('#pondarogame canvas'), r = c.getBoundingClientRect();
      return [r.left + ((sx - view_x) * r.width) / c.width, r.top + ((sy - view_y) * r.height) / c.height];
    }, [x, y]),
    close: () => page.close(),
  };
}
