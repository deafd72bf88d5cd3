// The small test harness the browser tests share: named checks that count what passed and failed,
// each failing with the one thing it found.

export const results = { passed: 0, failed: 0 };

export function expect(condition, message) {
  if (!condition)
    throw new Error(message);
}

export function expectEqual(actual, expected, what) {
  expect(JSON.stringify(actual) === JSON.stringify(expected),
         `${what}: got ${JSON.stringify(actual)}, expected ${JSON.stringify(expected)}`);
}

// Runs body as one check; a script error, a console error or a dialog in the tab fails it too.
export async function check(name, tab, body) {
  tab.errors.length = 0;
  try {
    await body();
    expectEqual(tab.errors, [], 'errors on the console');
    results.passed++;
    console.log(`ok - ${name}`);
  } catch (error) {
    results.failed++;
    console.log(`not ok - ${name}: ${error.message}`);
  }
}
