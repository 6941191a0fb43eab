// Shared pieces of the browser tests and the page benchmark: Debian's Chromium through playwright-core,
// a static file server on 127.0.0.1, and generated folders made from the project files of the tests.
'use strict';
const fs = require('fs');
const os = require('os');
const path = require('path');
const http = require('http');
const { spawnSync } = require('child_process');
const { chromium } = require('playwright-core');

const SOURCE_DIR = path.resolve(__dirname, '..', '..', '..');
const DATA_DIR = path.join(SOURCE_DIR, 'tests', 'data', 'web');

const CHROMIUM_ARGS = ['--headless', '--no-sandbox', '--disable-gpu', '--disable-background-networking',
  '--disable-component-update', '--disable-sync', '--disable-quic', '--no-first-run'];

// One browser for a whole run. playwright-core gives it a fresh, temporary profile folder of its own.
async function launchBrowser() {
  const browser = await chromium.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: CHROMIUM_ARGS,
  });
  return browser;
}

const TYPES = { '.html': 'text/html', '.js': 'text/javascript', '.gif': 'image/gif', '.css': 'text/css' };

// Serves a folder on 127.0.0.1 (a free port). The page's own encoding is declared in its META line, so the
// server sends no charset.
function serve(root) {
  const server = http.createServer((req, res) => {
    const rel = decodeURIComponent(new URL(req.url, 'http://x/').pathname);
    if (rel === '/favicon.ico') {
      res.writeHead(204);
      res.end();
      return;
    }
    const file = path.join(root, path.normalize(rel));
    if (!file.startsWith(root) || !fs.existsSync(file) || fs.statSync(file).isDirectory()) {
      res.writeHead(404, { 'Content-Type': 'text/plain' });
      res.end('not found');
      return;
    }
    res.writeHead(200, { 'Content-Type': TYPES[path.extname(file)] || 'application/octet-stream', 'Cache-Control': 'no-store' });
    fs.createReadStream(file).pipe(res);
  });
  return new Promise((resolve) => {
    server.listen(0, '127.0.0.1', () => {
      resolve({ url: `http://127.0.0.1:${server.address().port}/`, close: () => new Promise((r) => server.close(r)) });
    });
  });
}

// The program: CORVANTEL names it (the ctest registration passes the build's copy).
function programPath() {
  return process.env.CORVANTEL || path.join(SOURCE_DIR, 'build', 'corvantel');
}

// Generates a project into a fresh folder with `corvantel --generate`.
function generate(cvpPath, outDir) {
  fs.mkdirSync(outDir, { recursive: true });
  const prog = programPath();
  const r = spawnSync(prog, ['--generate', outDir, cvpPath], { encoding: 'utf8' });
  if (r.error) throw new Error(`cannot run ${prog}: ${r.error.message}`);
  if (r.status !== 0) throw new Error(`corvantel --generate failed (${r.status}): ${r.stderr}`);
  return outDir;
}

module.exports = { launchBrowser, serve, generate, DATA_DIR, SOURCE_DIR };
