// Runs the browser build of the game (site/ironkeel.js and .wasm) under Node
// with the machine's files in the same places, so that the page's program
// answers --headless, --verify and the other options as the native one does,
// with the same output and exit status.
//   node --no-experimental-fetch tools/web/node-run.js SITE_DIR [ironkeel options]
'use strict';
const fs = require('fs');
const path = require('path');

const [site, ...args] = process.argv.slice(2);
if (!site) {
  process.stderr.write('usage: node-run.js SITE_DIR [ironkeel options]\n');
  process.exit(2);
}
const createIronkeel = require(path.resolve(site, 'ironkeel.js'));

// Every folder of the machine's root appears at its own path, so paths on the
// command line and links between files mean what they mean natively.
function mountHost(Module) {
  const FS = Module.FS;
  for (const entry of fs.readdirSync('/')) {
    const hostPath = `/${entry}`;
    if (['dev', 'proc', 'sys'].includes(entry)) continue;
    let stat;
    try {
      stat = fs.statSync(hostPath);
    } catch (error) {
      continue;
    }
    if (!stat.isDirectory()) continue;
    try {
      FS.mkdir(hostPath);
    } catch (error) {
      // MEMFS made some of them (/tmp, /home) already.
    }
    FS.mount(Module.NODEFS, {root: hostPath}, hostPath);
  }
  FS.chdir(process.cwd());
  for (const [name, value] of Object.entries(process.env)) Module.ENV[name] = value;
}

createIronkeel({
  arguments: args,
  locateFile: (file) => path.resolve(site, file),
  preRun: [mountHost],
  print: (text) => process.stdout.write(`${text}\n`),
  printErr: (text) => process.stderr.write(`${text}\n`),
}).catch((error) => {
  process.stderr.write(`node-run: ${error && error.stack ? error.stack : error}\n`);
  process.exit(1);
});
