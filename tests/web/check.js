// Plays the browser release in headless Chromium (scripts/check-web.sh
// serves it and runs this). Every wait is for a condition the page shows,
// never for a time.
//
//   node check.js check URL GOLDEN_SHA256 OUT_FOLDER
//     the golden input's trace, the title frame (OUT_FOLDER/title-web.png,
//     compared by the caller), sound after a click, a kept high score over
//     a reload, touch, and no console errors;
//   node check.js bench URL PAGE_FOLDER
//     prints the web figures as JSON;
//   node check.js shots URL OUT_FOLDER
//     the page on a 1280x800 screen and on a 390x844 portrait phone.
"use strict";

const fs = require("fs");
const os = require("os");
const path = require("path");
const zlib = require("zlib");
const puppeteer = require("puppeteer-core");

const [mode, base, third, fourth] = process.argv.slice(2);
const golden = "input=golden-input.txt";
const consoleErrors = [];
let browser;

async function launch() {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), "tuublark-chromium-"));
  browser = await puppeteer.launch({
    executablePath: "/usr/bin/chromium",
    headless: true,
    userDataDir: profile,
    args: [
      "--no-sandbox", "--use-angle=swiftshader", "--enable-unsafe-swiftshader",
      "--disable-background-networking", "--disable-component-update", "--disable-sync", "--no-first-run",
      "--autoplay-policy=user-gesture-required",
    ],
  });
  process.on("exit", () => fs.rmSync(profile, { recursive: true, force: true }));
}

// A display of `hz` refreshes a second on a clock of its own: each
// animation frame moves the page's clock on by one refresh, and nothing
// else moves it, so game time against page time does not depend on how
// busy the machine is.
function virtualDisplay(hz) {
  const period = 1000 / hz;
  let now = 0, waiting = [];
  performance.now = () => now;
  const channel = new MessageChannel();
  channel.port1.onmessage = () => {
    now += period;
    const due = waiting;
    waiting = [];
    for (const callback of due) callback(now);
  };
  window.requestAnimationFrame = (callback) => {
    waiting.push(callback);
    if (waiting.length === 1) channel.port2.postMessage(0);
    return waiting.length;
  };
}

// tuublarkTab.hide() hides the page as switching to another tab or app
// does: the page is told it is hidden, and animation frames stop until
// show().
function hidingTab() {
  const animationFrame = window.requestAnimationFrame.bind(window);
  let hidden = false, waiting = [];
  window.requestAnimationFrame = (callback) => (hidden ? waiting.push(callback) : animationFrame(callback));
  const tell = () => {
    Object.defineProperty(document, "hidden", { value: hidden, configurable: true });
    Object.defineProperty(document, "visibilityState", { value: hidden ? "hidden" : "visible", configurable: true });
    document.dispatchEvent(new Event("visibilitychange"));
  };
  window.tuublarkTab = {
    hide() { hidden = true; tell(); },
    show() { hidden = false; tell(); for (const callback of waiting.splice(0)) animationFrame(callback); },
  };
}

// A gamepad in the browser's standard layout, connected by
// tuublarkPad.connect(); tuublarkPad.set(button, down) presses a button.
function gamepad() {
  const pad = {
    id: "check-web pad", index: 0, connected: true, mapping: "standard", timestamp: 1, axes: [0, 0, 0, 0],
    buttons: Array.from({ length: 17 }, () => ({ pressed: false, touched: false, value: 0 })),
  };
  let connected = false;
  navigator.getGamepads = () => (connected ? [pad, null, null, null] : [null, null, null, null]);
  window.tuublarkPad = {
    connect() {
      connected = true;
      const event = new Event("gamepadconnected");
      event.gamepad = pad;
      window.dispatchEvent(event);
    },
    set(button, down) {
      pad.buttons[button] = { pressed: down, touched: down, value: down ? 1 : 0 };
      pad.timestamp += 1;
    },
  };
}

async function open(query, viewport = { width: 1024, height: 768 }, before = null, argument = undefined) {
  const page = await browser.newPage();
  await page.setViewport(viewport);
  if (before) await page.evaluateOnNewDocument(before, argument);
  page.on("console", (m) => { if (m.type() === "error") consoleErrors.push(m.text()); });
  // An error thrown in the page (a trap in the game) stops it: no wait on
  // it would end.
  page.on("pageerror", (e) => fail(`${query || "the player's page"}: the page stopped: ${e.stack || e}`));
  await page.goto(base + "/index.html" + (query ? "?" + query : ""));
  return page;
}

// Waits until the page's `condition` (an expression over t = Module.tuublark) holds.
function until(page, condition, timeout = 300000) {
  return page.waitForFunction(`(() => { const t = window.Module && Module.tuublark; return t && (${condition}); })()`,
    { timeout, polling: 50 });
}

async function finished(page) {
  await until(page, "t.done");
  return page.evaluate(() => {
    const t = Module.tuublark;
    return { exitCode: t.exitCode, traceSha256: t.traceSha256, traceBytes: t.traceBytes, profile: t.profile,
             screenshot: t.screenshotBase64, runMs: t.runMs };
  });
}

// Presses start, then left three times, each held for 3 frames, through
// press(name) and release(); the trace must show a game started and its
// piece moved left.
async function startAndMoveLeft(page, what, press, release) {
  const tap = async (name) => {
    await press(name);
    const at = await page.evaluate(() => Module.tuublark.frames);
    await until(page, `t.frames >= ${at + 3} || t.done`);
    await release();
  };
  await tap("start");
  await until(page, "t.frames >= 200 || t.done");
  for (let i = 0; i < 3; i++) await tap("left");
  await finished(page);
  const lines = (await page.evaluate(() => Module.tuublark.traceText())).trim().split("\n").map((l) => JSON.parse(l));
  const playing = lines.filter((l) => l.Screen === 2 && l.PieceTopLeft !== 0);
  if (playing.length === 0) fail(`${what}: start did not start a game`);
  if (!playing.some((l) => l.PieceColumn < playing[0].PieceColumn)) fail(`${what}: left did not move the piece`);
  console.log(`check-web: ${what} started a game and moved the piece (seen in the trace)`);
  await page.close();
}

function fail(message) {
  console.error("check-web: " + message);
  process.exit(1);
}

async function check(goldenSha256, out) {
  // The golden input, headless: the trace equals the Linux one.
  let page = await open(`${golden}&frames=20000&trace=1&headless=1`);
  let run = await finished(page);
  if (run.exitCode !== 0) fail(`the headless golden run ended with status ${run.exitCode}`);
  if (run.traceSha256 !== goldenSha256) {
    fs.writeFileSync(path.join(out, "trace-web.jsonl"), await page.evaluate(() => Module.tuublark.traceText()));
    fail(`the browser's trace of the golden input differs from the Linux one (kept in ${out}/trace-web.jsonl)`);
  }
  console.log(`check-web: headless trace over the golden input equals the Linux trace (${run.traceBytes} bytes)`);
  await page.close();

  // The title frame, drawn through WebGL.
  page = await open(`${golden}&frames=80&screenshot=1`);
  run = await finished(page);
  if (run.exitCode !== 0 || !run.screenshot) fail(`the title screenshot run ended with status ${run.exitCode}`);
  fs.writeFileSync(path.join(out, "title-web.png"), Buffer.from(run.screenshot, "base64"));
  await page.close();

  // Sound: silent until a gesture, then the mixer's output is heard. The
  // title is quiet: the music loop starts with a game's first sweep pass.
  page = await open("");
  await until(page, "t.frames >= 10");
  const before = await page.evaluate(() => Module.tuublark.audioLoudCalls);
  if (before !== 0) fail("sound was heard before any gesture");
  await page.mouse.click(512, 384);
  await until(page, "t.audioCalls > 0");
  await page.keyboard.press("Space");
  await until(page, "t.audioLoudCalls > 0");
  if (await page.$eval("#gesture", (e) => !e.hidden)) fail("the 'click, tap or press a key to play' notice stayed after a click");
  console.log("check-web: after a click the audio callback runs and its output is not silent");
  await page.close();

  // A kept high score survives a reload: the first game of the golden input
  // ends at frame 1875 with 29593 points.
  page = await open(`${golden}&frames=1880&headless=1&keep=1`);
  run = await finished(page);
  await until(page, "t.flushes > 0 && t.flushPending === 0");
  await page.goto(base + `/index.html?${golden}&frames=1&headless=1&keep=1&trace=1`);
  run = await finished(page);
  const first = JSON.parse((await page.evaluate(() => Module.tuublark.traceText())).split("\n")[0]);
  if (first.HighScore !== 29593) fail(`after a reload the high score is ${first.HighScore}, not the kept 29593`);
  console.log("check-web: a kept high score survives a reload");
  await page.close();

  // Touch: start a game and move the piece left, on a portrait phone.
  page = await open("touch=1&seed=7&frames=400&trace=1", { width: 390, height: 844, hasTouch: true, isMobile: true });
  await until(page, "t.frames >= 10");
  const button = async (label) => {
    const box = await (await page.$(`button[aria-label="${label}"]`)).boundingBox();
    return [box.x + box.width / 2, box.y + box.height / 2];
  };
  await startAndMoveLeft(page, "touch",
    async (name) => page.touchscreen.touchStart(...(await button(name === "start" ? "start or pause" : "left"))),
    async () => page.touchscreen.touchEnd());

  // A game controller, as the browser reports one in its standard layout:
  // SDL gives it the desktop's button map.
  page = await open("seed=7&frames=400&trace=1", undefined, gamepad);
  await until(page, "t.frames >= 10");
  // A button pressed before the game has opened the controller is its
  // state at opening, not a press: wait for the game to say it is there.
  const opened = new Promise((resolve) => {
    const never = setTimeout(() => fail("the game never reported the page's gamepad as connected"), 300000);
    page.on("console", (m) => {
      if (m.text().includes("controller connected")) { clearTimeout(never); resolve(); }
    });
  });
  await page.evaluate(() => tuublarkPad.connect());
  await opened;
  const standard = { start: 9, left: 14 };
  let held = null;
  await startAndMoveLeft(page, "a game controller",
    async (name) => { held = standard[name]; await page.evaluate((b) => tuublarkPad.set(b, true), held); },
    async () => page.evaluate((b) => tuublarkPad.set(b, false), held));

  // Game time is 60 frames a second whatever the display's rate.
  for (const hz of [60, 75, 120, 144]) {
    page = await open("frames=600", undefined, virtualDisplay, hz);
    await finished(page);
    const t = await page.evaluate(() => Module.tuublark);
    const rate = ((t.frames - 1) * 1000) / (t.lastFrameMs - t.firstFrameMs);
    if (Math.abs(rate - 60) > 0.5) fail(`on a ${hz} Hz display the game ran ${rate.toFixed(2)} frames a second, not 60`);
    console.log(`check-web: on a ${hz} Hz display the game runs ${rate.toFixed(2)} frames a second`);
    await page.close();
  }

  // A hidden page pauses the game: shown again, it stays paused (the game
  // of 100 frames does not end) until P is pressed.
  page = await open("seed=7&frames=100&trace=1", undefined, hidingTab);
  await until(page, "t.frames >= 10");
  await page.keyboard.press("Space");
  await until(page, "t.frames >= 40");
  await page.evaluate(() => tuublarkTab.hide());
  const hiddenAt = await page.evaluate(() => Module.tuublark.frames);
  await page.evaluate(() => tuublarkTab.show());
  await until(page, `t.frames >= ${hiddenAt + 110} || t.done`);
  if (await page.evaluate(() => Module.tuublark.done)) fail("a game went on after its page was hidden");
  await page.keyboard.press("KeyP");
  run = await finished(page);
  const trace = (await page.evaluate(() => Module.tuublark.traceText())).trim().split("\n");
  if (run.exitCode !== 0 || trace.length !== 100 || !trace.some((l) => JSON.parse(l).Screen === 2))
    fail(`the game paused by a hidden page did not play on to its end (status ${run.exitCode}, ${trace.length} frames)`);
  console.log("check-web: a hidden page pauses the game, and P plays on");
  await page.close();

  // A player's run through the screens with frame waits of their own: the
  // options, a game and its pause, then the demo, which the kept settings
  // start after a second with no input. A frame wait the build does not
  // know of (cmake/web-suspending-calls.txt) stops the page with an error.
  page = await open("frames=1&headless=1");
  await finished(page);
  await page.evaluate(() => new Promise((resolve, reject) => {
    try { FS.mkdir("/libsdl/tuublark"); } catch (e) { /* there already */ }
    FS.writeFile("/libsdl/tuublark/settings.ini", "demo_after_s = 1\n");
    FS.syncfs(false, (error) => (error ? reject(error) : resolve()));
  }));
  await page.close();
  page = await open("trace=1");
  await until(page, "t.frames >= 10");
  const key = async (name, frames) => {
    await page.keyboard.press(name);
    const at = await page.evaluate(() => Module.tuublark.frames);
    await until(page, `t.frames >= ${at + frames} || t.done`);
  };
  const steps = [["KeyO", 20], ["ArrowDown", 20], ["Escape", 20], ["Space", 60], ["KeyP", 20], ["KeyP", 20],
                 ["Escape", 400], ["ArrowLeft", 20]];
  for (const [name, frames] of steps) await key(name, frames);
  await page.keyboard.press("Escape");
  run = await finished(page);
  const shown = await page.evaluate(() => Module.tuublark.frames);
  const traced = (await page.evaluate(() => Module.tuublark.traceText())).trim().split("\n").map((l) => JSON.parse(l));
  // The menus, the pause and the demo show frames of their own, not traced:
  // the menus and the pause about 80, the demo over 300.
  if (run.exitCode !== 0 || !traced.some((l) => l.Screen === 2) || shown - traced.length < 250)
    fail(`a player's run through the menus and the demo did not play as it should (status ${run.exitCode}, ` +
         `${shown} frames shown, ${traced.length} traced)`);
  console.log(`check-web: the options, a pause and the demo play (${shown - traced.length} of ${shown} frames theirs)`);
  await page.close();

  if (consoleErrors.length) fail("console errors:\n  " + consoleErrors.join("\n  "));
  console.log("check-web: no console errors");
}

async function bench(folder) {
  let transfer = 0;
  for (const name of fs.readdirSync(folder)) {
    const file = path.join(folder, name);
    if (fs.statSync(file).isFile()) transfer += zlib.gzipSync(fs.readFileSync(file), { level: 6 }).length;
  }
  let page = await open("");
  await until(page, "t.firstFrameMs !== null");
  const firstFrame = await page.evaluate(() => Module.tuublark.firstFrameMs);
  await page.close();

  // Frame CPU time over 3000 paced frames of the golden input.
  page = await open(`${golden}&frames=3000&profile=1`);
  let run = await finished(page);
  const budget = 1e6 / 60;
  const cpu = run.profile.split("\n").filter((l) => /^\d/.test(l)).map((l) => Number(l.split(" ")[2]) / budget)
    .sort((a, b) => a - b);
  await page.close();

  // Headless frames per second, from the first frame's start to the last's:
  // the median of five page loads, as sim_bench takes the median of five
  // runs (a shared machine's other work moves any one of them).
  const rates = [];
  for (let i = 0; i < 5; i++) {
    page = await open(`${golden}&frames=20000&headless=1&profile=1`);
    const starts = (await finished(page)).profile.split("\n").filter((l) => /^\d/.test(l)).map((l) => l.split(" "));
    const last = starts[starts.length - 1], firstLine = starts[0];
    rates.push(starts.length / ((Number(last[3]) + Number(last[2]) - Number(firstLine[3])) / 1e6));
    await page.close();
  }
  rates.sort((a, b) => a - b);
  console.log(JSON.stringify({
    web_transfer_kb: Math.round(transfer / 1024),
    web_first_frame_ms: Math.round(firstFrame),
    web_frame_median_of_budget: Number(cpu[Math.floor(cpu.length / 2)].toFixed(3)),
    web_frame_worst_of_budget: Number(cpu[cpu.length - 1].toFixed(3)),
    web_sim_frames_per_s: Math.round(rates[2]),
  }));
  if (consoleErrors.length) fail("console errors:\n  " + consoleErrors.join("\n  "));
}

async function shots(out) {
  for (const [width, height, touch] of [[1280, 800, false], [390, 844, true]]) {
    const page = await open(touch ? "touch=1" : "", { width, height, hasTouch: touch, isMobile: touch });
    await until(page, "t.frames >= 120");
    await page.screenshot({ path: path.join(out, `web-${width}x${height}.png`) });
    await page.close();
  }
}

(async () => {
  await launch();
  try {
    if (mode === "check") await check(third, fourth);
    else if (mode === "bench") await bench(third);
    else if (mode === "shots") await shots(third);
    else fail("usage: node check.js check URL GOLDEN_SHA256 OUT | bench URL FOLDER | shots URL OUT");
  } finally {
    await browser.close();
  }
})().catch((e) => fail(e.stack || String(e)));
