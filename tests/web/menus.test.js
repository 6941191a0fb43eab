// Browser tests of generated menu pages: the three menu types, over http on 127.0.0.1 and from file://.
// Run: node --test tests/web/   (CORVANTEL names the program that generates the pages)
'use strict';
const { describe, it, before, after } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('fs');
const os = require('os');
const path = require('path');
const { pathToFileURL } = require('url');
const { spawnSync } = require('child_process');
const { devices } = require('playwright-core');
const { launchBrowser, serve, generate, DATA_DIR, SOURCE_DIR } = require('./lib/harness');

const WORK = fs.mkdtempSync(path.join(os.tmpdir(), 'corvantel-web-'));
let browser;
let server;

before(async () => {
  browser = await launchBrowser();
  server = await serve(WORK);
});
after(async () => {
  if (browser) await browser.close();
  if (server) await server.close();
  fs.rmSync(WORK, { recursive: true, force: true });
});

// Generated folders, one per project, made once.
// The interaction tests of the coded type use a copy whose menus the author moved below the link row
// (the coded 10, 10 lies on the row itself); "_near" puts them just under the row, at 10, 30.
const made = {};
function folder(project) {
  if (!made[project]) {
    const dir = path.join(WORK, project);
    const variant = /_(moved|near)$/.exec(project);
    if (variant) {
      fs.cpSync(folder(project.slice(0, variant.index)), dir, { recursive: true });
      const arrays = path.join(dir, 'hierArrays.js');
      const y = variant[1] === 'moved' ? 40 : 30;
      fs.writeFileSync(arrays, fs.readFileSync(arrays, 'latin1').replace(/^\[(\d+), 10, 10,/gm, `[$1, 10, ${y},`), 'latin1');
      made[project] = { dir };
      return dir;
    }
    generate(path.join(DATA_DIR, project + '.cvp'), dir);
    made[project] = { dir };
    // Pages the tests navigate to.
    for (const f of ['alpha.html', 'products.html']) fs.writeFileSync(path.join(dir, f), `<title>${f}</title>${f}`);
  }
  return made[project].dir;
}
function address(project, transport, file = 'menu.html') {
  const dir = folder(project);
  return transport === 'http' ? `${server.url}${project}/${file}` : pathToFileURL(path.join(dir, file)).href;
}

// A page in its own context; collects script errors and failed loads.
async function open(project, transport, options = {}) {
  const context = await browser.newContext({ viewport: { width: 1024, height: 768 }, ...options.context });
  context.setDefaultTimeout(5000);
  if (options.init) await context.addInitScript(options.init);
  const page = await context.newPage();
  const problems = [];
  page.on('pageerror', (e) => problems.push('page error: ' + e.message));
  page.on('console', (m) => {
    if (m.type() === 'error') problems.push('console error: ' + m.text());
  });
  // A loaded machine may take long to load a page: wait for the built menus as long as it takes.
  await page.goto(address(project, transport, options.file), { timeout: 0 });
  await page.waitForFunction(() => window.HM_Corvantel && document.getElementById('hm-styles'), null, { timeout: 0 });
  return { page, problems, close: () => context.close() };
}

const isVisible = (page, selector) => page.locator(selector).first().isVisible();

// Moves the pointer onto an element's row the way a person does: a few steps, from where it is.
async function pointAt(page, locator, dx = 8) {
  const box = await locator.boundingBox();
  assert.ok(box, 'element has a box');
  await page.mouse.move(box.x + dx, box.y + box.height / 2, { steps: 4 });
}

const rowOf = (page, caption) => page.locator('.hm-row').filter({ has: page.getByText(caption, { exact: true }) }).first();
const menuOf = (page, arrayName) => page.locator(`[id="hm-${arrayName}"]`);

function rgb(hex) {
  const n = parseInt(hex.slice(1), 16);
  return `rgb(${(n >> 16) & 255}, ${(n >> 8) & 255}, ${n & 255})`;
}

const TYPES = {
  js_menu: { top: ['Home', 'Products', 'Café Crème', 'Contact'], first: 'HM_Array1', bar: true,
    colours: { fc: '#000080', fco: '#FFFFFF', bg: '#FFFF00', bgo: '#000080' } },
  table_coded: { top: ['Home', 'Products', 'Café Crème', 'Contact'], first: 'HM_Array2',
    colours: { fc: '#000000', fco: '#FFFFFF', bg: '#EFF7FF', bgo: '#003F5C' } },
  table_relative: { top: ['ホーム', '製品', '会社案内', '連絡先'], first: 'HM_Array2',
    colours: { fc: '#000000', fco: '#FFFFFF', bg: '#EFF7FF', bgo: '#003F5C' } },
};

// Opens the first level: the bar item's drop-down, or the link row's pop-up.
async function openFirst(page, type) {
  const t = TYPES[type];
  if (t.bar) {
    await pointAt(page, rowOf(page, t.top[1]));
    await page.locator('[id="hm-HM_Array1_2"]').waitFor({ state: 'visible' });
    return page.locator('[id="hm-HM_Array1_2"]');
  }
  await pointAt(page, page.locator('a.navbar').filter({ hasText: t.top[1] }), 4);
  await page.locator('#elMenu2').waitFor({ state: 'visible' });
  return page.locator('#elMenu2');
}
const secondLevel = (type) => (TYPES[type].bar ? 'HM_Array1_2_2' : 'HM_Array2_2');

for (const type of Object.keys(TYPES)) {
  const t = TYPES[type];
  for (const transport of ['http', 'file']) {
    describe(`${type} over ${transport}`, () => {
      it('loads without script errors and shows the top-level captions', async () => {
        const { page, problems, close } = await open(type, transport);
        try {
          const selector = t.bar ? 'nav.hm-tree .hm-bar > .hm-item > .hm-row' : 'a.navbar';
          const captions = (await page.locator(selector).allTextContents()).map((s) => s.trim());
          assert.deepEqual(captions, t.top);
          // Pop-ups may be built ahead once the page is idle, but none shows before it is opened.
          if (!t.bar) assert.equal(await page.locator('.hm-menu:not([hidden])').count(), 0, 'no pop-up shows unopened');
          assert.deepEqual(problems, []);
        } finally {
          await close();
        }
      });

      it('opens submenus on hover, level by level, and closes them after the set delay', async () => {
        const { page, problems, close } = await open(type, transport);
        try {
          const first = await openFirst(page, type);
          await pointAt(page, rowOf(page, t.bar || type === 'table_coded' ? 'Beta & Gamma' : 'ベータ & "引用"'));
          const second = menuOf(page, secondLevel(type));
          await second.waitFor({ state: 'visible' });
          // Leave everything: still there before the delay, gone after it.
          await page.mouse.move(600, 700, { steps: 2 });
          await page.waitForTimeout(250);
          assert.ok(await second.isVisible(), 'still open within TopSecondsVisible');
          await second.waitFor({ state: 'hidden', timeout: 2000 });
          assert.ok(!(await first.isVisible()), 'the first level closed too');
          if (t.bar) assert.ok(await isVisible(page, 'nav.hm-tree .hm-bar'), 'the bar stays');
          assert.deepEqual(problems, []);
        } finally {
          await close();
        }
      });

      it('follows the colours, the width and the position of the settings', async () => {
        const { page, close } = await open(type, transport);
        try {
          const first = await openFirst(page, type);
          const box = await first.boundingBox();
          assert.equal(Math.round(box.width), 180);
          if (t.bar) {
            const bar = await page.locator('nav.hm-tree').boundingBox();
            assert.deepEqual([bar.x, bar.y], [40, 30]);
            assert.equal(Math.round((await page.locator('.hm-bar > .hm-item').first().boundingBox()).width), 180);
          } else {
            // Relative, and coded at 10, 10 (which would cover the link): just below the link and its arrow.
            const link = await page.locator('a.navbar').filter({ hasText: t.top[1] }).boundingBox();
            const arrow = await page.locator('.hm-trigger-toggle').first().boundingBox();
            const bottom = Math.max(link.y + link.height, arrow.y + arrow.height);
            assert.ok(Math.abs(box.x - link.x) < 1 && Math.abs(box.y - bottom) < 1, JSON.stringify({ box, link, arrow }));
          }
          const style = (loc) => loc.evaluate((el) => {
            const s = getComputedStyle(el);
            return [s.color, s.backgroundColor];
          });
          const rowName = t.bar || type === 'table_coded' ? 'Alpha' : 'アルファ';
          const other = t.bar || type === 'table_coded' ? 'New things' : '新着';
          await pointAt(page, rowOf(page, rowName));
          assert.deepEqual(await style(rowOf(page, rowName)), [rgb(t.colours.fco), rgb(t.colours.bgo)]);
          assert.deepEqual(await style(rowOf(page, other)), [rgb(t.colours.fc), rgb(t.colours.bg)]);
        } finally {
          await close();
        }
      });

      it('shows captions as written and goes to an item\'s address on click', async () => {
        const { page, close } = await open(type, transport);
        try {
          await openFirst(page, type);
          if (t.bar || type === 'table_coded') {
            // The menu's own rows (the submenus below them may be built ahead, hidden).
            const texts = await page.locator('[id="hm-HM_Array1_2"], #elMenu2').first().locator(':scope > .hm-item > .hm-row').allTextContents();
            assert.deepEqual(texts, ['Alpha', 'Beta & Gamma', 'New things', 'Back\\slash']);
            assert.equal(await page.locator('.hm-row b:text-is("New")').count(), 1, 'markup kept as markup');
            await pointAt(page, rowOf(page, 'Beta & Gamma'));
            await pointAt(page, rowOf(page, 'Beta two'));
            assert.equal(await rowOf(page, 'Deep "quoted"').textContent(), 'Deep "quoted"');
            const accents = t.bar ? await page.locator('.hm-bar > .hm-item > .hm-row').nth(2).textContent()
              : await page.locator('a.navbar').nth(2).textContent();
            assert.equal(accents, 'Café Crème');
          } else {
            const texts = await page.locator('#elMenu2 > .hm-item > .hm-row').allTextContents();
            assert.deepEqual(texts, ['アルファ', 'ベータ & "引用"', '新着']);
            assert.equal(await page.locator('#elMenu2 b:text-is("新着")').count(), 1);
            assert.equal(await page.evaluate(() => document.characterSet), 'Shift_JIS');
          }
          const alpha = rowOf(page, t.bar || type === 'table_coded' ? 'Alpha' : 'アルファ').locator('a');
          await pointAt(page, alpha);
          await page.mouse.down();
          await page.mouse.up();
          await page.waitForURL(/\/alpha\.html$/);
        } finally {
          await close();
        }
      });
    });
  }

  describe(`${type}: keyboard, touch, current page, small windows`, () => {
    const project = type === 'table_coded' ? 'table_coded_moved' : type;
    it('keyboard: nothing opens on focus; Enter opens, arrows move, Escape closes and returns focus', async () => {
      const { page, close } = await open(project, 'http');
      try {
        const first = t.bar ? menuOf(page, 'HM_Array1_2') : page.locator('#elMenu2');
        const link = t.bar ? rowOf(page, t.top[1]).locator('a') : page.locator('a.navbar').filter({ hasText: t.top[1] });
        await link.focus();
        await page.keyboard.press('Tab');
        const toggle = t.bar ? rowOf(page, t.top[1]).locator('button') : page.locator('.hm-trigger-toggle').first();
        assert.ok(await toggle.evaluate((el) => el === document.activeElement), 'Tab reaches the disclosure button');
        assert.equal(await toggle.getAttribute('aria-expanded'), 'false');
        assert.ok(!(await first.isVisible().catch(() => false)), 'focus alone opens nothing');
        await page.keyboard.press('Enter');
        assert.equal(await toggle.getAttribute('aria-expanded'), 'true');
        assert.ok(await first.isVisible());
        await page.keyboard.press('Tab');
        const focused = () => page.evaluate(() => document.activeElement.textContent.trim());
        assert.equal(await focused(), t.bar || type === 'table_coded' ? 'Alpha' : 'アルファ', 'Tab goes into the open menu');
        await page.keyboard.press('ArrowDown');
        const beta = t.bar || type === 'table_coded' ? 'Beta & Gamma' : 'ベータ & "引用"';
        assert.equal(await focused(), beta);
        await page.keyboard.press('End');
        assert.equal(await focused(), t.bar || type === 'table_coded' ? 'Back\\slash' : '新着');
        await page.keyboard.press('Home');
        assert.equal(await focused(), t.bar || type === 'table_coded' ? 'Alpha' : 'アルファ', 'Home goes to the first item');
        await page.keyboard.press('Escape');
        assert.ok(!(await first.isVisible()), 'Escape closes');
        assert.ok(await toggle.evaluate((el) => el === document.activeElement), 'focus back on the button');
        await page.keyboard.press(' ');
        assert.ok(await first.isVisible(), 'Space opens');
        await page.keyboard.press(' ');
        assert.ok(!(await first.isVisible()), 'Space closes');
        if (t.bar) {
          // Arrow keys along the bar; focus leaving a menu closes it.
          await page.keyboard.press('Enter');
          await page.keyboard.press('ArrowRight');
          assert.equal(await focused(), 'Café Crème');
          assert.ok(!(await first.isVisible()), 'focus out of the menu closed it');
        }
      } finally {
        await close();
      }
    });

    it('touch: the first tap opens a submenu, the second follows its link, a tap outside closes', async () => {
      const { page, close } = await open(project, 'http', { context: { hasTouch: true } });
      try {
        const first = t.bar ? menuOf(page, 'HM_Array1_2') : page.locator('#elMenu2');
        const link = t.bar ? rowOf(page, t.top[1]).locator('a') : page.locator('a.navbar').filter({ hasText: t.top[1] });
        const box = await link.boundingBox();
        await page.touchscreen.tap(box.x + 3, box.y + box.height / 2);
        await first.waitFor({ state: 'visible' });
        assert.match(page.url(), /menu\.html$/, 'the first tap does not navigate');
        // The tap's mouse events are left out, but the focus goes to the tapped link as after them.
        await page.waitForFunction((el) => document.activeElement === el, await link.elementHandle());
        await page.touchscreen.tap(900, 700);
        await first.waitFor({ state: 'hidden' });
        await page.touchscreen.tap(box.x + 3, box.y + box.height / 2);
        await first.waitFor({ state: 'visible' });
        await page.touchscreen.tap(box.x + 3, box.y + box.height / 2);
        await page.waitForURL(/\/products\.html$/);
      } finally {
        await close();
      }
    });

    it('marks the current page\'s item and the path to it', async () => {
      fs.copyFileSync(path.join(folder(project), 'menu.html'), path.join(folder(project), 'beta1.html'));
      const { page, close } = await open(project, 'http', { file: 'beta1.html' });
      try {
        await openFirst(page, type);
        await pointAt(page, rowOf(page, t.bar || type === 'table_coded' ? 'Beta & Gamma' : 'ベータ & "引用"'));
        const current = page.locator('a[aria-current="page"]');
        await current.waitFor({ state: 'visible' });
        assert.equal(await current.count(), 1);
        assert.equal(await current.getAttribute('href'), 'beta1.html');
        const path = await page.locator('.hm-current > .hm-row').allTextContents();
        const expect = t.bar ? ['Products', 'Beta & Gamma', 'Beta one'] : type === 'table_coded'
          ? ['Beta & Gamma', 'Beta one'] : ['ベータ & "引用"', 'ベータ一'];
        assert.deepEqual(path.map((s) => s.trim()), expect);
        const shadow = await page.locator('.hm-current > .hm-row').last().evaluate((el) => getComputedStyle(el).boxShadow);
        assert.notEqual(shadow, 'none', 'the path is visibly marked');
        if (!t.bar) assert.ok(await page.locator('a.navbar.hm-current').count() === 1, 'the row link is marked');
      } finally {
        await close();
      }
    });

    // The bar (40 + 4 x 180 + 2 borders = 764 px) just fits its window and stays unfolded.
    const width = t.bar ? 764 : 700;
    it(`keeps submenus inside a ${width}-pixel-wide window`, async () => {
      const { page, close } = await open(project, 'http', { context: { viewport: { width, height: 500 } } });
      try {
        if (t.bar) {
          assert.ok(await isVisible(page, '.hm-bar'), 'the bar fits');
          await pointAt(page, rowOf(page, 'Products'));
          await pointAt(page, rowOf(page, 'Beta & Gamma'));
          await pointAt(page, rowOf(page, 'Beta two'));
          await menuOf(page, 'HM_Array1_2_2_2').waitFor({ state: 'visible' });
        } else {
          const name = type === 'table_coded' ? 'Café Crème' : '会社案内';
          await pointAt(page, page.locator("a.navbar").filter({ hasText: name }), 3);
          await page.locator('#elMenu3').waitFor({ state: 'visible' });
          if (type === 'table_coded') {
            await pointAt(page, rowOf(page, 'Naïve résumé'));
            await page.locator('[id="hm-HM_Array3_2"]').waitFor({ state: 'visible' });
          }
        }
        const boxes = await page.$$eval('.hm-menu:not(.hm-bar)', (els) => els.filter((e) => !e.hidden && e.closest('[hidden]') === null)
          .map((e) => e.getBoundingClientRect().toJSON()));
        assert.ok(boxes.length >= 1);
        for (const b of boxes) assert.ok(b.left >= 0 && b.right <= width && b.bottom <= 500, JSON.stringify(b));
      } finally {
        await close();
      }
    });

    it('works in a 400-pixel-wide window', async () => {
      const { page, problems, close } = await open(project, 'http', { context: { viewport: { width: 400, height: 700 } } });
      try {
        if (t.bar) {
          const burger = page.locator('.hm-burger');
          assert.ok(await burger.isVisible(), 'one Menu button');
          assert.ok(!(await page.locator('.hm-bar').isVisible()), 'the bar is folded');
          await burger.click();
          assert.equal(await burger.getAttribute('aria-expanded'), 'true');
          const toggle = rowOf(page, 'Products').locator('button');
          await toggle.click();
          const section = menuOf(page, 'HM_Array1_2');
          assert.ok(await section.isVisible());
          // An expanded section sits in the list under its item, not beside it.
          const sb = await section.boundingBox();
          const ib = await rowOf(page, 'Products').boundingBox();
          assert.ok(sb.y >= ib.y + ib.height - 1 && sb.x + sb.width <= 400, JSON.stringify({ sb, ib }));
          // Keyboard inside the folded list.
          await toggle.focus();
          await page.keyboard.press('Enter');
          assert.ok(!(await section.isVisible()), 'Enter closes the section');
          await page.keyboard.press('Enter');
          await page.keyboard.press('Tab');
          assert.equal(await page.evaluate(() => document.activeElement.textContent), 'Alpha');
          await page.keyboard.press('Enter');
          await page.waitForURL(/\/alpha\.html$/);
        } else {
          const first = await openFirst(page, type);
          const b = await first.boundingBox();
          assert.ok(b.x >= 0 && b.x + b.width <= 400);
        }
        assert.deepEqual(problems, []);
      } finally {
        await close();
      }
    });

    it('on a phone: laid out at its own width; taps open every level, stay open, a tap outside closes', async () => {
      const { page, problems, close } = await open(project, 'http', { context: devices['Pixel 7'] });
      const tap = async (locator) => {
        const b = await locator.boundingBox();
        await page.touchscreen.tap(b.x + Math.min(6, b.width / 2), b.y + b.height / 2);
      };
      try {
        assert.equal(await page.evaluate(() => document.documentElement.clientWidth), 412, 'the device width');
        const first = t.bar ? menuOf(page, 'HM_Array1_2') : page.locator('#elMenu2');
        const second = menuOf(page, secondLevel(type));
        // A finger that slides over the link (a scroll, a swipe) opens nothing and follows nothing.
        const cdp = await page.context().newCDPSession(page);
        const drag = async (locator, dx, dy) => {
          const b = await locator.boundingBox();
          const at = (i) => [{ x: b.x + 6 + (dx * i) / 4, y: b.y + b.height / 2 + (dy * i) / 4 }];
          await cdp.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: at(0) });
          for (let i = 1; i <= 4; i++) await cdp.send('Input.dispatchTouchEvent', { type: 'touchMove', touchPoints: at(i) });
          await cdp.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
        };
        const link = t.bar ? rowOf(page, t.top[1]).locator('a') : page.locator('a.navbar').filter({ hasText: t.top[1] });
        if (t.bar) {
          const burger = page.locator('.hm-burger');
          assert.ok(parseFloat(await burger.evaluate((el) => getComputedStyle(el).fontSize)) >= 16);
          await tap(burger);
        }
        await drag(link, 0, -30);
        await page.waitForTimeout(300);
        assert.ok(!(await first.isVisible()), 'a slide opened nothing');
        assert.match(page.url(), /menu\.html$/);
        await tap(link);
        await first.waitFor({ state: 'visible' });
        await tap(rowOf(page, t.bar || type === 'table_coded' ? 'Beta & Gamma' : 'ベータ & "引用"').locator('a'));
        await second.waitFor({ state: 'visible' });
        await page.waitForTimeout(800); // longer than the menus' hide delay
        assert.ok((await first.isVisible()) && (await second.isVisible()), 'both levels still open');
        assert.match(page.url(), /menu\.html$/);
        for (const b of [await first.boundingBox(), await second.boundingBox()]) {
          assert.ok(b.x >= 0 && b.x + b.width <= 412, JSON.stringify(b));
        }
        await page.touchscreen.tap(200, 820);
        await first.waitFor({ state: 'hidden' });
        assert.deepEqual(problems, []);
      } finally {
        await close();
      }
    });
  });
}

describe('on a tablet (touch, 768 px): the unfolded menus', () => {
  // Wide enough for the bar and for submenus beside their items, so the pop-ups open as on a desktop,
  // but by taps: the compatibility mouse events that follow each tap must not close or switch anything.
  it('taps open every level of all three types and keep them open; a second tap follows; outside closes', async () => {
    const levels = {
      js_menu: [['a', 'Products'], ['a', 'Beta & Gamma'], ['a', 'Beta two']],
      table_coded_moved: [['navbar', 'Products'], ['a', 'Beta & Gamma'], ['a', 'Beta two']],
      table_relative: [['navbar', '製品'], ['a', 'ベータ & "引用"']],
    };
    const menus = { js_menu: ['HM_Array1_2', 'HM_Array1_2_2', 'HM_Array1_2_2_2'], table_coded_moved: ['#elMenu2', 'HM_Array2_2', 'HM_Array2_2_2'],
      table_relative: ['#elMenu2', 'HM_Array2_2'] };
    for (const project of Object.keys(levels)) {
      const { page, problems, close } = await open(project, 'http', { context: devices['iPad Mini'] });
      const target = ([kind, caption]) => (kind === 'navbar' ? page.locator('a.navbar').filter({ hasText: caption })
        : rowOf(page, caption).locator('a'));
      const tap = async (locator) => {
        const b = await locator.boundingBox();
        await page.touchscreen.tap(b.x + Math.min(6, b.width / 2), b.y + b.height / 2);
      };
      const shown = menus[project].map((m) => (m.startsWith('#') ? page.locator(m) : menuOf(page, m)));
      try {
        if (project === 'js_menu') assert.ok(!(await page.locator('.hm-burger').isVisible()), 'the bar fits unfolded');
        for (let i = 0; i < levels[project].length; i++) {
          await tap(target(levels[project][i]));
          await shown[i].waitFor({ state: 'visible' });
        }
        await page.waitForTimeout(800); // longer than the menus' hide delay
        for (const m of shown) assert.ok(await m.isVisible(), `${project}: ${await m.getAttribute('id')} still open`);
        assert.match(page.url(), /menu\.html$/, `${project}: no tap followed a link yet`);
        await page.touchscreen.tap(700, 1000);
        await shown[0].waitFor({ state: 'hidden' });
        // Open again and tap the open second level's item once more: now it follows its link.
        await tap(target(levels[project][0]));
        await tap(target(levels[project][1]));
        await shown[1].waitFor({ state: 'visible' });
        assert.deepEqual(problems, []);
        await tap(target(levels[project][1]));
        await page.waitForURL(/\/beta\.html$/);
      } finally {
        await close();
      }
    }
    // The bundled example's bar (1,032 px) does not fit a tablet held either way: it folds, and taps work
    // in the folded list.
    const dir = path.join(WORK, 'club');
    if (!fs.existsSync(dir)) generate(path.join(SOURCE_DIR, 'examples', 'club', 'club.cvp'), dir);
    for (const device of ['iPad Mini landscape', 'iPad Mini']) {
      const context = await browser.newContext(devices[device]);
      const page = await context.newPage();
      try {
        await page.goto(`${server.url}club/menu.html`, { timeout: 0 });
        const burger = page.locator('.hm-burger');
        await burger.waitFor({ state: 'visible', timeout: 0 });
        const b = await burger.boundingBox();
        await page.touchscreen.tap(b.x + 6, b.y + b.height / 2);
        const section = rowOf(page, 'The club').locator('a');
        await section.waitFor({ state: 'visible' });
        const s = await section.boundingBox();
        await page.touchscreen.tap(s.x + 6, s.y + s.height / 2);
        await menuOf(page, 'HM_Array1_2').waitFor({ state: 'visible' });
        const width = devices[device].viewport.width;
        const list = await page.locator('nav.hm-tree > .hm-menu').boundingBox();
        assert.ok(list.x >= 0 && list.x + list.width <= width, `${device}: ${JSON.stringify(list)}`);
        assert.match(page.url(), /menu\.html$/);
      } finally {
        await context.close();
      }
    }
  });
});

describe('main menu bar: folding', () => {
  it('folds exactly when the bar is wider than its room, again on resize; focus leaving closes the list', async () => {
    const { page, close } = await open('js_menu', 'http');
    try {
      const bar = page.locator('.hm-bar');
      const burger = page.locator('.hm-burger');
      const box = await page.locator('nav.hm-tree').boundingBox();
      const fit = Math.round(box.x + box.width);
      assert.equal(fit, 764);
      await page.setViewportSize({ width: fit, height: 600 });
      await page.waitForFunction(() => window.innerWidth === 764);
      assert.ok((await bar.isVisible()) && !(await burger.isVisible()), 'fits at its own width');
      await page.setViewportSize({ width: fit - 1, height: 600 });
      await burger.waitFor({ state: 'visible' });
      assert.ok(!(await bar.isVisible()), 'one pixel less folds');
      await burger.click();
      await bar.waitFor({ state: 'visible' });
      await rowOf(page, 'Contact').locator('a').focus();
      await page.keyboard.press('Tab'); // on to the page's own links
      await bar.waitFor({ state: 'hidden' });
      assert.equal(await burger.getAttribute('aria-expanded'), 'false');
      await page.setViewportSize({ width: 1024, height: 600 });
      await bar.waitFor({ state: 'visible' });
      assert.ok(!(await burger.isVisible()));
    } finally {
      await close();
    }
  });
});

describe('table_coded: where the pop-ups open', () => {
  const popupOf = (page, caption) => {
    const n = TYPES.table_coded.top.indexOf(caption) + 1;
    return page.locator(`#elMenu${n}`);
  };
  it('keeps the coded place unless it covers the link, then opens just below it', async () => {
    for (const [project, kept] of [['table_coded', false], ['table_coded_moved', true]]) {
      const { page, close } = await open(project, 'http');
      try {
        for (const caption of ['Products', 'Café Crème']) {
          const link = page.locator('a.navbar').filter({ hasText: caption });
          await pointAt(page, link, 3);
          const menu = popupOf(page, caption);
          await menu.waitFor({ state: 'visible' });
          const m = await menu.boundingBox();
          const l = await link.boundingBox();
          const a = await link.locator('xpath=following-sibling::button[1]').boundingBox();
          if (kept) assert.deepEqual([m.x, m.y], [10, 40]);
          for (const r of [l, a]) {
            const apart = m.x >= r.x + r.width || r.x >= m.x + m.width || m.y >= r.y + r.height || r.y >= m.y + m.height;
            assert.ok(apart, `${project} ${caption}: ${JSON.stringify({ m, r })}`);
          }
        }
      } finally {
        await close();
      }
    }
  });

  it('a pointer crossing other links on its way into the pop-up keeps it; resting on one switches', async () => {
    const { page, close } = await open('table_coded_near', 'http');
    try {
      const from = page.locator('a.navbar').filter({ hasText: 'Café Crème' });
      await pointAt(page, from, 3);
      const menu = popupOf(page, 'Café Crème');
      await menu.waitFor({ state: 'visible' });
      const m = await menu.boundingBox();
      const f = await from.boundingBox();
      const other = await page.locator('a.navbar').filter({ hasText: 'Products' }).boundingBox();
      const start = { x: f.x + 3, y: f.y + f.height / 2 };
      const end = { x: m.x + 12, y: m.y + 6 };
      const crosses = [...Array(40).keys()].some((i) => {
        const x = start.x + (end.x - start.x) * i / 40, y = start.y + (end.y - start.y) * i / 40;
        return x > other.x && x < other.x + other.width && y > other.y && y < other.y + other.height;
      });
      assert.ok(crosses, 'the way into the pop-up crosses "Products"');
      await page.mouse.move(end.x, end.y, { steps: 12 });
      await page.waitForTimeout(400); // longer than the pointer may take crossing a link
      assert.ok(await menu.isVisible(), 'still open on arrival');
      assert.ok(!(await popupOf(page, 'Products').isVisible().catch(() => false)), 'the crossed link did not take over');
      await pointAt(page, page.locator('a.navbar').filter({ hasText: 'Products' }), 3);
      await popupOf(page, 'Products').waitFor({ state: 'visible' });
    } finally {
      await close();
    }
  });
});

describe('table types: landmark, arrow keys, names, current page, language', () => {
  it('the link row is navigation; arrows walk it and open the pop-up named after its link', async () => {
    for (const type of ['table_coded_moved', 'table_relative']) {
      const top = TYPES[type.replace(/_moved$/, '')].top;
      fs.copyFileSync(path.join(folder(type), 'menu.html'), path.join(folder(type), 'products.html'));
      const { page, close } = await open(type, 'http', { file: 'products.html', context: { locale: 'de-DE' } });
      try {
        const link = page.locator('a.navbar').filter({ hasText: top[1] });
        assert.equal(await link.evaluate((el) => !!el.closest('[role="navigation"]')), true);
        assert.equal(await link.getAttribute('aria-current'), 'page');
        await page.locator('a.navbar').first().focus();
        await page.keyboard.press('ArrowRight');
        assert.equal(await link.evaluate((el) => el === document.activeElement), true, 'ArrowRight to the next link');
        const focused = () => page.evaluate(() => document.activeElement.textContent.trim());
        await page.keyboard.press('End');
        assert.equal(await focused(), top[top.length - 1], 'End to the last link');
        await page.keyboard.press('Home');
        assert.equal(await focused(), top[0], 'Home to the first link');
        await page.keyboard.press('ArrowRight');
        await page.keyboard.press('ArrowDown');
        const menu = page.locator('#elMenu2');
        await menu.waitFor({ state: 'visible' });
        assert.equal(await menu.getAttribute('aria-label'), top[1]);
        const toggle = page.locator('.hm-trigger-toggle').first();
        assert.match(await toggle.getAttribute('aria-label'), /, Untermenü$/, 'the browser\'s language');
        assert.equal(await menu.locator('.hm-link').first().getAttribute('dir'), 'auto');
      } finally {
        await close();
      }
    }
  });
});

describe('menus at the window\'s edges', () => {
  // A bar at X 700 in a 1,280 x 400 window, a chain of eight submenus and a drop-down of 40 items.
  function edgeProject() {
    const dir = path.join(WORK, 'edges');
    if (!fs.existsSync(dir)) {
      const lines = ['Menu\t', '\tChain\tchain.html'];
      for (let i = 1; i <= 8; i++) lines.push('\t'.repeat(i + 1) + `c${i}\tc${i}.html`);
      lines.push('\tTall\ttall.html');
      for (let i = 1; i <= 40; i++) lines.push(`\t\tRow ${i}\tr${i}.html`);
      fs.mkdirSync(dir, { recursive: true });
      fs.writeFileSync(path.join(dir, 'edges.cvd'), lines.map((l) => l + '\r\n').join(''));
      fs.writeFileSync(path.join(dir, 'edges.cvp'), '[Settings]\r\nMenuType=0\r\nMenuWidth=150\r\nX=700\r\nY=10\r\n');
      generate(path.join(dir, 'edges.cvp'), path.join(dir, 'site'));
    }
    return `${server.url}edges/site/menu.html`;
  }

  it('a chain turns left at the right edge and never lies on a menu two levels up; a tall menu scrolls', async () => {
    const context = await browser.newContext({ viewport: { width: 1280, height: 400 } });
    const page = await context.newPage();
    try {
      await page.goto(edgeProject(), { timeout: 0 });
      await page.waitForSelector('.hm-bar', { timeout: 0 });
      await rowOf(page, 'Chain').locator('a').focus();
      await page.keyboard.press('ArrowDown');
      for (let i = 1; i < 8; i++) await page.keyboard.press('ArrowRight');
      const menus = await page.$$eval('.hm-menu:not(.hm-bar)', (els) => els.filter((e) => !e.hidden)
        .map((e) => ({ level: e.id.split('_').length - 1, r: e.getBoundingClientRect().toJSON() })));
      assert.equal(menus.length, 8);
      assert.ok(menus.some((m) => m.r.right <= 700), 'the chain turned left');
      for (const a of menus) {
        assert.ok(a.r.left >= 0 && a.r.right <= 1280, JSON.stringify(a));
        for (const b of menus) {
          if (b.level > a.level - 2) continue;
          const apart = a.r.left >= b.r.right || b.r.left >= a.r.right || a.r.top >= b.r.bottom || b.r.top >= a.r.bottom;
          assert.ok(apart, `level ${a.level} lies on level ${b.level}`);
        }
      }
      // The 40-item drop-down: below its bar item, inside the window, scrolling.
      await page.keyboard.press('Escape');
      await pointAt(page, rowOf(page, 'Tall'));
      const tall = menuOf(page, 'HM_Array1_2');
      await tall.waitFor({ state: 'visible' });
      const item = await rowOf(page, 'Tall').boundingBox();
      const tb = await tall.boundingBox();
      assert.ok(tb.y >= item.y + item.height - 1 && tb.y + tb.height <= 400, JSON.stringify({ tb, item }));
      assert.ok(await tall.evaluate((el) => el.scrollHeight > el.clientHeight), 'scrolls inside itself');
      // A click on the arrow of the drop-down that hovering opened keeps it; the next one closes it.
      const arrow = rowOf(page, 'Tall').locator('button');
      await arrow.click();
      assert.ok(await tall.isVisible(), 'the click after hovering keeps it open');
      await arrow.click();
      await tall.waitFor({ state: 'hidden' });
    } finally {
      await context.close();
    }
  });
});

describe('submenus built ahead', () => {
  it('are the same as those built on opening, and only one level below the open menus is built', async () => {
    const cases = { js_menu: ['a', 'HM_Array1_2'], table_coded_moved: ['navbar', 'HM_Array2'] };
    for (const [project, [kind, first]] of Object.entries(cases)) {
      fs.copyFileSync(path.join(folder(project), 'menu.html'), path.join(folder(project), 'beta1.html'));
      const markup = [];
      // Without idle time the page builds nothing ahead: every submenu is built when it opens. The pop-ups
      // of the link row are built ahead after the page has loaded.
      for (const init of [undefined, () => { window.requestIdleCallback = () => 0; }]) {
        const { page, problems, close } = await open(project, 'http', { file: 'beta1.html', init });
        try {
          if (kind === 'navbar' && !init) await page.locator('#elMenu2').waitFor({ state: 'attached' });
          if (kind === 'navbar') await pointAt(page, page.locator('a.navbar').filter({ hasText: 'Products' }), 4);
          else await pointAt(page, rowOf(page, 'Products'));
          await page.locator(`[id="hm-${first}_2"]`).waitFor({ state: init ? 'detached' : 'attached' });
          if (init) await page.waitForTimeout(300);
          assert.equal(await page.locator(`[id="hm-${first}_2"]`).count(), init ? 0 : 1, `${project}: built ahead`);
          assert.equal(await page.locator(`[id="hm-${first}_2_2"]`).count(), 0, `${project}: nothing two levels below`);
          await pointAt(page, rowOf(page, 'Beta & Gamma'));
          const sub = menuOf(page, `${first}_2`);
          await sub.waitFor({ state: 'visible' });
          const own = (el) => {
            const copy = el.cloneNode(true);
            for (const m of copy.querySelectorAll('.hm-menu')) m.remove();
            return copy.outerHTML;
          };
          markup.push(await sub.evaluate(own) + (kind === 'navbar' ? await page.locator('#elMenu2').evaluate(own) : ''));
          assert.deepEqual(problems, []);
        } finally {
          await close();
        }
      }
      assert.match(markup[0], /aria-current="page"/);
      assert.equal(markup[0], markup[1], project);
    }
  });
});

describe('hover intent', () => {
  it('a pointer crossing another item on its way into an open submenu keeps it; resting there switches', async () => {
    const { page, close } = await open('js_menu', 'http');
    try {
      await openFirst(page, 'js_menu');
      const beta = rowOf(page, 'Beta & Gamma');
      await pointAt(page, beta);
      const sub = menuOf(page, 'HM_Array1_2_2');
      await sub.waitFor({ state: 'visible' });
      const s = await sub.boundingBox();
      const other = await rowOf(page, 'New things').boundingBox();
      assert.ok(s.y + s.height > other.y, 'the way into the submenu crosses "New things"');
      // Diagonally down and right, across "New things", into the submenu's lower item.
      await page.mouse.move(s.x + 12, s.y + s.height - 6, { steps: 12 });
      assert.ok(await sub.isVisible(), 'still open on arrival');
      await pointAt(page, rowOf(page, 'Beta two'));
      await menuOf(page, 'HM_Array1_2_2_2').waitFor({ state: 'visible' });
      // Straight down from "Beta & Gamma" onto "New things": that item takes over.
      await pointAt(page, beta);
      const b = await beta.boundingBox();
      await page.mouse.move(b.x + 8, other.y + other.height / 2, { steps: 3 });
      await sub.waitFor({ state: 'hidden', timeout: 1500 });
    } finally {
      await close();
    }
  });
});

describe('loader', () => {
  it('reports a missing data file in the console and leaves the page working', async () => {
    const dir = path.join(WORK, 'no_arrays');
    fs.mkdirSync(dir, { recursive: true });
    for (const f of fs.readdirSync(folder('js_menu'))) fs.copyFileSync(path.join(folder('js_menu'), f), path.join(dir, f));
    fs.rmSync(path.join(dir, 'hierArrays.js'));
    const context = await browser.newContext();
    const page = await context.newPage();
    const errors = [];
    page.on('console', (m) => m.type() === 'error' && errors.push(m.text()));
    page.on('pageerror', (e) => errors.push(e.message));
    try {
      await page.goto(`${server.url}no_arrays/menu.html`);
      await page.waitForFunction(() => window.HM_Corvantel);
      assert.ok(errors.some((e) => /HM_Loader: could not load .*hierArrays\.js/.test(e)), errors.join('\n'));
      assert.equal(await page.locator('.hm-tree').count(), 0);
    } finally {
      await context.close();
    }
  });

  it('reads the character references of captions as the HTML parser does', async () => {
    // Plain references take a short way past the parser; the others must still reach it.
    // One doubtful reference per caption: a caption takes the short way only when all of its references do.
    const captions = ['A &amp; B &lt;c&gt; &quot;d&quot; &apos;e&apos; f&nbsp;g', '&#65;&#x42;&#X43; &#0065; &#x1F600;',
      '&copy 2025', 'x &notin; y', '&amp x', '&ampx', 'AT&T', '&#128;', '&#x9F;', '&#0;', '&#13;', '&#xD800;',
      '&#1114112;', '&#x110000;', '&&amp;;', '&#; &#x;'];
    const dir = path.join(WORK, 'references');
    fs.mkdirSync(dir, { recursive: true });
    for (const f of fs.readdirSync(folder('js_menu'))) fs.copyFileSync(path.join(folder('js_menu'), f), path.join(dir, f));
    const rows = captions.map((c, i) => `[${JSON.stringify(c)},"r${i}.html", 1, 0, 0]`);
    fs.writeFileSync(path.join(dir, 'hierArrays.js'), 'HM_Array1 = [\r\n' +
      '[150, 0, 2, "#000000", "#FFFFFF", "#EFF7FF", "#003F5C", "#000000", "#000000", 1, 1, 0, 1, 0, 1, "null", "null",],\r\n' +
      rows.join(',\r\n') + ']\r\n');
    const context = await browser.newContext();
    const page = await context.newPage();
    try {
      await page.goto(`${server.url}references/menu.html`);
      await page.waitForSelector('.hm-bar', { state: 'attached' }); // folded: too wide for the window
      const shown = await page.locator('.hm-bar .hm-link').allTextContents();
      const parsed = await page.evaluate((list) => list.map((c) => {
        const t = document.createElement('template');
        t.innerHTML = c;
        return t.content.textContent;
      }), captions);
      assert.deepEqual(shown, parsed);
    } finally {
      await context.close();
    }
  });

  it('builds nothing from hostile data: script in captions stays inert', async () => {
    const dir = path.join(WORK, 'hostile');
    fs.mkdirSync(dir, { recursive: true });
    for (const f of fs.readdirSync(folder('js_menu'))) fs.copyFileSync(path.join(folder('js_menu'), f), path.join(dir, f));
    fs.writeFileSync(path.join(dir, 'hierArrays.js'), [
      'HM_Array1 = [',
      '[150, 0, 2, "red;}</style><script>", "#FFFFFF", "#EFF7FF", "#003F5C", "#000000", "#000000", 1, 1, 0, 1, 0, 1, "null", "null",],',
      '["<img src=x onerror=\\"window.hacked=1\\">Pic","a.html", 1, 0, 0],',
      '["<script>window.hacked=2</script>Scr","b.html", 1, 0, 1]]',
      'HM_Array1_2 = [', '[],', '["<i onclick=\\"x()\\">It</i>","c.html", 1, 0, 0]]', ''].join('\r\n'));
    const context = await browser.newContext();
    const page = await context.newPage();
    try {
      await page.goto(`${server.url}hostile/menu.html`);
      await page.waitForSelector('.hm-bar');
      await pointAt(page, rowOf(page, 'Scr'));
      await menuOf(page, 'HM_Array1_2').waitFor({ state: 'visible' });
      assert.equal(await page.evaluate(() => window.hacked), undefined);
      assert.equal(await page.locator('[onerror], [onclick]').count(), 0);
      assert.equal(await page.locator('.hm-row i:text-is("It")').count(), 1, 'harmless markup stays');
      // An unusable colour falls back to the page parameter.
      assert.equal(await rowOf(page, 'Pic').evaluate((el) => getComputedStyle(el).color), 'rgb(0, 0, 128)');
    } finally {
      await context.close();
    }
  });
});

describe('a small site: import its navigation, check its links, put the menu into its pages', () => {
  it('works from the command line on ten pages in three folders', async () => {
    const dir = path.join(WORK, 'own_site');
    const site = path.join(dir, 'site');
    for (const sub of ['', 'products', 'guide']) fs.mkdirSync(path.join(site, sub), { recursive: true });
    // The site's own navigation, as its author wrote it by hand; one link leads to a page not written yet.
    const nav = '<nav class="site"><ul>\n' +
      '<li><a href="index.html">Home</a></li>\n' +
      '<li><a href="products/index.html">Products</a><ul>\n' +
      '  <li><a href="products/tables.html">Tables</a><li><a href="products/chairs.html"><b>Chairs</b></a>\n' +
      '  <li><a href="products/lamps.html">Lamps &amp; lights</a></ul>\n' +
      '<li><a href="guide/index.html">Guide</a><ul>\n' +
      '  <li><a href="guide/install.html">Install</a></li><li><a href="guide/upgrade.html">Upgrade</a></li>\n' +
      '  <li><a href="guide/faq.html#top">Questions</a></li></ul></li>\n' +
      '<li><a href="about.html">About</a></li><li><a href="contact.html">Contact</a></li>\n' +
      '<li><a href="mailto:info@example.org">Mail us</a></li>\n' +
      '</ul></nav>\n';
    const pages = ['index.html', 'about.html', 'contact.html', 'products/index.html', 'products/tables.html',
      'products/chairs.html', 'products/lamps.html', 'guide/index.html', 'guide/install.html', 'guide/faq.html'];
    const writePage = (p) => fs.writeFileSync(path.join(site, p),
      `<!DOCTYPE html>\n<html lang="en"><head><meta charset="utf-8"><title>${p}</title></head>\n` +
      `<body>\n<main style="margin-top:80px"><h1>${p}</h1></main>\n${p === 'index.html' ? nav : ''}</body></html>\n`);
    pages.forEach(writePage);
    fs.writeFileSync(path.join(dir, 'own.cvp'),
      fs.readFileSync(path.join(DATA_DIR, 'js_menu.cvp'), 'utf8').replace(/\r?\n?$/, '\r\nSiteFolder=site\r\n'));
    const program = process.env.CORVANTEL || path.join(SOURCE_DIR, 'build', 'corvantel');
    const run = (...args) => {
      const r = spawnSync(program, args, { encoding: 'utf8' });
      assert.equal(r.status, 0, r.stderr);
      return r;
    };

    const imported = run('--import', path.join(site, 'index.html'), path.join(dir, 'own.cvp'));
    assert.match(imported.stdout, /^imported: 12 menu items/m);
    assert.match(fs.readFileSync(path.join(dir, 'own.cvp'), 'utf8'), /^MenuType=0\r?$/m, 'the settings are kept');
    // A new project takes the page's folder as its site folder.
    run('--import', path.join(site, 'index.html'), path.join(dir, 'new.cvp'));
    assert.match(fs.readFileSync(path.join(dir, 'new.cvp'), 'utf8'), /^SiteFolder=site\r?$/m);
    const out = path.join(dir, 'generated');
    fs.mkdirSync(out);
    assert.match(run('--generate', out, path.join(dir, 'own.cvp')).stderr, /Upgrade.*guide\/upgrade\.html/);
    pages.push('guide/upgrade.html');
    writePage('guide/upgrade.html');
    assert.doesNotMatch(run('--generate', out, path.join(dir, 'own.cvp')).stderr, /upgrade/);

    const inserted = run('--insert', path.join(dir, 'own.cvp'), ...pages);
    assert.equal(inserted.stdout.match(/^changed: /gm).length, pages.length);
    assert.ok(fs.readFileSync(path.join(site, 'index.html'), 'utf8').includes(`</main>\n${nav}</body>`),
      'the page outside the markers is as it was');

    for (const [file, current, opens, array] of [['index.html', 'Home', null, null],
      ['products/chairs.html', 'Chairs', 'Products', 'HM_Array1_2'], ['guide/upgrade.html', 'Upgrade', 'Guide', 'HM_Array1_3']]) {
      const context = await browser.newContext({ viewport: { width: 1280, height: 768 } });
      const page = await context.newPage();
      const problems = [];
      page.on('pageerror', (e) => problems.push(e.message));
      page.on('response', (res) => res.status() >= 400 && problems.push(`${res.status()} ${res.url()}`));
      try {
        await page.goto(`${server.url}own_site/site/${file}`);
        await page.waitForSelector('.hm-bar');
        if (opens) {
          await pointAt(page, rowOf(page, opens));
          await menuOf(page, array).waitFor({ state: 'visible' });
          // The arrow picture of the bar item comes from the site's folder.
          assert.match(await rowOf(page, opens).locator('.hm-arrow').evaluate((el) => getComputedStyle(el).content),
            /\/own_site\/site\/tri\.gif"/);
        }
        const marked = page.locator('a[aria-current="page"]');
        assert.equal(await marked.count(), 1, file);
        assert.equal((await marked.textContent()).trim(), current);
        assert.equal(await marked.evaluate((a) => a.href), `${server.url}own_site/site/${file}`);
        const home = page.locator('.hm-bar a.hm-link').filter({ hasText: 'Home' });
        await home.click();
        await page.waitForURL(`${server.url}own_site/site/index.html`);
        assert.deepEqual(problems, []);
      } finally {
        await context.close();
      }
    }
    assert.doesNotMatch(run('--insert', path.join(dir, 'own.cvp'), ...pages).stdout, /^changed: /m);
  });
});
