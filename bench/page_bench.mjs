// The live preview's figures on the generated 1000 km line, in headless
// Chromium (Debian's, driven by playwright-core from web/'s lockfile):
// the first paint of the served page, and the frames a second while panning
// one step a frame with 950 km and with 20 km in view.
//   node bench/page_bench.mjs PROGRAM GENERATOR   (bench/page.sh runs it)
import { spawn, spawnSync } from "node:child_process";
import { mkdirSync, mkdtempSync, readFileSync, rmSync } from "node:fs";
import { tmpdir } from "node:os";
import { dirname, join } from "node:path";
import { fileURLToPath, pathToFileURL } from "node:url";

const root = join(dirname(fileURLToPath(import.meta.url)), "..");
const { chromium } = await import(pathToFileURL(join(root, "web/node_modules/playwright-core/index.mjs")).href);
const { panRate } = await import(pathToFileURL(join(root, "web/test/pan_rate.mjs")).href);
const [program, generator] = process.argv.slice(2);
const loads = Number(process.env.LOADS ?? 5);
const rounds = Number(process.env.ROUNDS ?? 3);
const scratch = mkdtempSync(join(tmpdir(), "sb-page-bench-"));
const texts = join(scratch, "texts");
mkdirSync(texts);
const made = spawnSync(generator, ["1000000", texts], { encoding: "utf8" });
if (made.status !== 0) throw new Error(made.stderr);

const watch = spawn(program, ["watch", join(texts, "Generato_linea.txt"), join(texts, "Generato_12345-.txt"), "-o", join(scratch, "out"), "--serve"], {
  stdio: ["ignore", "pipe", "inherit"],
});
const url = await new Promise((resolve, reject) => {
  let printed = "";
  watch.stdout.on("data", (chunk) => {
    printed += chunk;
    const found = /serving (http:\/\/127\.0\.0\.1:\d+\/)/.exec(printed);
    if (found && printed.includes("(Ctrl-C ends)")) resolve(found[1]);
  });
  watch.on("exit", (code) => reject(new Error(`watch ended with ${code}: ${printed}`)));
});
const browser = await chromium.launch({ executablePath: process.env.CHROMIUM ?? "/usr/bin/chromium", args: ["--no-sandbox", "--disable-gpu"] });

const load = () => readFileSync("/proc/loadavg", "utf8").split(" ").slice(0, 3).join(" ");
const summary = (values, unit) => {
  const sorted = [...values].sort((a, b) => a - b);
  const median = sorted[sorted.length >> 1];
  return `median ${median.toFixed(0)} ${unit} (${sorted[0].toFixed(0)} to ${sorted[sorted.length - 1].toFixed(0)}, ${values.length} runs)`;
};

async function open() {
  const page = await browser.newPage({ viewport: { width: 1500, height: 950 } });
  await page.goto(url);
  await page.waitForFunction(() => window.scenarioPage.firstPaint() !== null, null, { timeout: 30000 });
  return page;
}

try {
  console.log(`load before: ${load()}`);
  const paints = [];
  for (let i = 0; i < loads; ++i) {
    const page = await open();
    paints.push(await page.evaluate(() => window.scenarioPage.firstPaint()));
    await page.close();
  }
  console.log(`${"first paint:".padEnd(28)}${summary(paints, "ms")}`);
  const page = await open();
  for (const [span, name] of [
    [950000, "950 km in view"],
    [20000, "20 km in view"],
  ]) {
    const rates = [];
    for (let i = 0; i < rounds; ++i) rates.push((await panRate(page, span)).fps);
    console.log(`${`panning, ${name}:`.padEnd(28)}${summary(rates, "frames/s")}`);
  }
  console.log(`load after:  ${load()}`);
} finally {
  await browser.close();
  watch.kill("SIGINT");
  rmSync(scratch, { recursive: true, force: true });
}
