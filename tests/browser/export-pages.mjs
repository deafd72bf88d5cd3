// Opens the exported pages in headless chromium and checks what a visitor gets: the viewer's photo
// chosen by the address, its caption and alt text, Previous and Next, the popup links and the static
// links, and the pages of hostile albums from a file and over HTTP.
// Usage: node export-pages.mjs PATH_TO_export_browser_pages
// CHROMIUM may name another browser binary; /usr/bin/chromium is the default.

import { execFileSync } from 'node:child_process';
import { copyFileSync, mkdirSync, mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { check, expect, expectEqual, results } from './Checks.mjs';
import { ChromiumPipe, Tab } from './ChromiumPipe.mjs';
import { hostileChecks } from './hostile-albums.mjs';
import { PageServer } from './PageServer.mjs';

const pageWriter = process.argv[2];
if (!pageWriter) {
  console.error('usage: node export-pages.mjs PATH_TO_export_browser_pages');
  process.exit(2);
}

// What each viewer page must show, by photo number: the captions as the story texts were written.
const kViewerCaptions = [
  { text: 'First "line"\nwith bold & more', alt: "First 'line'\nwith bold & more", bold: 'bold', breaks: 1 },
  { text: 'ends in a backslash \\', alt: 'ends in a backslash \\', breaks: 0 },
  { text: 'stop alert(7) here', alt: 'stop alert(7) here', breaks: 0 },
  { text: "it's \\n fine", alt: "it's \\n fine", breaks: 0 },
  { text: 'Last page', alt: 'Last page', breaks: 0 },
];

const kStartPhotos = [
  ['', 1], ['?', 1], ['?photo=0', 1], ['?photo=-2', 1], ['?photo=abc', 1], ['?photo=2&photo=3', 1],
  ['?x=1&photo=3&y=2', 3], ['?photo=3', 3], ['?photo=+4', 4], ['?photo=%35', 5], ['?photo=5', 5],
  ['?photo=2.5', 1], ['?photo=9', 1], ['?photo=', 1], ['?photo', 1],
];

function viewerState(tab) {
  return tab.evaluate(`(() => {
    const image = document.getElementById('mainImage');
    const caption = document.getElementById('snaptext');
    return {
      href: location.href,
      photo: glbCurrentPhoto,
      src: image ? image.getAttribute('src') : null,
      alt: image ? image.getAttribute('alt') : null,
      loaded: image ? image.complete && image.naturalWidth > 0 : false,
      text: caption.textContent,
      bold: caption.querySelector('b') ? caption.querySelector('b').textContent : undefined,
      breaks: caption.querySelectorAll('br').length,
    };
  })()`);
}

async function expectPhoto(tab, snapshots, photo) {
  const state = await viewerState(tab);
  const caption = kViewerCaptions[photo - 1];
  expectEqual(state.photo, photo, 'photo number');
  expectEqual(state.src, snapshots[photo - 1], 'image');
  expect(state.loaded, `image ${state.src} did not load`);
  expectEqual(state.alt, caption.alt, 'alt text');
  expectEqual(state.text, caption.text, 'caption');
  expectEqual(state.bold, caption.bold, 'bold markup in the caption');
  expectEqual(state.breaks, caption.breaks, 'line breaks in the caption');
  return state;
}

async function viewerChecks(tab, folderUrl, snapshots) {
  const viewer = `${folderUrl}/viewer.html`;
  for (const [query, photo] of kStartPhotos) {
    await check(`viewer address "${query}" shows photo ${photo}`, tab, async () => {
      await tab.navigate(viewer + query);
      await expectPhoto(tab, snapshots, photo);
    });
  }
  await check('viewer Next goes to the following photo', tab, async () => {
    await tab.navigate(`${viewer}?photo=2`);
    await tab.clickAndLoad('a[href*="showNext"]');
    const state = await expectPhoto(tab, snapshots, 3);
    expectEqual(state.href, `${viewer}?photo=3`, 'address');
  });
  await check('viewer Previous goes to the photo before', tab, async () => {
    await tab.navigate(`${viewer}?photo=2`);
    await tab.clickAndLoad('a[href*="showPrevious"]');
    const state = await expectPhoto(tab, snapshots, 1);
    expectEqual(state.href, `${viewer}?photo=1`, 'address');
  });
  await check('viewer Next replaces the whole query', tab, async () => {
    await tab.navigate(`${viewer}?x=1&photo=4&y=2`);
    await tab.clickAndLoad('a[href*="showNext"]');
    const state = await expectPhoto(tab, snapshots, 5);
    expectEqual(state.href, `${viewer}?photo=5`, 'address');
  });
  await check('viewer Next on the last photo stays there', tab, async () => {
    await tab.navigate(`${viewer}?photo=5`);
    await tab.clickAndStay('a[href*="showNext"]');
    await expectPhoto(tab, snapshots, 5);
  });
  await check('viewer Previous on the first photo stays there', tab, async () => {
    await tab.navigate(viewer);
    await tab.clickAndStay('a[href*="showPrevious"]');
    await expectPhoto(tab, snapshots, 1);
  });
  await check('viewer Next after a photo number past the end goes to photo 2', tab, async () => {
    await tab.navigate(`${viewer}?photo=9`);
    await tab.clickAndLoad('a[href*="showNext"]');
    await expectPhoto(tab, snapshots, 2);
  });
  await check('viewer without pages shows no photo and both links stay', tab, async () => {
    for (const query of ['', '?photo=1', '?photo=3']) {
      await tab.navigate(`${folderUrl}/viewer_empty.html${query}`);
      expectEqual(await tab.evaluate(`document.getElementById('snapshot').innerHTML`), '', 'picture element');
      expectEqual(await tab.evaluate(`document.getElementById('snaptext').textContent`), '', 'caption element');
      await tab.clickAndStay('a[href*="showNext"]');
      await tab.clickAndStay('a[href*="showPrevious"]');
    }
  });
}

async function popupChecks(tab, folderUrl, pages) {
  await check('popup page defines OpenBrWindow and its links open each snapshot', tab, async () => {
    await tab.navigate(`${folderUrl}/popup.html`);
    expectEqual(await tab.evaluate('typeof OpenBrWindow'), 'function', 'OpenBrWindow');
    const links = await tab.evaluate(`[...document.querySelectorAll('a[onclick]')].map((a) => a.textContent)`);
    expectEqual(links.length, 2 * pages.length, 'number of popup links');
    expectEqual(await tab.evaluate(`[...document.images].filter((i) => i.naturalWidth > 0).length`),
                pages.length, 'thumbnails that loaded');
    for (let i = 0; i < links.length; i++) {
      const snapshot = pages[Math.floor(i / 2)].snapshot;
      // The next link reuses a window named 'Snapshot' while one exists: each goes before the next.
      await tab.clickForWindow('a[onclick]', i, (url) => url.endsWith(`/${snapshot}`), snapshot);
    }
    expectEqual(await tab.evaluate('location.href'), `${folderUrl}/popup.html`, 'the page itself stays');
  });
}

async function staticChecks(tab, folderUrl, pages) {
  await check('static page links every thumbnail and [view] to its snapshot', tab, async () => {
    await tab.navigate(`${folderUrl}/static.html`);
    const rows = await tab.evaluate(`[...document.images].map((image) => ({
      thumbnail: image.getAttribute('src'),
      link: image.closest('a') ? image.closest('a').getAttribute('href') : null,
      loaded: image.naturalWidth > 0,
    }))`);
    expectEqual(rows, pages.map((p) => ({ thumbnail: p.thumbnail, link: p.snapshot, loaded: true })), 'thumbnails');
    const views = await tab.evaluate(
      `[...document.querySelectorAll('a')].filter((a) => a.textContent === '[view]').map((a) => a.getAttribute('href'))`);
    expectEqual(views, pages.map((p) => p.snapshot), '[view] links');
    await tab.clickAndLoad('a[href]:not([href^="javascript"])');
    expectEqual(await tab.evaluate('location.href'), `${folderUrl}/${pages[0].snapshot}`, 'first link opens');
  });
}

async function main() {
  // The pages lie in a folder of their own; the server serves its parent, where pictures wait under
  // the names that a careless page would reach with "../".
  const root = mkdtempSync(join(tmpdir(), 'brindlecove-pages-'));
  const folder = join(root, 'pages');
  let browser;
  let server;
  try {
    mkdirSync(folder);
    const written = JSON.parse(execFileSync(pageWriter, [folder], { encoding: 'utf8' }));
    for (const decoy of ['snapshot_outside.jpg', 'thumbnail_outside.jpg'])
      copyFileSync(join(folder, written['viewer.html'][0].snapshot), join(root, decoy));
    const folderUrl = pathToFileURL(folder).href;
    server = await PageServer.start(root);
    browser = await ChromiumPipe.launch(process.env.CHROMIUM || '/usr/bin/chromium');
    await browser.send('Target.setDiscoverTargets', { discover: true });
    const tab = await Tab.open(browser);
    await viewerChecks(tab, folderUrl, written['viewer.html'].map((p) => p.snapshot));
    await popupChecks(tab, folderUrl, written['popup.html']);
    await staticChecks(tab, folderUrl, written['static.html']);
    await hostileChecks(tab, { file: folderUrl, http: `${server.url}/pages` }, written.hostile, server);
  } catch (error) {
    results.failed++;
    console.log(`not ok - the browser tests could not run: ${error.message}`);
  } finally {
    if (browser)
      await browser.close();
    if (server)
      await server.close();
    rmSync(root, { recursive: true, force: true });
  }
  console.log(`${results.passed} passed, ${results.failed} failed`);
  process.exit(results.failed === 0 && results.passed > 0 ? 0 : 1);
}

main();
