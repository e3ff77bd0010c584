// Headless Chromium plays the built page: it loads with its bar, a click
// starts the whole game, the options screen switches full screen, Z confirms
// the title and the selection, and stage 1 shows with its HUD while its music
// is heard.
//   node browser.js SITE_DIR [SCREENSHOT.png]
// Prints the load time, the time from the click to the title and the
// music's output level.
'use strict';
const path = require('path');
const modules = path.join(__dirname, '../../web/node_modules');
const puppeteer = require(path.join(modules, 'puppeteer-core'));
const {serve} = require('../../web/serve.js');

const [site, shot] = process.argv.slice(2);
const chromium = process.env.PELLO_CHROMIUM || '/usr/bin/chromium';
let failures = 0;
function check(ok, what) {
    console.log((ok ? 'ok    ' : 'FAILED') + ' ' + what);
    if (!ok) failures++;
}
const sleep = (ms) => new Promise((r) => setTimeout(r, ms));

// Summary of the canvas: how many pixels are lit, how many colours, and a
// fingerprint of the whole frame.
function canvasStats() {
    const c = document.getElementById('canvas');
    const d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
    const colours = new Set();
    let lit = 0, hash = 0;
    for (let i = 0; i < d.length; i += 4) {
        const rgb = (d[i] << 16) | (d[i + 1] << 8) | d[i + 2];
        colours.add(rgb);
        if (d[i] + d[i + 1] + d[i + 2] > 48) lit++;
        hash = (Math.imul(hash, 31) + rgb) >>> 0;
    }
    return {width: c.width, height: c.height, lit: lit / (d.length / 4), colours: colours.size, hash};
}

async function waitFor(page, test, ms, what) {
    const end = Date.now() + ms;
    while (Date.now() < end) {
        if (await page.evaluate(test)) return true;
        await sleep(200);
    }
    console.log('timed out waiting for ' + what);
    return false;
}

async function main() {
    const server = await serve(site, 0, '127.0.0.1');
    const url = `http://127.0.0.1:${server.address().port}/`;
    const browser = await puppeteer.launch({
        executablePath: chromium,
        headless: true,
        args: ['--no-sandbox', '--disable-gpu'],
    });
    try {
        const page = await browser.newPage();
        const errors = [];
        page.on('pageerror', (e) => errors.push(String(e)));
        page.on('console', (m) => { if (m.type() === 'error') errors.push(m.text()); });
        await page.setViewport({width: 1000, height: 760});
        const t0 = Date.now();
        await page.goto(url);
        check(await waitFor(page, () => window.pelloPage.state === 'ready', 180000, 'the page to load'),
              'the page loads its program, data and soundfont');
        const loadMs = Date.now() - t0;
        check(await page.$eval('#bar div', (b) => parseFloat(b.style.width)) >= 99.9, 'the loading bar reached its end');

        await page.click('#overlay');
        const clicked = Date.now();
        // The title: the logo has gone and a lit, colourful frame stays.
        check(await waitFor(page, () => window.pelloPage.state === 'running', 5000, 'the start'), 'a click starts it');
        const size = await page.$eval('#canvas', (c) => [c.style.width, c.style.height]);
        check(size[0] === '960px' && size[1] === '720px', `the canvas is scaled three times (${size})`);

        // The title: after the logo (a few lit letters on black) the whole frame is lit.
        const titled = await waitFor(page, '(' + canvasStats + ')().lit > 0.5', 60000, 'the title');
        const titleMs = Date.now() - clicked;
        check(titled, 'the logo, then the title');
        // The options screen's full screen row switches the page, and the
        // page's Alt+Enter switches it back (the title menu: START GAME,
        // PRACTICE, OPTIONS, QUIT).
        const press = async (k, mod) => {
            if (mod) await page.keyboard.down(mod);
            await page.keyboard.down(k);
            await sleep(100);
            await page.keyboard.up(k);
            if (mod) await page.keyboard.up(mod);
            await sleep(400);
        };
        const full = () => !!document.fullscreenElement;
        await sleep(3000);  // the title's menu takes keys once its letters are in
        for (const k of ['ArrowDown', 'ArrowDown', 'KeyZ']) await press(k);
        await sleep(1500);  // the options screen takes keys a moment after it opens
        await press('ArrowRight');
        check(await waitFor(page, full, 3000, 'full screen'), 'the options screen\'s full screen row switches the page');
        await press('Enter', 'Alt');
        check(await waitFor(page, () => !document.fullscreenElement, 3000, 'a window'), 'Alt+Enter switches it back');
        await sleep(1500);
        await press('KeyX');  // back to the title, on OPTIONS
        await sleep(1500);
        for (const k of ['ArrowUp', 'ArrowUp']) await press(k);

        // Z on the title and on the selection, until stage 1's music plays.
        let inStage = false;
        for (let i = 0; i < 60 && !inStage; i++) {
            await page.keyboard.down('KeyZ');
            await sleep(120);
            await page.keyboard.up('KeyZ');
            await sleep(900);
            inStage = await page.evaluate(() => window.pelloPage.music.piece === 'stg1.mid');
        }
        check(inStage, 'Z through the title and the selection reaches stage 1 (its music opened)');
        await sleep(4000);
        const a = await page.evaluate(canvasStats);
        await sleep(500);
        const b = await page.evaluate(canvasStats);
        check(a.width === 320 && a.height === 240, 'the canvas holds the 320 x 240 frame');
        check(a.lit > 0.3 && a.colours > 24, `stage 1 is drawn, not a black or loading frame ` +
              `(${(100 * a.lit).toFixed(0)}% lit, ${a.colours} colours)`);
        check(a.hash !== b.hash, 'the stage moves on');
        if (shot) {
            const canvas = await page.$('#canvas');
            await canvas.screenshot({path: shot});
            console.log('screenshot: ' + shot);
        }
        const audio = await page.evaluate(() => {
            const m = window.pelloPage.music;
            return {state: m.context && m.context.state, synth: !!m.synth, peak: m.peak, now: m.analyser ? m.level() : 0};
        });
        check(audio.state === 'running' && audio.synth, `audio started (context ${audio.state}, synthesizer ${audio.synth})`);
        check(audio.peak > 0.002, `the music is heard (output level peak ${audio.peak.toFixed(4)} RMS, now ${audio.now.toFixed(4)})`);
        check(errors.length === 0, 'no errors on the page' + (errors.length ? ': ' + errors.join(' | ') : ''));
        console.log(`load ${loadMs} ms; click to title ${titleMs} ms`);
    } finally {
        await browser.close();
        server.close();
    }
}

main().then(() => {
    console.log(failures ? `browser test: ${failures} failed` : 'browser test: all passed');
    process.exit(failures ? 1 : 0);
}, (err) => {
    console.error('browser test:', err);
    process.exit(1);
});
