// What the browser tests share: finding their tools, running wizhost (by
// script and with --web), a Chromium page on the address it prints, and
// screenshots kept under the build folder. Everything has a time limit, so a
// browser that cannot start fails the test with a message instead of hanging.
'use strict';
const { spawn, spawnSync } = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');

const source = process.env.WIZ_SOURCE_DIR || path.resolve(__dirname, '../..');
const wizhostPath = process.env.WIZHOST || path.resolve('wizhost');
const artifacts = process.env.WIZ_WEB_ARTIFACTS || path.resolve('web-artifacts');
const chromiumPath = process.env.CHROMIUM || '/usr/bin/chromium';
const kTestTime = 180000;

// A missing tool skips the test (exit 77), except where the run requires the
// browser tests (make test): there it fails.
function missing(what) {
  if (process.env.WIZ_REQUIRE_BROWSER) {
    console.error('FAIL: ' + what);
    process.exit(1);
  }
  console.log('SKIP: ' + what);
  process.exit(77);
}

function playwright() {
  try {
    return require('playwright-core');
  } catch (e) {
    return missing('playwright-core is not installed (make deps installs it under the build folder): ' + e.message);
  }
}

// The numeric value of a resource symbol, from the ids headers.
function idOf(symbol) {
  for (const header of ['translator/TranslatorIds.h', 'flow/FlowIds.h', 'wizard/WizardIds.h']) {
    const file = path.join(source, header);
    if (!fs.existsSync(file)) continue;
    const m = fs.readFileSync(file, 'utf8').match(new RegExp('#define\\s+' + symbol + '\\s+(\\d+)'));
    if (m) return m[1];
  }
  throw new Error('no resource symbol ' + symbol);
}

function scratch() {
  return fs.mkdtempSync(path.join(os.tmpdir(), 'wizweb-'));
}

// wizhost run to its end, with a time limit.
function wizhost(args, env = {}) {
  const r = spawnSync(wizhostPath, args, { encoding: 'utf8', timeout: 60000, env: Object.assign({}, process.env, env) });
  if (r.error) throw new Error('wizhost ' + args.join(' ') + ': ' + r.error.message);
  return { code: r.status, out: r.stdout, err: r.stderr };
}

// A fresh copy of the sample project.
function project(dir, name) {
  const p = path.join(dir, name);
  const r = wizhost(['project', 'init', p]);
  if (r.code !== 0) throw new Error('project init: ' + r.err);
  return p;
}

function nodeId(projectDir, name) {
  for (const line of wizhost(['project', 'tree', projectDir]).out.split('\n'))
    if (line.endsWith(' ' + name) || line.includes('"' + name + '"')) return line.trim().split(/\s+/)[0];
  throw new Error('no node ' + name + ' in ' + projectDir);
}

// wizhost with --web: resolves once it has printed the page's address.
const children = new Set();
// However the test ends (a failure, the watchdog), no wizhost is left serving.
process.on('exit', () => { for (const child of children) child.kill(); });

function startWeb(args, env = {}) {
  const child = spawn(wizhostPath, args, { env: Object.assign({}, process.env, env) });
  children.add(child);
  child.on('close', () => children.delete(child));
  let out = '', err = '';
  const done = new Promise(resolve => child.on('close', code => resolve({ code, out, err })));
  const url = new Promise((resolve, reject) => {
    const timer = setTimeout(() => reject(new Error('wizhost printed no address within 20 s: ' + err)), 20000);
    child.stdout.on('data', d => {
      out += d;
      const m = out.match(/^url: (\S+)$/m);
      if (m) { clearTimeout(timer); resolve(m[1]); }
    });
    child.stderr.on('data', d => { err += d; });
    child.on('close', code => { clearTimeout(timer); reject(new Error('wizhost ended (' + code + '): ' + err)); });
  });
  return { child, url, done };
}

// The end of a wizhost run, within `ms`.
async function ended(run, ms = 30000) {
  let timer;
  const limit = new Promise((_, reject) => { timer = setTimeout(() => reject(new Error('wizhost did not end')), ms); });
  try {
    return await Promise.race([run.done, limit]);
  } finally {
    clearTimeout(timer);
  }
}

// The tools are looked for before anything starts.
function requireTools() {
  if (!fs.existsSync(chromiumPath)) missing('no Chromium at ' + chromiumPath + ' (make deps installs it)');
  playwright();
}

async function launch() {
  const { chromium } = playwright();
  try {
    return await chromium.launch({
      executablePath: chromiumPath,
      headless: true,
      timeout: 60000,
      // As root Chromium runs only without its sandbox.
      args: ['--no-sandbox', '--disable-gpu', '--disable-dev-shm-usage'],
    });
  } catch (e) {
    throw new Error('Chromium could not start: ' + e.message.split('\n')[0]);
  }
}

let lastPage = null;

async function newPage(browser, url) {
  const page = await browser.newPage({ viewport: { width: 900, height: 560 } });
  lastPage = page;
  page.setDefaultTimeout(15000);
  await page.goto(url, { timeout: 20000 });
  return page;
}

// Waits until the page draws dialog template `id`.
async function showing(page, id) {
  await page.waitForSelector('.window[data-template="' + id + '"]', { timeout: 15000 });
}

async function screenshot(page, name) {
  fs.mkdirSync(artifacts, { recursive: true });
  await page.screenshot({ path: path.join(artifacts, name + '.png') });
}

// The bytes of a file wizhost wrote, with the project folder as $PROJECT.
function written(projectDir, file) {
  return fs.readFileSync(path.join(projectDir, file), 'utf8').split(projectDir).join('$PROJECT');
}

// The file a finished run reports ("file: NAME").
function resultFile(run) {
  const m = run.out.match(/^file: (.+)$/m);
  if (!m) throw new Error('the run made no file:\n' + run.out + run.err);
  return m[1];
}

function check(condition, message) {
  if (!condition) throw new Error(message);
}

// Runs `test` with a time limit over all of it; the browser and wizhost are
// always ended, and one line says how it went.
function main(name, test) {
  requireTools();
  const watchdog = setTimeout(() => {
    console.error('FAIL: ' + name + ' took longer than ' + kTestTime / 1000 + ' s');
    process.exit(1);
  }, kTestTime);
  const cleanup = [];
  const at = { defer: fn => cleanup.push(fn) };
  test(at).then(() => 0, async e => {
    console.error('FAIL: ' + name + ': ' + (e && e.stack || e));
    // What the page showed when it went wrong.
    if (lastPage) await screenshot(lastPage, name + '-failure').catch(() => {});
    return 1;
  }).then(async status => {
    for (const fn of cleanup.reverse()) {
      try { await fn(); } catch (e) { /* already gone */ }
    }
    clearTimeout(watchdog);
    console.log(status === 0 ? '1 passed, 0 failed' : '0 passed, 1 failed');
    process.exit(status);
  });
}

module.exports = {
  source, idOf, scratch, wizhost, project, nodeId, startWeb, ended, launch, newPage, showing, screenshot, written,
  resultFile, check, main,
};
