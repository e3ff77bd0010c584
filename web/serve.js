// A static file server for the built page: node serve.js DIR [PORT] [HOST].
// Serves only files inside DIR, with the types browsers want for wasm.
'use strict';
const http = require('http');
const fs = require('fs');
const path = require('path');

const TYPES = {
    '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.wasm': 'application/wasm',
    '.data': 'application/octet-stream', '.sf2': 'application/octet-stream', '.png': 'image/png',
};

function serve(dir, port, host) {
    const root = path.resolve(dir);
    const server = http.createServer((req, res) => {
        let name;
        try {
            name = decodeURIComponent(new URL(req.url, 'http://x').pathname);
        } catch (e) {
            name = null;
        }
        const file = name && path.join(root, name.endsWith('/') ? name + 'index.html' : name);
        if (!file || !file.startsWith(root + path.sep)) {
            res.writeHead(400).end();
            return;
        }
        fs.stat(file, (err, st) => {
            if (err || !st.isFile()) {
                res.writeHead(404).end('not found');
                return;
            }
            res.writeHead(200, {
                'Content-Type': TYPES[path.extname(file)] || 'application/octet-stream',
                'Content-Length': st.size,
                'Cache-Control': 'no-cache',
            });
            if (req.method === 'HEAD') res.end();
            else fs.createReadStream(file).pipe(res);
        });
    });
    return new Promise((resolve) => server.listen(port, host, () => resolve(server)));
}

module.exports = {serve};

if (require.main === module) {
    const [dir, port = '8000', host = '127.0.0.1'] = process.argv.slice(2);
    serve(dir, Number(port), host).then((server) => {
        console.log(`Serving the game on http://${host}:${server.address().port}/ (Ctrl+C stops)`);
    });
}
