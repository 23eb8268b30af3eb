// The replay tool built for the web, run by node: every golden game prints its committed
// trace byte for byte, as the desktop's tool does, and a bad line ends the run as it does there.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

const root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../..');
const tool = path.join(root, 'build/emscripten/pexilon-replay.js');
const goldenDir = path.join(root, 'tests/replay');

function replay(args, input) {
  return spawnSync(process.execPath, [tool, ...args], { input, encoding: 'utf8', maxBuffer: 1 << 28 });
}

// A trace thinned with --every N starts at pass N, so the trace itself says how it was printed.
function everyOf(trace) {
  return JSON.parse(trace.slice(0, trace.indexOf('\n'))).pass;
}

const goldens = fs.readdirSync(goldenDir).filter((name) => name.endsWith('.golden.jsonl'));

test('there are golden games to replay', () => {
  assert.ok(goldens.length >= 5, `only ${goldens.length} golden traces in ${goldenDir}`);
});

for (const golden of goldens) {
  const name = golden.replace('.golden.jsonl', '');
  test(`the golden game ${name} prints its committed trace byte for byte`, () => {
    const expected = fs.readFileSync(path.join(goldenDir, golden), 'utf8');
    const run = replay(['--every', String(everyOf(expected)), path.join(goldenDir, `${name}.txt`)]);
    assert.equal(run.status, 0, run.stderr);
    if (run.stdout !== expected) {
      const got = run.stdout.split('\n');
      const line = expected.split('\n').findIndex((text, i) => text !== got[i]);
      assert.fail(`first difference on line ${line + 1}:\n  golden: ${expected.split('\n')[line]}\n  web:    ${got[line]}`);
    }
  });
}

test('a bad line stops the run after the passes before it, with exit code 2', () => {
  const run = replay(['-'], '0.02 fire\n0.02 jump\n');
  assert.equal(run.status, 2);
  assert.equal(run.stdout.trim().split('\n').length, 1);
  assert.equal(run.stderr, "pexilon-replay: line 2: unknown word 'jump'\n");
});
