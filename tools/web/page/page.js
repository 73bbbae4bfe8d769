// The page around the game: loading, the records in IndexedDB, full screen,
// Escape, focus and visibility, files in and out. The game itself is
// ironkeel.js; this file only prepares its virtual file system and its
// command line and watches what it writes.
'use strict';

// The game's own message when its data files cannot be had.
const missingDataText =
  'Nepodařilo se načíst datový soubor. Zkontrolujte přítomnost souborů GENERAL.DAT a WAVES.DAT ve složce hry.';
const recordsDir = '/records';
const recordsFile = `${recordsDir}/scores.dat`;
// Every game played in the page is recorded in the native format; the file is
// whole (with its end line) once the game has ended.
const recordingFile = '/recordings/ironkeel.ikr';
const replayFile = '/recordings/replay.ikr';

const page = {
  module: null,
  recordsPersistent: false,
  syncRunning: false,
  syncAgain: false,
  notices: new Set(),
  lastError: '',
};

function notice(text) {
  // One line each, never repeated: the game goes on underneath.
  if (page.notices.has(text)) return;
  page.notices.add(text);
  const line = document.getElementById('notice');
  line.textContent = [...page.notices].join(' · ');
  console.warn(text);
}

function showProblem(text, again = 'Zkusit znovu') {
  document.getElementById('loading').hidden = true;
  document.getElementById('problem-text').textContent = text;
  document.getElementById('retry').textContent = again;
  document.getElementById('problem').hidden = false;
}

function formatBytes(bytes) {
  return bytes >= 1048576 ? `${(bytes / 1048576).toFixed(1)} MB` : `${Math.round(bytes / 1024)} kB`;
}

// The records: IndexedDB behind /records, written through after every
// replacement of scores.dat (the game replaces it by a rename).
function writeThrough() {
  if (page.syncRunning) {
    page.syncAgain = true;
    return;
  }
  page.syncRunning = true;
  page.module.FS.syncfs(false, (error) => {
    page.syncRunning = false;
    if (error) notice('Rekordy se nepodařilo uložit do prohlížeče (IndexedDB).');
    if (page.syncAgain) {
      page.syncAgain = false;
      writeThrough();
    }
  });
}

function watchRecordWrites(Module) {
  const FS = Module.FS;
  const rename = FS.rename;
  FS.rename = function (from, to) {
    const result = rename.call(FS, from, to);
    if (to.startsWith(`${recordsDir}/`)) writeThrough();
    return result;
  };
}

function mountRecords(Module) {
  const FS = Module.FS;
  FS.mkdir(recordsDir);
  if (typeof indexedDB === 'undefined') {
    notice('Prohlížeč nemá IndexedDB: rekordy vydrží jen do zavření stránky.');
    return;
  }
  FS.mount(Module.IDBFS, {}, recordsDir);
  Module.addRunDependency('records');
  FS.syncfs(true, (error) => {
    if (error) notice('Rekordy z prohlížeče se nepodařilo načíst (IndexedDB).');
    Module.removeRunDependency('records');
  });
  if (navigator.storage && navigator.storage.persist) {
    navigator.storage.persist().then((granted) => {
      page.recordsPersistent = granted;
      if (!granted) notice('Prohlížeč smí rekordy při nedostatku místa smazat (trvalé úložiště odmítnuto).');
    }, () => notice('Trvalé úložiště není k dispozici.'));
  }
}

function download(name, bytes) {
  const link = document.createElement('a');
  link.href = URL.createObjectURL(new Blob([bytes], {type: 'application/octet-stream'}));
  link.download = name;
  document.body.appendChild(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(link.href), 0);
}

function wireRecordFiles() {
  document.getElementById('records-download').addEventListener('click', () => {
    const FS = page.module && page.module.FS;
    try {
      download('scores.dat', FS.readFile(recordsFile));
    } catch (error) {
      notice('Zatím nejsou žádné rekordy ke stažení.');
    }
  });
  // A loaded file takes the place of scores.dat for the next start, where the
  // game reads it by its own rules (what it cannot read it ignores).
  document.getElementById('records-load').addEventListener('change', async (event) => {
    const file = event.target.files[0];
    if (!file) return;
    const bytes = new Uint8Array(await file.arrayBuffer());
    page.module.FS.writeFile(`${recordsDir}/scores.dat.loaded`, bytes);
    page.module.FS.rename(`${recordsDir}/scores.dat.loaded`, recordsFile);
    notice(`Rekordy nahrány z ${file.name}; hra je přečte při příštím spuštění stránky.`);
  });
}

function wireFullScreen() {
  const canvas = document.getElementById('canvas');
  document.getElementById('fullscreen').addEventListener('click', async () => {
    try {
      await document.documentElement.requestFullscreen();
      // Escape then reaches the game instead of ending full screen.
      if (navigator.keyboard && navigator.keyboard.lock) await navigator.keyboard.lock(['Escape']);
    } catch (error) {
      notice('Celou obrazovku prohlížeč nepovolil.');
    }
    canvas.focus();
  });
}

// The picture fills the space above the bar (all of the screen in full
// screen) with its aspect kept, by whole factors when one fits, centred.
function wireLayout() {
  const canvas = document.getElementById('canvas');
  const lay = () => {
    const width = window.innerWidth;
    const height = window.innerHeight - (document.fullscreenElement ? 0 : document.getElementById('bar').offsetHeight);
    let factor = Math.min(width / 800, height / 600);
    if (factor >= 1) factor = Math.floor(factor);
    canvas.style.width = `${Math.round(800 * factor)}px`;
    canvas.style.height = `${Math.round(600 * factor)}px`;
    canvas.style.left = `${Math.round((width - 800 * factor) / 2)}px`;
    canvas.style.top = `${Math.round((height - 600 * factor) / 2)}px`;
  };
  window.addEventListener('resize', lay);
  document.addEventListener('fullscreenchange', lay);
  lay();
}

// While the game confines the pointer (an episode runs) the page locks it to
// the canvas, asking at once after the click that started the episode, or at
// the next click. The browser ends a lock on Escape and may keep the key for
// itself: a lock lost while the game still confines the pointer, with no
// Escape seen by the game just before, is the player's Escape.
function wirePointerLock() {
  const canvas = document.getElementById('canvas');
  const confined = () => page.module && page.module._ikPointerConfined && page.module._ikPointerConfined() === 1;
  let asked = false;
  let escapeSeen = 0;
  window.addEventListener('keydown', (event) => {
    if (event.code === 'Escape' && event.isTrusted) escapeSeen = performance.now();
  }, true);
  const ask = () => {
    if (!confined() || document.pointerLockElement === canvas || asked) return;
    asked = true;
    const request = canvas.requestPointerLock();
    if (request && request.catch) request.catch(() => {});
  };
  canvas.addEventListener('mousedown', () => {
    asked = false;
    ask();
  });
  document.addEventListener('pointerlockchange', () => {
    if (document.pointerLockElement === canvas) return;
    asked = true;  // the next lock waits for a click
    if (confined() && performance.now() - escapeSeen > 250) {
      for (const type of ['keydown', 'keyup']) {
        window.dispatchEvent(new KeyboardEvent(type, {key: 'Escape', code: 'Escape', keyCode: 27, which: 27}));
      }
    }
  });
  const watch = () => {
    if (confined()) {
      ask();
    } else {
      asked = false;
      if (document.pointerLockElement === canvas) document.exitPointerLock();
    }
    requestAnimationFrame(watch);
  };
  requestAnimationFrame(watch);
}

// A hidden page is a lost focus for the game (a running game pauses), as a
// window that another one covers.
function wireVisibility() {
  document.addEventListener('visibilitychange', () => {
    window.dispatchEvent(new FocusEvent(document.hidden ? 'blur' : 'focus'));
  });
}

// A recording to play: ?replay=URL, or a file the player dropped or picked,
// kept for the reload that starts it.
async function recordingToReplay() {
  const url = new URLSearchParams(location.search).get('replay');
  if (url === 'dropped') {
    const text = sessionStorage.getItem('ironkeel-replay');
    return text === null ? null : new TextEncoder().encode(text);
  }
  if (!url) return null;
  const response = await fetch(url);
  if (!response.ok) throw new Error(`${url}: ${response.status} ${response.statusText}`);
  return new Uint8Array(await response.arrayBuffer());
}

function wireRecordingFiles() {
  const play = async (file) => {
    sessionStorage.setItem('ironkeel-replay', await file.text());
    location.search = '?replay=dropped';
  };
  document.getElementById('replay-pick').addEventListener('change', (event) => {
    if (event.target.files[0]) play(event.target.files[0]);
  });
  document.addEventListener('dragover', (event) => event.preventDefault());
  document.addEventListener('drop', (event) => {
    event.preventDefault();
    const file = event.dataTransfer.files[0];
    if (file) play(file);
  });
  document.getElementById('recording-download').addEventListener('click', () => {
    try {
      download('ironkeel.ikr', page.module.FS.readFile(recordingFile));
    } catch (error) {
      notice('Záznam hry zatím není.');
    }
  });
}

function commandLine(replay) {
  const args = ['--window', '--scale', '1', '--scores', recordsDir];
  return replay ? args.concat(['--replay', replayFile]) : args.concat(['--record', recordingFile]);
}

async function startIronkeel() {
  let replay = null;
  try {
    replay = await recordingToReplay();
  } catch (error) {
    notice(`Záznam se nepodařilo stáhnout: ${error.message}`);
  }
  const progress = document.getElementById('progress');
  const loaded = document.getElementById('loaded');
  const canvas = document.getElementById('canvas');
  wireRecordFiles();
  wireFullScreen();
  wireLayout();
  wirePointerLock();
  wireVisibility();
  wireRecordingFiles();
  // The game ends either by exit() (onExit) or by returning from main; a
  // main that gave the browser its turn (Asyncify) returns into a promise of
  // ccall's, so the page starts main itself and waits for both.
  let ended = false;
  const end = (status) => {
    if (ended) return;
    ended = true;
    const text = replay ? 'Záznam skončil.' : 'Hra skončila.';
    // A refused recording ends the program with one line, which the page shows.
    showProblem(status !== 0 && page.lastError ? page.lastError : text, 'Hrát znovu');
    document.getElementById('recording-download').hidden = replay !== null;
  };
  createIronkeel({
    canvas,
    noInitialRun: true,
    preRun: [
      (Module) => {
        page.module = Module;
        Module.ENV.SDL_VIDEODRIVER = 'emscripten';
        mountRecords(Module);
        watchRecordWrites(Module);
        Module.FS.mkdir('/recordings');
        if (replay) Module.FS.writeFile(replayFile, replay);
      },
    ],
    setStatus: (text) => {
      const match = /\((\d+(?:\.\d+)?)\/(\d+)\)/.exec(text || '');
      if (match) {
        progress.max = Number(match[2]);
        progress.value = Number(match[1]);
        loaded.textContent = `${formatBytes(Number(match[1]))} / ${formatBytes(Number(match[2]))}`;
      }
    },
    onRuntimeInitialized: () => {
      document.getElementById('loading').hidden = true;
      canvas.focus();
      const Module = page.module;
      const args = ['./ironkeel', ...commandLine(replay)].map((arg) => Module.allocateUTF8(arg));
      const argv = Module._malloc((args.length + 1) * 4);
      args.forEach((arg, i) => {
        Module.HEAP32[(argv >> 2) + i] = arg;
      });
      Module.HEAP32[(argv >> 2) + args.length] = 0;
      new Promise((resolve) => resolve(Module.ccall('main', 'number', ['number', 'number'], [args.length, argv], {async: true})))
        .then(end, (error) => {
          if (error && error.name === 'ExitStatus') end(error.status);
          else throw error;
        });
    },
    onExit: end,
    print: (text) => console.log(text),
    printErr: (text) => {
      page.lastError = text;
      console.warn(text);
    },
  }).catch((error) => {
    console.error(error);
    showProblem(missingDataText);
  });
}

document.getElementById('retry').addEventListener('click', () => location.reload());
// A data file that fails to download ends the loading with the game's own
// message about missing data, and a way to try again.
window.addEventListener('error', () => {
  if (!document.getElementById('loading').hidden) showProblem(missingDataText);
});
