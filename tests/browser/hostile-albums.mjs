// The exported pages of albums whose names, title, stories and picture names would break a page
// written without care: each page must read right from a file and over HTTP, show every text as
// written, keep Previous and Next working, open every plain picture and run no script of its own.

import { check, expect, expectEqual } from './Checks.mjs';

// The program's rule for a name that stays in the album's folder; any other name is a missing picture.
const isPlain = (name) => name !== '' && name !== '.' && name !== '..' && !/[/\\\0]/.test(name);

// The file an address leads to, as the folder names it; the pages run it too.
const fileName = (url) => decodeURIComponent(new URL(url).pathname.split('/').pop());

// Reads, in the page, what a visitor gets: texts as rendered, and each picture as the file name its
// address leads to (null without an address) and whether it loaded.
const kReadPage = `(() => {
  const fileName = ${fileName};
  const picture = (image) => ({
    name: image.getAttribute('src') ? fileName(image.src) : null,
    loaded: image.complete && image.naturalWidth > 0,
  });
  // Where an anchor leads: its file, 'popup' for a popup call, null for no link at all.
  const target = (a) =>
    a.hasAttribute('onclick') ? 'popup' : a.hasAttribute('href') ? fileName(a.href) : null;
  const caption = document.getElementById('snaptext');
  const mainImage = document.getElementById('mainImage');
  return {
    charset: document.characterSet,
    title: document.title,
    heading: document.querySelector('h3').textContent,
    family: document.querySelector('h4') ? document.querySelector('h4').textContent : null,
    items: [...document.querySelectorAll('li')].map((li) => li.textContent),
    stories: [...document.querySelectorAll('font[face=verdana]')].map((font) => font.textContent),
    thumbnails: [...document.querySelectorAll('td > a > img')].map(picture),
    links: [...document.querySelectorAll('td a')].map(target),
    photo: typeof glbCurrentPhoto === 'undefined' ? null : glbCurrentPhoto,
    caption: caption ? caption.textContent : null,
    alt: mainImage ? mainImage.getAttribute('alt') : null,
    mainImage: mainImage ? picture(mainImage) : null,
  };
})()`;

function expectTexts(state, album, layout) {
  expectEqual(state.charset, 'UTF-8', 'character set');
  const title = album.title ? `Storybook: ${album.title}` : `Photo Album: ${album.neighborhood}, ${album.family}`;
  expectEqual(state.title, title, 'page title');
  const items = [['Family Name: ', album.family], ['Storybook Title: ', album.title],
                 ['Neighborhood Name: ', album.neighborhood], ['Lot Name: ', album.lot]];
  expectEqual(state.items, items.filter(([, value]) => value).map(([label, value]) => label + value),
              'footer items');
  if (album.title) {
    expectEqual(state.heading, `"${album.title}"`, 'heading');
    if (layout !== 'viewer' && album.family)
      expectEqual(state.family, `the story of the${album.family} family`, 'family line');
  } else {
    const shown = layout === 'viewer' ? [album.family] : [album.family, album.neighborhood];
    for (const name of shown.filter(Boolean))
      expect(state.heading.includes(` ${name} `),
             `heading ${JSON.stringify(state.heading)} lacks ${JSON.stringify(name)}`);
  }
}

function expectPicture(picture, name, what) {
  if (isPlain(name))
    expectEqual(picture, { name, loaded: true }, what);
  else
    expectEqual(picture.name, null, `${what} of the missing picture ${JSON.stringify(name)}`);
}

async function expectViewerPhoto(tab, album, photo) {
  const state = await tab.evaluate(kReadPage);
  const page = album.pages[photo - 1];
  expectEqual(state.photo, photo, 'photo number');
  // These stories hold no markup to strip; the alt text turns double quotes into apostrophes.
  expectEqual(state.caption, page.text, 'caption');
  expectEqual(state.alt, page.text.replaceAll('"', "'"), 'alt text');
  expectPicture(state.mainImage, page.snapshot, 'picture');
  return state;
}

async function viewerChecks(tab, base, album) {
  const viewer = `${base}/${album.files.viewer}`;
  await tab.navigate(`${viewer}?photo=2`);
  expectTexts(await expectViewerPhoto(tab, album, 2), album, 'viewer');
  await tab.clickAndLoad('a[href*="showNext"]');
  await expectViewerPhoto(tab, album, 3);
  expectEqual(await tab.evaluate('location.href'), `${viewer}?photo=3`, 'address after Next');
  await tab.clickAndLoad('a[href*="showPrevious"]');
  await expectViewerPhoto(tab, album, 2);
  expectEqual(await tab.evaluate('location.href'), `${viewer}?photo=2`, 'address after Previous');
}

async function listChecks(tab, base, album, layout) {
  await tab.navigate(`${base}/${album.files[layout]}`);
  const state = await tab.evaluate(kReadPage);
  expectTexts(state, album, layout);
  expectEqual(state.stories, album.pages.map((p) => p.text), 'stories');
  album.pages.forEach((p, i) => expectPicture(state.thumbnails[i], p.thumbnail, `thumbnail ${i + 1}`));
  // Each row has two anchors, the thumbnail's and the [view] or [popup] one, leading to the same place.
  const target = (p) => (!isPlain(p.snapshot) ? null : layout === 'static' ? p.snapshot : 'popup');
  expectEqual(state.links, album.pages.flatMap((p) => [target(p), target(p)]), 'links');
}

// Every plain snapshot opens from the static page's links and from the popup page's windows.
async function openingChecks(tab, base, album) {
  await tab.navigate(`${base}/${album.files.static}`);
  const statuses = await tab.evaluate(`Promise.all([...document.querySelectorAll('a[href]')].map(
      (a) => fetch(a.href).then((r) => [(${fileName})(a.href), r.status])))`);
  const plain = album.pages.filter((p) => isPlain(p.snapshot)).map((p) => p.snapshot);
  expectEqual(statuses, plain.flatMap((name) => [[name, 200], [name, 200]]), 'what the links open');
  await tab.navigate(`${base}/${album.files.popup}`);
  for (let i = 0; i < plain.length; i++) {
    await tab.clickForWindow('a[onclick]', 2 * i + 1,
                             (url) => URL.canParse(url) && fileName(url) === plain[i], plain[i]);
  }
}

export async function hostileChecks(tab, folders, albums, server) {
  for (const album of albums) {
    for (const [transport, base] of Object.entries(folders)) {
      await check(`hostile ${album.key} viewer over ${transport}: texts as written, Next and Previous work`,
                  tab, () => viewerChecks(tab, base, album));
      for (const layout of ['popup', 'static']) {
        await check(`hostile ${album.key} ${layout} page over ${transport}: texts and pictures as written`, tab,
                    () => listChecks(tab, base, album, layout));
      }
    }
    await check(`hostile ${album.key}: every plain snapshot opens`, tab,
                () => openingChecks(tab, folders.http, album));
  }
  await check('hostile pages asked the server for files of their folder only', tab, async () => {
    const strays = server.requests.filter(
      (r) => r.path !== '/favicon.ico' && (r.status !== 200 || !r.path.startsWith('/pages/')));
    expectEqual(strays, [], 'requests outside the folder or for missing files');
  });
}
