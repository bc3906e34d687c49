// The page around the browser game: lays out the board (4:3 with bars) and
// the touch controls, keeps the player's files in the browser's storage,
// turns page parameters into the game's command line, and keeps what a
// test reads in Module.tuublark.
//
// Page parameters (all optional): seed=N, frames=N, input=URL (a key
// script, fetched), trace=1, headless=1, screenshot=1, profile=1, keep=1
// (--keep-high-score), unpaced=1, touch=1 (show the touch controls on any
// screen). A run with parameters keeps its outputs in Module.tuublark when
// the game ends.
"use strict";

(function () {
  const params = new URLSearchParams(location.search);
  const canvas = document.getElementById("canvas");
  const gesture = document.getElementById("gesture");
  const status = document.getElementById("status");
  const board = document.getElementById("board");
  const padMove = document.getElementById("pad-move");
  const padAct = document.getElementById("pad-act");
  const started = performance.now();

  // What a test or a benchmark reads.
  const state = {
    frames: 0,
    firstFrameMs: null,
    lastFrameMs: null,
    flushes: 0,
    flushPending: 0,
    flushErrors: 0,
    audioCalls: 0,
    audioLoudCalls: 0,
    done: false,
    exitCode: null,
    traceSha256: null,
    traceBytes: 0,
    screenshotBase64: null,
    profile: null,
    runMs: null,
    touch: params.get("touch") === "1" || matchMedia("(pointer: coarse)").matches,
  };

  // The game's files: a run with parameters writes its outputs here.
  const files = { input: "/page/input.txt", trace: "/page/trace.jsonl", shot: "/page/screenshot.png", profile: "/page/profile.txt" };
  const args = [];
  if (params.has("seed")) args.push("--seed", params.get("seed"));
  if (params.has("frames")) args.push("--frames", params.get("frames"));
  if (params.has("input")) args.push("--input", files.input);
  if (params.get("trace") === "1") args.push("--trace", files.trace);
  if (params.get("headless") === "1") args.push("--headless");
  if (params.get("screenshot") === "1") args.push("--screenshot", files.shot);
  if (params.get("profile") === "1") args.push("--profile", files.profile);
  if (params.get("keep") === "1") args.push("--keep-high-score");
  if (params.get("unpaced") === "1") args.push("--unpaced");
  // The browser is the game's window.
  if (params.get("headless") !== "1") args.push("--windowed");

  // The board keeps 4:3 with bars. With touch controls, landscape puts
  // them in the bars beside the board (the board shrinks to leave them
  // room) and portrait below it; they never cover the board.
  const kSide = 150, kBelow = 210;
  function place(element, x, y, w, h) {
    Object.assign(element.style, { left: x + "px", top: y + "px", width: w + "px", height: h + "px" });
  }
  function layout() {
    const w = window.innerWidth, h = window.innerHeight;
    let bw, bh;
    padMove.hidden = padAct.hidden = !state.touch;
    if (!state.touch) {
      bw = Math.min(w, (h * 4) / 3);
      bh = (bw * 3) / 4;
      place(board, (w - bw) / 2, (h - bh) / 2, bw, bh);
    } else if (h > w) {
      bw = Math.min(w, ((h - kBelow) * 4) / 3);
      bh = (bw * 3) / 4;
      const spare = h - bh;
      const top = Math.max(0, (spare - Math.max(kBelow, Math.min(spare, 320))) / 2);
      place(board, (w - bw) / 2, top, bw, bh);
      const padTop = top + bh + 12, padH = Math.min(h - padTop - 12, 300);
      place(padMove, 10, padTop, w / 2 - 18, padH);
      place(padAct, w / 2 + 8, padTop, w / 2 - 18, padH);
    } else {
      bw = Math.min(w - 2 * kSide, (h * 4) / 3);
      bh = (bw * 3) / 4;
      place(board, (w - bw) / 2, (h - bh) / 2, bw, bh);
      const side = (w - bw) / 2 - 20, padH = Math.min(h - 20, side * 1.6);
      place(padMove, 10, (h - padH) / 2, side, padH);
      place(padAct, w - side - 10, (h - padH) / 2, side, padH);
    }
  }
  window.addEventListener("resize", layout);
  layout();

  // The game's keys must not scroll the page.
  const kNoScroll = new Set(["ArrowUp", "ArrowDown", "ArrowLeft", "ArrowRight", " ", "PageUp", "PageDown", "Home", "End", "Tab", "Backspace"]);
  window.addEventListener("keydown", (e) => { if (kNoScroll.has(e.key)) e.preventDefault(); }, { capture: true });

  // Browsers start sound only after a gesture; SDL resumes its audio on it.
  function firstGesture() {
    gesture.hidden = true;
    for (const name of ["pointerdown", "keydown", "touchstart"]) window.removeEventListener(name, firstGesture, true);
  }
  for (const name of ["pointerdown", "keydown", "touchstart"]) window.addEventListener(name, firstGesture, true);
  if (params.get("headless") === "1") gesture.hidden = true;

  // Touch buttons press and let go controller buttons; a finger that
  // slides off lets go.
  for (const button of document.querySelectorAll(".key")) {
    const code = Number(button.dataset.button);
    const press = (down) => {
      button.classList.toggle("held", down);
      if (Module._TuublarkTouchButton && !state.done) Module._TuublarkTouchButton(code, down ? 1 : 0);
    };
    button.addEventListener("pointerdown", (e) => { e.preventDefault(); button.setPointerCapture(e.pointerId); press(true); });
    for (const name of ["pointerup", "pointercancel", "lostpointercapture"]) button.addEventListener(name, () => press(false));
  }
  window.addEventListener("touchstart", () => { if (!state.touch) { state.touch = true; layout(); } }, { passive: true });

  const fullScreen = document.getElementById("fullscreen");
  fullScreen.addEventListener("click", () => {
    if (document.fullscreenElement) document.exitFullscreen();
    else document.getElementById("stage").requestFullscreen().catch(() => {});
  });
  if (!document.documentElement.requestFullscreen) fullScreen.hidden = true;

  // Counts the audio callbacks and those whose output is not silence.
  function watchAudio() {
    const audio = Module.SDL2 && Module.SDL2.audio;
    const node = audio && audio.scriptProcessorNode;
    if (!node || !node.onaudioprocess) return setTimeout(watchAudio, 50);
    const fill = node.onaudioprocess;
    node.onaudioprocess = function (e) {
      fill.call(this, e);
      state.audioCalls += 1;
      const samples = e.outputBuffer.getChannelData(0);
      for (let i = 0; i < samples.length; i++) {
        if (samples[i] !== 0) { state.audioLoudCalls += 1; break; }
      }
    };
  }

  async function sha256(bytes) {
    const digest = new Uint8Array(await crypto.subtle.digest("SHA-256", bytes));
    return Array.from(digest, (b) => b.toString(16).padStart(2, "0")).join("");
  }
  function base64(bytes) {
    let text = "";
    for (let i = 0; i < bytes.length; i += 0x8000) text += String.fromCharCode.apply(null, bytes.subarray(i, i + 0x8000));
    return btoa(text);
  }
  function readIfThere(path) {
    try { return FS.readFile(path); } catch (e) { return null; }
  }

  async function finish(code) {
    state.runMs = performance.now() - state.mainStarted;
    state.exitCode = code;
    const trace = readIfThere(files.trace);
    if (trace) {
      state.traceBytes = trace.length;
      state.traceSha256 = await sha256(trace);
      state.traceText = () => new TextDecoder().decode(trace);
    }
    const shot = readIfThere(files.shot);
    if (shot) state.screenshotBase64 = base64(shot);
    const profile = readIfThere(files.profile);
    if (profile) state.profile = new TextDecoder().decode(profile);
    state.done = true;
    if (!params.toString()) {
      status.textContent = "The game has ended. Reload the page to play again.";
      status.hidden = false;
    }
  }

  window.Module = {
    canvas: canvas,
    arguments: args,
    tuublark: state,
    print: (text) => console.log(text),
    printErr: (text) => console.warn(text),
    preRun: [
      () => {
        // The player's files: SDL's preference path lives under /libsdl.
        FS.mkdir("/libsdl");
        FS.mount(IDBFS, {}, "/libsdl");
        FS.mkdir("/page");
        addRunDependency("kept-files");
        FS.syncfs(true, (error) => {
          if (error) console.warn("tuublark: the kept files cannot be read (" + error + ")");
          removeRunDependency("kept-files");
        });
        if (params.has("input")) {
          addRunDependency("input");
          fetch(params.get("input"))
            .then((r) => { if (!r.ok) throw new Error(r.status + " " + r.statusText); return r.arrayBuffer(); })
            .then((data) => { FS.writeFile(files.input, new Uint8Array(data)); })
            .catch((error) => console.warn("tuublark: " + params.get("input") + ": cannot read the input (" + error.message + ")"))
            .finally(() => removeRunDependency("input"));
        }
      },
    ],
    onRuntimeInitialized: () => { state.mainStarted = performance.now(); watchAudio(); },
    onExit: (code) => { finish(code); },
    onAbort: (what) => { console.error("tuublark: stopped (" + what + ")"); state.done = true; },
  };

  // Called by the game (web_page.cpp).
  state.frameShown = () => {
    state.frames += 1;
    state.lastFrameMs = performance.now() - started;
    if (state.firstFrameMs === null) state.firstFrameMs = state.lastFrameMs;
  };
  // Each save is written through to IndexedDB; saves that come while a
  // write is on its way are written together after it.
  let flushAgain = false;
  state.flushStorage = () => {
    if (state.flushPending) { flushAgain = true; return; }
    state.flushPending = 1;
    FS.syncfs(false, (error) => {
      if (error) {
        state.flushErrors += 1;
        console.warn("tuublark: the kept files cannot be stored (" + error + ")");
      } else {
        state.flushes += 1;
      }
      state.flushPending = 0;
      if (flushAgain) { flushAgain = false; state.flushStorage(); }
    });
  };
})();
