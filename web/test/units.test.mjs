// The page's chainage reading against the rule of the program's shared
// reader: the last chainage that starts at or before a position holds (of
// two from one start, the one the scene lists last); before any, the posts
// read the route position.
import assert from "node:assert/strict";
import { mkdtempSync, rmSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { after, test } from "node:test";
import { pathToFileURL } from "node:url";
import * as esbuild from "esbuild";

const scratch = mkdtempSync(join(tmpdir(), "sb-units-"));
after(() => rmSync(scratch, { recursive: true, force: true }));

async function units() {
  const built = await esbuild.build({ entryPoints: ["src/units.ts"], bundle: true, format: "esm", write: false });
  const file = join(scratch, "units.mjs");
  writeFileSync(file, built.outputFiles[0].text);
  return import(pathToFileURL(file).href);
}

// A line of 10 km as records 81 to 83 hold {8000, 354000}, {2000, 350000}
// and {2000, 400000}: before 2000 m the posts read the route position, at
// 2000 m two chainages start and the lower record's (km 350) holds, at
// 8000 m the numbering goes back to km 354 and repeats 354+000 to 355+999.
// viewer/plot_scene_test.cc asks the program's reader the same table.
const chainages = [
  { start: 2000, kilometre: 400000 },
  { start: 2000, kilometre: 350000 },
  { start: 8000, kilometre: 354000 },
];

test("the reading at a position, across a jump, a tie and a repeat", async () => {
  const { chainageAt } = await units();
  const cases = [
    [0, 0],
    [1999, 1999],
    [2000, 350000],
    [2500.5, 350500.5],
    [7999, 355999],
    [8000, 354000],
    [10000, 356000],
  ];
  for (const [position, reading] of cases) assert.equal(chainageAt(chainages, position), reading, `at ${position}`);
  assert.equal(chainageAt([], 1234), 1234);
});

test("the first position of a reading; none where the numbering jumps over it", async () => {
  const { positionOfChainage } = await units();
  const cases = [
    [1500, 1500],
    [350000, 2000],
    [355000, 7000], // read again at 9000, but first here
    [356000, 10000], // not at 8000, where the next chainage holds
    [400000, null], // the chainage tied at 2000 never holds
    [3000, null], // jumped over at 2000
    [360000, null],
  ];
  for (const [reading, position] of cases) {
    assert.equal(positionOfChainage(chainages, 10000, reading), position, `reading ${reading}`);
  }
  assert.equal(positionOfChainage([], 10000, 4200), 4200);
  assert.equal(positionOfChainage([], 10000, 10001), null);
});
