// Plays one kept run through the browser build under node, headless, and
// passes on the game's output and exit code: node replay.js SITE_DIR FILE.pqr
'use strict';
const fs = require('fs');
const path = require('path');

const [site, file] = process.argv.slice(2);
const createPelloquinade = require(path.resolve(site, 'pelloquinade.js'));
createPelloquinade({
    // Handed over whole: this toolchain's loader would fetch() a file path.
    wasmBinary: fs.readFileSync(path.resolve(site, 'pelloquinade.wasm')),
    locateFile: (name) => path.resolve(site, name),
    print: (text) => console.log(text),
    printErr: (text) => console.error(text),
}).then((game) => {
    game.FS.mkdir('/runs');
    game.FS.writeFile('/runs/run.pqr', fs.readFileSync(file));
    game.callMain(['--headless', '--replay', '/runs/run.pqr']);
    console.error('replay.js: the program returned without ending the replay');
    process.exit(3);
}, (err) => {
    console.error('replay.js: the program did not load:', err);
    process.exit(3);
});
