// The page around the game: loads the program, its data and the soundfont
// with a progress bar, starts on a click (browsers start sound only after
// one), keeps the 320 x 240 canvas at a whole-number scale on black, switches
// full screen on Alt+Enter or the button, keeps the browser's own key actions
// off the game's keys, and plays the game's music on a synthesizer in an
// audio worklet. window.pelloPage tells the tests how things stand.
'use strict';

const SOUNDFONT = 'soundfont.sf2';
const canvas = document.getElementById('canvas');
const overlay = document.getElementById('overlay');
const bar = document.querySelector('#bar div');
const message = document.getElementById('message');

// --- music: the game's commands arrive in order and are carried out in order,
// once the synthesizer and its soundfont are ready.
class Music {
    constructor() {
        this.chain = null;      // null until start(): commands before it are dropped
        this.synth = null;
        this.playing = false;   // a piece was told to play and has not reached its end
        this.ended = false;     // the end was reached and the game not yet told
        this.volume = 100;
        this.peak = 0;          // highest output level seen (root mean square, 0..1)
        this.piece = '';        // file name of the piece last opened
    }

    // Called inside the click that starts the game.
    start(context, soundfont) {
        this.context = context;
        this.chain = (async () => {
            await context.audioWorklet.addModule('libfluidsynth.js');
            await context.audioWorklet.addModule('js-synthesizer.worklet.min.js');
            const synth = new JSSynth.AudioWorkletNodeSynthesizer();
            synth.init(context.sampleRate, {initialGain: 0.45});
            const node = synth.createAudioNode(context);
            this.gain = context.createGain();
            this.gain.gain.value = this.volume / 100;
            this.analyser = context.createAnalyser();
            this.analyser.fftSize = 2048;
            node.connect(this.gain);
            this.gain.connect(context.destination);
            this.gain.connect(this.analyser);
            await synth.loadSFont(await soundfont);
            this.synth = synth;
        })().catch((err) => console.warn('pelloquinade: music is off:', err));
        setInterval(() => this.poll(), 100);
    }

    queue(step) {
        if (!this.chain) return;
        this.chain = this.chain.then(() => this.synth && step(this.synth))
            .catch((err) => console.warn('pelloquinade: music:', err));
    }

    load(bytes, name) {
        this.piece = name.substring(name.lastIndexOf('/') + 1);
        this.playing = this.ended = false;
        this.queue(async (s) => {
            await s.resetPlayer();
            await s.addSMFDataToPlayer(bytes.buffer);
        });
    }

    command(name, value) {
        switch (name) {
        case 'play':
            this.ended = false;
            this.playing = true;
            this.queue((s) => s.playPlayer());
            break;
        case 'stop':
            this.playing = false;
            this.queue((s) => { s.stopPlayer(); s.midiAllNotesOff(); });
            break;
        case 'seek':
            this.queue((s) => s.seekPlayer(0));
            break;
        case 'close':
            this.playing = false;
            this.queue((s) => { s.closePlayer(); s.midiAllSoundsOff(); });
            break;
        case 'volume':
            this.volume = value;
            if (this.gain) this.gain.gain.value = value / 100;
            break;
        case 'pause':
            if (this.context) value ? this.context.suspend() : this.context.resume();
            break;
        }
    }

    takeEnd() {
        const e = this.ended;
        this.ended = false;
        return e;
    }

    // The piece ends when the player's tick reaches its last event; asked in
    // turn with the commands, so an answer never belongs to an older piece.
    poll() {
        if (this.analyser) this.peak = Math.max(this.peak, this.level());
        if (!this.playing || this.polling) return;
        this.polling = true;
        this.queue(async (s) => {
            const [now, total] = await Promise.all([s.retrievePlayerCurrentTick(), s.retrievePlayerTotalTicks()]);
            if (this.playing && total > 0 && now >= total) {
                this.playing = false;
                this.ended = true;
            }
        });
        this.queue(() => { this.polling = false; });
    }

    level() {
        const samples = new Float32Array(this.analyser.fftSize);
        this.analyser.getFloatTimeDomainData(samples);
        let sum = 0;
        for (const v of samples) sum += v * v;
        return Math.sqrt(sum / samples.length);
    }
}

const music = new Music();
const page = {state: 'loading', music, loadedAt: 0, startedAt: 0};
window.pelloPage = page;

// --- loading, with one bar for the program's data and the soundfont
const progress = {data: [0, 1], font: [0, 1]};
function showProgress() {
    const done = progress.data[0] + progress.font[0], total = progress.data[1] + progress.font[1];
    bar.style.width = Math.min(100, (100 * done) / total).toFixed(1) + '%';
}

async function fetchSoundfont() {
    const response = await fetch(SOUNDFONT);
    if (!response.ok) throw new Error(SOUNDFONT + ': ' + response.status);
    const total = Number(response.headers.get('Content-Length')) || 6000000;
    const reader = response.body.getReader();
    const parts = [];
    let got = 0;
    for (;;) {
        const {done, value} = await reader.read();
        if (done) break;
        parts.push(value);
        got += value.length;
        progress.font = [got, Math.max(total, got)];
        showProgress();
    }
    const bytes = new Uint8Array(got);
    let at = 0;
    for (const p of parts) {
        bytes.set(p, at);
        at += p.length;
    }
    return bytes.buffer;
}

const soundfont = fetchSoundfont();
soundfont.catch((err) => console.warn('pelloquinade: no soundfont, music is off:', err));
const game = createPelloquinade({
    canvas,
    music,
    print: (text) => console.log(text),
    printErr: (text) => console.warn(text),
    // The data package reports "Downloading data... (done/total)".
    setStatus: (text) => {
        const m = /\((\d+)\/(\d+)\)/.exec(text);
        if (m) {
            progress.data = [Number(m[1]), Number(m[2])];
            showProgress();
        }
    },
});

Promise.all([game, soundfont.catch(() => null)]).then(([module]) => {
    page.module = module;
    page.state = 'ready';
    page.loadedAt = performance.now();
    overlay.classList.add('ready');
    message.textContent = 'Click to play';
}, (err) => {
    message.textContent = 'The game could not be loaded: ' + err;
});

function start() {
    if (page.state !== 'ready') return;
    page.state = 'running';
    page.startedAt = performance.now();
    overlay.style.display = 'none';
    document.body.classList.add('idle');
    const Context = window.AudioContext || window.webkitAudioContext;
    if (Context && window.AudioWorkletNode) music.start(new Context(), soundfont);
    fit();
    canvas.focus();
    // The whole game, as the desktop's menu entry starts it; "?original" in
    // the address plays the one-stage game.
    page.module.callMain(new URLSearchParams(location.search).has('original') ? [] : ['--campaign']);
}
overlay.addEventListener('click', start);

// --- a whole-number scale of the canvas in device pixels, centred on black
function fit() {
    const ratio = window.devicePixelRatio || 1;
    const scale = Math.max(1, Math.floor(Math.min((innerWidth * ratio) / 320, (innerHeight * ratio) / 240)));
    canvas.style.width = (320 * scale) / ratio + 'px';
    canvas.style.height = (240 * scale) / ratio + 'px';
}
window.addEventListener('resize', fit);
document.addEventListener('fullscreenchange', fit);
fit();

// --- full screen and keys
function toggleFullscreen() {
    if (document.fullscreenElement) document.exitFullscreen().catch(() => {});
    else document.documentElement.requestFullscreen().catch(() => {});
}
document.getElementById('fullscreen').addEventListener('click', (e) => {
    toggleFullscreen();
    e.currentTarget.blur();
});
// While the game runs every key is the game's, except the browser's own
// shortcuts with Ctrl or Cmd and F11.
window.addEventListener('keydown', (e) => {
    if (page.state === 'ready' && (e.code === 'Enter' || e.code === 'Space')) {
        e.preventDefault();
        start();
        return;
    }
    if (page.state !== 'running' || e.ctrlKey || e.metaKey || e.key === 'F11') return;
    e.preventDefault();
    if (e.altKey && (e.code === 'Enter' || e.code === 'NumpadEnter') && !e.repeat) toggleFullscreen();
}, true);
// The button shows while the mouse moves, and goes after two still seconds.
let idleTimer = 0;
document.addEventListener('mousemove', () => {
    document.body.classList.remove('idle');
    clearTimeout(idleTimer);
    idleTimer = setTimeout(() => { if (page.state === 'running') document.body.classList.add('idle'); }, 2000);
});
window.addEventListener('keyup', (e) => {
    if (page.state === 'running' && !e.ctrlKey && !e.metaKey) e.preventDefault();
}, true);
