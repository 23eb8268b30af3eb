// The replay tool built for the web, run by node: every golden game prints its committed
// trace byte for byte, as the desktop's tool does, and a bad line ends the run as it does there.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

const root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../..');
const goldenDir = path.join(root, 'tests/replay');
const replay = (args, input) =>
  spawnSync(process.execPath, [path.join(root, 'build/emscripten/pexilon-replay.js'), ...args],
    { input, encoding: 'utf8', maxBuffer: 1 << 28 });

const goldens = fs.readdirSync(goldenDir).filter((name) => name.endsWith('.golden.jsonl'));
assert.ok(goldens.length >= 5, `only ${goldens.length} golden traces in ${goldenDir}`);

for (const golden of goldens) {
  const name = golden.replace('.golden.jsonl', '');
  test(`the golden game ${name} prints its committed trace byte for byte`, () => {
    const expected = fs.readFileSync(path.join(goldenDir, golden), 'utf8').split('\n');
    // A trace thinned with --every N starts at pass N, so the trace says how it was printed.
    const every = JSON.parse(expected[0]).pass;
    const run = replay(['--every', String(every), path.join(goldenDir, `${name}.txt`)]);
    assert.equal(run.status, 0, run.stderr);
    const got = run.stdout.split('\n');
    const line = expected.findIndex((text, i) => text !== got[i]);
    assert.ok(line < 0 && got.length === expected.length,
      `first difference on line ${line + 1}:\n  golden: ${expected[line]}\n  web:    ${got[line]}`);
  });
}

test('a bad line stops the run after the passes before it, with exit code 2', () => {
  const run = replay(['-'], '0.02 fire\n0.02 jump\n');
  assert.equal(run.status, 2);
  assert.equal(run.stdout.trim().split('\n').length, 1);
  assert.equal(run.stderr, "pexilon-replay: line 2: unknown word 'jump'\n");
});
