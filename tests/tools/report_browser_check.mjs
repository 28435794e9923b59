// The report page in a real browser: for a short run of each class, headless Chromium
// loads the page with no console error, and between a time before the rear doors open and
// one after, the 3D view changes where the left door leaf is drawn and not in a corner
// away from it, and the doors plot's reading of the left door changes.
//   node report_browser_check.mjs VESSELHOST NODE_MODULES WORK_FOLDER
// Exits 77 (skipped) without Chromium.
import { existsSync, mkdirSync, mkdtempSync, rmSync, writeFileSync } from 'node:fs';
import { execFileSync } from 'node:child_process';
import { join } from 'node:path';
import { tmpdir } from 'node:os';
import { pathToFileURL } from 'node:url';

const CHROMIUM = '/usr/bin/chromium';
const [vesselhost, nodeModules, work] = process.argv.slice(2);
if (!existsSync(CHROMIUM)) {
  console.log(`skipped: no Chromium at ${CHROMIUM}`);
  process.exit(77);
}
const { chromium } = await import(pathToFileURL(join(nodeModules, 'playwright-core/index.mjs')));

// Key D at 0.5 s: the latches turn until 2.5 s, the leaves until 4.5 s.
const BEFORE = 1.0;
const AFTER = 5.0;
const scenario = (className) => `BEGIN_DESC
Doors of a ${className}
END_DESC
BEGIN_ENVIRONMENT
  STEP 0.02
  DURATION 6
  SOUND OFF
END_ENVIRONMENT
BEGIN_SHIPS
V1:${className}
  HEADING 30
END
END_SHIPS
BEGIN_INPUT
  0.5 V1 KEY D
END_INPUT
`;

// Share of the pixels in `box` (page pixels) that differ between two screenshots.
function changedShare(page, first, second, box) {
  return page.evaluate(async ({ first, second, box }) => {
    const pixels = async (png) => {
      const image = new Image();
      image.src = `data:image/png;base64,${png}`;
      await image.decode();
      const canvas = document.createElement('canvas');
      canvas.width = image.width;
      canvas.height = image.height;
      const ctx = canvas.getContext('2d');
      ctx.drawImage(image, 0, 0);
      return ctx.getImageData(Math.round(box.x), Math.round(box.y), Math.max(1, Math.round(box.width)), Math.max(1, Math.round(box.height))).data;
    };
    const a = await pixels(first);
    const b = await pixels(second);
    let changed = 0;
    for (let i = 0; i < a.length; i += 4)
      if (Math.abs(a[i] - b[i]) + Math.abs(a[i + 1] - b[i + 1]) + Math.abs(a[i + 2] - b[i + 2]) > 24) ++changed;
    return changed / (a.length / 4);
  }, { first: first.toString('base64'), second: second.toString('base64'), box });
}

const union = (a, b) => {
  const x = Math.min(a.x, b.x);
  const y = Math.min(a.y, b.y);
  return { x, y, width: Math.max(a.x + a.width, b.x + b.width) - x, height: Math.max(a.y + a.height, b.y + b.height) - y };
};

mkdirSync(work, { recursive: true });
const profile = mkdtempSync(join(tmpdir(), 'report-chromium-'));
const context = await chromium.launchPersistentContext(profile, {
  executablePath: CHROMIUM,
  headless: true,
  viewport: { width: 1400, height: 1100 },
  deviceScaleFactor: 1,
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
    '--disable-component-update', '--disable-sync', '--enable-unsafe-swiftshader'],
});
const failures = [];
try {
  for (const className of ['VARLOK1', 'VARLOK3C', 'KELDOCONTROL']) {
    const folder = join(work, className);
    mkdirSync(folder, { recursive: true });
    writeFileSync(join(folder, 'doors.scn'), scenario(className));
    execFileSync(vesselhost, ['run', 'doors.scn', '--report', 'doors.html', '--no-progress'], { cwd: folder, stdio: 'pipe' });

    const page = await context.newPage();
    const errors = [];
    page.on('console', (message) => message.type() === 'error' && errors.push(message.text()));
    page.on('pageerror', (error) => errors.push(String(error)));
    // Offline: any request that leaves the file fails the check.
    await page.route(/^(?!file:|data:|blob:)/, (route) => {
      errors.push(`request for ${route.request().url()}`);
      return route.abort();
    });
    await page.goto(pathToFileURL(join(folder, 'doors.html')).href);
    await page.waitForSelector('body[data-ready="true"]', { timeout: 60000 });
    await page.evaluate(() => window.report.camera('follow'));

    const shot = async (t) => {
      await page.evaluate((time) => window.report.seek(time), t);
      const door = await page.evaluate(() => window.report.partBox(0, 'door_left'));
      const reading = await page.evaluate(() => {
        const rows = [...document.querySelectorAll('[data-plot="doors"] .u-legend tr')];
        const row = rows.find((r) => r.textContent.includes('door left'));
        if (!row) return null;
        const r = row.getBoundingClientRect();
        return { x: r.left, y: r.top, width: r.width, height: r.height };
      });
      const corner = await page.evaluate(() => {
        const r = document.getElementById('replay').getBoundingClientRect();
        return { x: r.left + 4, y: r.top + 4, width: 60, height: 40 };
      });
      return { image: await page.screenshot({ fullPage: true }), door, reading, corner };
    };
    const before = await shot(BEFORE);
    const after = await shot(AFTER);
    const check = (what, ok) => ok || failures.push(`${className}: ${what}`);
    check(`console errors: ${errors.join('; ')}`, errors.length === 0);
    check('no left door drawn', before.door && after.door);
    check('no door reading in the doors plot', before.reading);
    if (before.door && after.door && before.reading) {
      const door = await changedShare(page, before.image, after.image, union(before.door, after.door));
      const corner = await changedShare(page, before.image, after.image, before.corner);
      const reading = await changedShare(page, before.image, after.image, before.reading);
      console.log(`${className}: changed where the door is ${(door * 100).toFixed(1)} %, in the corner ${(corner * 100).toFixed(1)} %, in the door reading ${(reading * 100).toFixed(1)} %`);
      check('the 3D view does not change where the door opened', door > 0.02);
      check('the 3D view changes away from the door', corner === 0);
      check("the doors plot's reading does not change", reading > 0);
    }
    await page.close();
  }

  // Texts of the run that would end a script element or open a comment in one: the
  // page still runs and shows them as they were written.
  const hostile = '<!-- <script> </script> <\/script> -->';
  const folder = join(work, 'hostile');
  mkdirSync(folder, { recursive: true });
  const fileName = '<!--<script>.scn';
  writeFileSync(join(folder, fileName), scenario('VARLOK1').replace('Doors of a VARLOK1', hostile));
  execFileSync(vesselhost, ['run', fileName, '--report', 'hostile.html', '--no-progress'], { cwd: folder, stdio: 'pipe' });
  const page = await context.newPage();
  const errors = [];
  page.on('pageerror', (error) => errors.push(String(error)));
  await page.goto(pathToFileURL(join(folder, 'hostile.html')).href);
  const ready = await page.waitForSelector('body[data-ready="true"]', { timeout: 60000 }).then(() => true, () => false);
  const text = await page.evaluate(() => document.body.innerText);
  const title = await page.title();
  const check = (what, ok) => ok || failures.push(`hostile texts: ${what}`);
  check(`the page did not get ready (${errors.join('; ')})`, ready && errors.length === 0);
  check('the description is not shown as written', text.includes(hostile));
  check(`the file name is not in the title (${title})`, title.includes(fileName));
  console.log(`hostile texts: page ready ${ready}, description shown ${text.includes(hostile)}`);
  await page.close();
} finally {
  await context.close();
  rmSync(profile, { recursive: true, force: true });
}
if (failures.length) {
  console.error(failures.join('\n'));
  process.exit(1);
}
console.log('report page checks passed');
