// Opens the pages of a realistic album (eight pages of 1024x768 snapshots, one picture missing) in
// headless chromium on a phone's, two laptops' and a large screen, and checks what a visitor sees:
// text of a readable size that never scrolls sideways, the viewer's picture within its column and
// in its own shape with Previous and Next on screen, every story shown alike by the three templates,
// and a missing picture that does not show its story a second time.
// Usage: node page-layout.mjs PATH_TO_export_layout_pages
// CHROMIUM may name another browser binary; /usr/bin/chromium is the default.

import { execFileSync } from 'node:child_process';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { check, expect, expectEqual, results } from './Checks.mjs';
import { ChromiumPipe, Tab } from './ChromiumPipe.mjs';

const pageWriter = process.argv[2];
if (!pageWriter) {
  console.error('usage: node page-layout.mjs PATH_TO_export_layout_pages');
  process.exit(2);
}

// Each page's story as the player wrote it, and the text every template must show for it.
const kStories = [
  ['This is the little white cottage on Willow Lane. Walter says the roof only leaks when it rains.'],
  ['She says "never" rush'],
  ['Saved in C:\\Games\\Sims 2\\ as \\"is\\" \\n, and a last \\'],
  ['Two lines\r\nof "story"', 'Two lines\nof "story"'],
  ['This picture went "missing" & stays so'],
  ['<b>Bold</b> & <i>italic</i> &amp; <markup>kept</markup>', 'Bold & italic & kept'],
  ["A blank line\r\n\r\nbetween 'paragraphs'", "A blank line\n\nbetween 'paragraphs'"],
  ['Oliver shouted "Noooooooooooooooooooooooooooooooooooooooooooooooo!" at the rain'],
].map(([story, shown]) => ({ story, shown: shown ?? story }));
const kMissingPhoto = 5;

const kScreens = [
  { name: 'phone 390x844', width: 390, height: 844, mobile: true },
  { name: 'laptop 1366x768', width: 1366, height: 768 },
  { name: 'laptop 1280x720', width: 1280, height: 720 },
  { name: 'large screen 1920x1080', width: 1920, height: 1080 },
];

// What a visitor gets, in the window's own pixels: how wide the page is against the window, the
// smallest text, and where the viewer's picture and links stand.
const kReadLayout = `(() => {
  const box = (element) => {
    const r = element.getBoundingClientRect();
    return { left: r.left, top: r.top, right: r.right, bottom: r.bottom, width: r.width, height: r.height };
  };
  let smallestText = Infinity;
  const walker = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT);
  for (let node = walker.nextNode(); node; node = walker.nextNode()) {
    if (node.textContent.trim() && node.parentElement.getClientRects().length)
      smallestText = Math.min(smallestText, parseFloat(getComputedStyle(node.parentElement).fontSize));
  }
  const image = document.getElementById('mainImage');
  const link = (name) => document.querySelector('a[href*="' + name + '"]');
  return {
    scale: visualViewport.scale,
    pageWidth: document.documentElement.scrollWidth,
    scrolled: [scrollX, scrollY],
    smallestText,
    picture: image && { ...box(image), natural: [image.naturalWidth, image.naturalHeight] },
    column: image && box(image.closest('td')),
    captionColumn: image && box(document.getElementById('snaptext').closest('td')),
    links: image ? [box(link('showPrevious')), box(link('showNext'))] : [],
  };
})()`;

async function open(tab, url, missingPictures) {
  await tab.navigate(url);
  // The missing picture's failed request is the one error these pages may log.
  const others = tab.errors.filter((error) => !missingPictures.some((name) => error.includes(name)));
  tab.errors.splice(0, tab.errors.length, ...others);
}

function expectReadable(layout, screen) {
  expect(layout.pageWidth * layout.scale <= screen.width + 0.5,
         `the page is ${layout.pageWidth * layout.scale} px wide in a ${screen.width} px window`);
  if (screen.mobile) {
    expect(layout.smallestText * layout.scale >= 12,
           `text ${layout.smallestText} px high shows at ${layout.smallestText * layout.scale} px`);
  }
}

function expectOnScreen(box, screen, what) {
  expect(box.left >= 0 && box.top >= 0 && box.right <= screen.width && box.bottom <= screen.height,
         `${what} at ${JSON.stringify(box)} is not within the ${screen.width}x${screen.height} window`);
}

function expectPicture(layout, screen) {
  const { picture, column } = layout;
  expectEqual(picture.natural, [1024, 768], 'the snapshot\'s own size');
  expect(Math.abs(picture.width / picture.height - 1024 / 768) < 0.01,
         `the picture shows at ${picture.width}x${picture.height}, out of its shape`);
  expect(picture.left >= column.left && picture.right <= column.right + 0.5,
         `the picture ${JSON.stringify(picture)} overflows its column ${JSON.stringify(column)}`);
  if (screen.width >= 1920)
    expectEqual([picture.width, picture.height], [1024, 768], 'the picture on a large screen');
  if (screen.mobile) {
    expect(picture.width >= screen.width / 2, `the picture is ${picture.width} px wide on a ${screen.width} px phone`);
  } else {
    expectEqual(layout.scrolled, [0, 0], 'scroll position');
    expectOnScreen(picture, screen, 'the picture');
  }
}

async function layoutChecks(tab, screen, folderUrl, missingPictures) {
  await tab.send('Emulation.setDeviceMetricsOverride', {
    width: screen.width, height: screen.height, deviceScaleFactor: screen.mobile ? 3 : 1, mobile: !!screen.mobile,
  });
  await tab.send('Emulation.setTouchEmulationEnabled', { enabled: !!screen.mobile });
  for (const layout of ['static', 'popup']) {
    await check(`${layout} page on a ${screen.name}: readable, nothing scrolls sideways`, tab, async () => {
      await open(tab, `${folderUrl}/${layout}.html`, missingPictures);
      expectReadable(await tab.evaluate(kReadLayout), screen);
    });
  }
  await check(`viewer on a ${screen.name}: every page readable, its picture fits, Previous and Next on screen`,
              tab, async () => {
    for (let photo = 1; photo <= kStories.length; photo++) {
      await open(tab, `${folderUrl}/viewer.html?photo=${photo}`, missingPictures);
      const layout = await tab.evaluate(kReadLayout);
      expectReadable(layout, screen);
      if (photo !== kMissingPhoto)
        expectPicture(layout, screen);
      if (screen.mobile) {
        expect(layout.captionColumn.width >= screen.width / 2,
               `the caption is ${layout.captionColumn.width} px wide on a ${screen.width} px phone`);
      }
      for (const link of layout.links)
        expectOnScreen(link, screen.mobile ? { width: screen.width, height: Infinity } : screen, 'a link');
    }
  });
}

async function storyChecks(tab, folderUrl, missingPictures) {
  await check('every template shows each story as the player wrote it', tab, async () => {
    const expected = kStories.map((s) => s.shown);
    for (const layout of ['static', 'popup']) {
      await open(tab, `${folderUrl}/${layout}.html`, missingPictures);
      expectEqual(await tab.evaluate(`[...document.querySelectorAll('font[face=verdana]')].map((f) => f.innerText)`),
                  expected, `${layout} stories`);
    }
    for (let photo = 1; photo <= kStories.length; photo++) {
      await open(tab, `${folderUrl}/viewer.html?photo=${photo}`, missingPictures);
      expectEqual(await tab.evaluate(`document.getElementById('snaptext').innerText`), expected[photo - 1],
                  `viewer caption ${photo}`);
    }
  });
  await check('a missing picture in the viewer does not show its story a second time', tab, async () => {
    await open(tab, `${folderUrl}/viewer.html?photo=${kMissingPhoto}`, missingPictures);
    // At most a broken picture's small sign: its alt text, the story, would take more room.
    const { width, height } = await tab.evaluate(`document.getElementById('mainImage').getBoundingClientRect().toJSON()`);
    expect(width <= 20 && height <= 20, `the missing picture takes ${width}x${height} px`);
  });
}

async function main() {
  const folder = mkdtempSync(join(tmpdir(), 'brindlecove-layout-'));
  let browser;
  try {
    const snapshots = execFileSync(pageWriter, [folder, ...kStories.map((s) => s.story)], { encoding: 'utf8' })
      .trim().split('\n');
    const missing = snapshots[kMissingPhoto - 1];
    const missingPictures = [missing, missing.replace('snapshot_', 'thumbnail_')];
    const folderUrl = pathToFileURL(folder).href;
    browser = await ChromiumPipe.launch(process.env.CHROMIUM || '/usr/bin/chromium');
    const tab = await Tab.open(browser);
    for (const screen of kScreens)
      await layoutChecks(tab, screen, folderUrl, missingPictures);
    await storyChecks(tab, folderUrl, missingPictures);
  } catch (error) {
    results.failed++;
    console.log(`not ok - the layout tests could not run: ${error.message}`);
  } finally {
    if (browser)
      await browser.close();
    rmSync(folder, { recursive: true, force: true });
  }
  console.log(`${results.passed} passed, ${results.failed} failed`);
  process.exit(results.failed === 0 && results.passed > 0 ? 0 : 1);
}

main();
