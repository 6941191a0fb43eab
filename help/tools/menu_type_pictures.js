// Draws the pictures of the three main-menu types for the help: the example project generated once per
// type, opened in headless Chromium with a submenu dropped down, and the top of the page saved as PNG
// into help/topics/images. Run it by hand after a change to the generated page or the example:
//   node help/tools/menu_type_pictures.js        (needs tests/web/node_modules and a built program)
'use strict';
const fs = require('fs');
const os = require('os');
const path = require('path');
const { launchBrowser, serve, generate, SOURCE_DIR } = require('../../tests/web/lib/harness.js');

const EXAMPLE = path.join(SOURCE_DIR, 'examples', 'club');
const OUT = path.join(SOURCE_DIR, 'help', 'topics', 'images');
const TYPES = [
  { type: 0, file: 'menu_js.png' },
  { type: 1, file: 'menu_table_coded.png' },
  { type: 2, file: 'menu_table_relative.png' },
];

async function main() {
  const work = fs.mkdtempSync(path.join(os.tmpdir(), 'corvantel-pictures-'));
  const browser = await launchBrowser();
  try {
    for (const { type, file } of TYPES) {
      const project = path.join(work, `type${type}`);
      fs.mkdirSync(project);
      const settings = fs.readFileSync(path.join(EXAMPLE, 'club.cvp'), 'utf8').replace(/^MenuType=\d+/m, `MenuType=${type}`);
      fs.writeFileSync(path.join(project, 'club.cvp'), settings);
      fs.copyFileSync(path.join(EXAMPLE, 'club.cvd'), path.join(project, 'club.cvd'));
      const site = path.join(project, 'site');
      fs.mkdirSync(site);
      generate(path.join(project, 'club.cvp'), site);
      const server = await serve(site);
      const page = await browser.newPage({ viewport: { width: 640, height: 190 } });
      await page.goto(server.url + 'menu.html');
      await page.waitForFunction(() => window.HM_Corvantel && document.getElementById('hm-styles'));
      // Point at "The club", then at "Boathouse" in its drop-down, as a visitor would.
      const top = type === 0
        ? page.locator('.hm-row').filter({ has: page.getByText('The club', { exact: true }) }).first()
        : page.locator('a.navbar').filter({ hasText: 'The club' }).first();
      let box = await top.boundingBox();
      await page.mouse.move(box.x + 6, box.y + box.height / 2, { steps: 4 });
      const sub = page.locator('.hm-menu .hm-row').filter({ has: page.getByText('Boathouse', { exact: true }) }).first();
      await sub.waitFor({ state: 'visible' });
      box = await sub.boundingBox();
      await page.mouse.move(box.x + 10, box.y + box.height / 2, { steps: 4 });
      await page.locator('.hm-menu .hm-row').filter({ has: page.getByText('Opening hours', { exact: true }) })
        .first().waitFor({ state: 'visible' });
      await page.waitForTimeout(300);
      await page.screenshot({ path: path.join(OUT, file) });
      await page.close();
      await server.close();
      console.log('wrote', path.join(OUT, file));
    }
  } finally {
    await browser.close();
    fs.rmSync(work, { recursive: true, force: true });
  }
}

main().catch((e) => {
  console.error(e);
  process.exit(1);
});
