// The page in a real browser: Debian's Chromium, headless, driven by
// playwright-core (which downloads no browser), against the program's own
// server and its self-contained file.
//   SCENARIO_BUILDER=PROGRAM GENERATOR=generate_scenario CHROMIUM=/usr/bin/chromium node --test test/
import assert from "node:assert/strict";
import { spawn, spawnSync } from "node:child_process";
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { after, before, test } from "node:test";
import { pathToFileURL } from "node:url";
import { chromium } from "playwright-core";
import { panRate } from "./pan_rate.mjs";

const program = process.env.SCENARIO_BUILDER;
const generator = process.env.GENERATOR || null;
const executablePath = process.env.CHROMIUM ?? "/usr/bin/chromium";
const scratch = mkdtempSync(join(tmpdir(), "sb-page-"));
const watches = [];
let browser;

function run(...args) {
  const result = spawnSync(program, args, { encoding: "utf8" });
  assert.equal(result.status, 0, `${args.join(" ")}: ${result.stderr}`);
  return result;
}

// `watch --serve` of two texts; resolves with the page's address once the
// first compile is done.
function serve(line, train, out) {
  const child = spawn(program, ["watch", line, train, "-o", out, "--serve"], {
    stdio: ["ignore", "pipe", "inherit"],
  });
  watches.push(child);
  let printed = "";
  return new Promise((resolve, reject) => {
    child.stdout.on("data", (chunk) => {
      printed += chunk;
      const url = /serving (http:\/\/127\.0\.0\.1:\d+\/)/.exec(printed);
      if (url && printed.includes("(Ctrl-C ends)")) resolve({ url: url[1], child, printed: () => printed });
    });
    child.on("exit", (code) => reject(new Error(`watch ended with ${code}: ${printed}`)));
  });
}

// A page that fails the test on any console error or uncaught exception.
async function openPage(url) {
  const page = await browser.newPage({ viewport: { width: 1500, height: 950 } });
  const problems = [];
  page.on("console", (message) => {
    if (message.type() === "error") problems.push(message.text());
  });
  page.on("pageerror", (error) => problems.push(String(error)));
  const started = Date.now();
  await page.goto(url);
  await page.waitForFunction(() => window.scenarioPage.firstPaint() !== null);
  return { page, problems, loadedIn: Date.now() - started };
}

const view = (page) => page.evaluate(() => window.scenarioPage.view());

before(async () => {
  browser = await chromium.launch({ executablePath, args: ["--no-sandbox", "--disable-gpu"] });
  // The built-in scenario's texts, kept.
  run("--dir", join(scratch, "builtin"), "--keep-sources");
});

after(async () => {
  for (const child of watches) child.kill("SIGINT");
  await browser?.close();
  rmSync(scratch, { recursive: true, force: true });
});

test("the served page of the built-in scenario", async (t) => {
  const line = join(scratch, "builtin", "Valmira_Lunerio_linea.txt");
  const train = join(scratch, "builtin", "Valmira_Lunerio_37924-.txt");
  const { url } = await serve(line, train, join(scratch, "out"));
  const { page, problems } = await openPage(url);
  const documentNow = await (await fetch(url + "scenario.json")).json();

  await t.test("loads with no console error", () => {
    assert.deepEqual(problems, []);
  });

  await t.test("lists every station", async () => {
    const listed = await page.$$eval("#stations tbody tr td:first-child", (cells) => cells.map((c) => c.textContent));
    const names = documentNow.scene.stations.map((s) => s.name);
    assert.ok(names.length > 5);
    assert.deepEqual(listed, names);
  });

  await t.test("hovering a signal shows its tooltip", async () => {
    const signal = documentNow.scene.marks.find((m) => m.kind === "signal" && m.position > 5000);
    await page.evaluate((p) => window.scenarioPage.setView(p - 1500, p + 1500), signal.position);
    await page.waitForFunction(() => window.scenarioPage.drawnMarks().length > 0);
    const point = await page.evaluate(
      (p) => window.scenarioPage.drawnMarks().find((m) => m.kind === "signal" && m.position === p),
      signal.position,
    );
    assert.ok(point, "the signal is drawn");
    const box = await page.locator("#profile").boundingBox();
    await page.mouse.move(box.x + point.x, box.y + point.y);
    const tooltip = page.locator("#tooltip");
    await tooltip.waitFor({ state: "visible" });
    const said = await tooltip.textContent();
    assert.match(said, /^signal/);
    assert.ok(said.includes(`route km ${(signal.position / 1000).toFixed(3)}`), said);
    assert.ok(said.includes(`cell ${Math.floor(signal.position / 50) + 1}`), said);
  });

  await t.test("zooming changes the axis", async () => {
    await page.evaluate(() => window.scenarioPage.setView(0, 1e9));
    await page.waitForFunction(() => window.scenarioPage.view()[0] === 0);
    const before = await view(page);
    const labelsBefore = await page.evaluate(() => window.scenarioPage.axisLabels());
    const box = await page.locator("#profile").boundingBox();
    await page.mouse.move(box.x + box.width / 2, box.y + box.height - 30);
    for (let i = 0; i < 5; ++i) await page.mouse.wheel(0, -300);
    await page.waitForFunction((span) => {
      const [first, last] = window.scenarioPage.view();
      return last - first < span / 3;
    }, before[1] - before[0]);
    await page.waitForTimeout(100);
    const labelsAfter = await page.evaluate(() => window.scenarioPage.axisLabels());
    assert.notDeepEqual(labelsAfter, labelsBefore);
    assert.ok(labelsAfter.length >= 3, labelsAfter.join(" "));
  });

  await t.test("two fingers pinch the axis about their midpoint; one finger pans it", async () => {
    await page.evaluate(() => window.scenarioPage.setView(10000, 50000));
    await page.waitForFunction(() => window.scenarioPage.view()[0] === 10000);
    const box = await page.locator("#profile").boundingBox();
    const cdp = await page.context().newCDPSession(page);
    const touch = (type, xs) =>
      cdp.send("Input.dispatchTouchEvent", {
        type,
        touchPoints: xs.map((x, id) => ({ x, y: box.y + box.height / 2, id })),
      });
    const middle = box.x + box.width * 0.6;
    const anchor = await page.evaluate((x) => window.scenarioPage.positionAt(x), middle);
    await touch("touchStart", [middle - 50, middle + 50]);
    for (const half of [80, 120, 150]) await touch("touchMove", [middle - half, middle + half]);
    await touch("touchEnd", []);
    const [first, last] = await view(page);
    assert.ok(Math.abs(last - first - 40000 / 3) < 200, `span ${last - first}`);
    const kept = await page.evaluate((x) => window.scenarioPage.positionAt(x), middle);
    assert.ok(Math.abs(kept - anchor) < 50, `${anchor} moved to ${kept}`);

    await touch("touchStart", [middle]);
    await touch("touchMove", [middle - 100]);
    await touch("touchEnd", []);
    const [panned, pannedLast] = await view(page);
    assert.ok(panned > first + 100, `${first} to ${panned}`);
    assert.ok(Math.abs(pannedLast - panned - (last - first)) < 1e-6);
    await cdp.detach();
  });

  await t.test("an edit on disk reaches the page within 2 s, zoom kept", async () => {
    const zoomed = await view(page);
    const version = await page.evaluate(() => window.scenarioPage.version());
    const text = readFileSync(train, "latin1");
    const saved = Date.now();
    writeFileSync(train, text + "\r\n", "latin1");
    await page.waitForFunction((v) => window.scenarioPage.version() > v, version, { timeout: 5000 });
    const took = Date.now() - saved;
    assert.ok(took < 2000, `took ${took} ms`);
    assert.deepEqual(await view(page), zoomed);
    assert.deepEqual(problems, []);
  });

  await t.test("a broken text lists its diagnostic and keeps the drawing", async () => {
    const text = readFileSync(train, "latin1");
    const version = await page.evaluate(() => window.scenarioPage.version());
    writeFileSync(train, text.replace("[stazioni]", "[stazioni]\r\nstazione, 1000, 12, 800, 1, 0, 1, 3,1,0, 2,1,1, 1, 99,99, 0, ROTTA"), "latin1");
    await page.waitForFunction((v) => window.scenarioPage.version() > v, version, { timeout: 5000 });
    const items = await page.$$eval("#diagnostics li", (list) => list.map((item) => item.textContent));
    assert.ok(items.some((item) => item.startsWith(train + ":")), items.join("\n"));
    assert.match(await page.textContent("#status"), /last good one/);
    const broken = await page.evaluate(() => window.scenarioPage.version());
    writeFileSync(train, text, "latin1");
    await page.waitForFunction((v) => window.scenarioPage.version() > v, broken, { timeout: 5000 });
  });

  await t.test("a screenshot for the README", async () => {
    await page.evaluate(() => window.scenarioPage.setView(0, 40000));
    await page.mouse.move(5, 5);
    await page.waitForTimeout(200);
    if (process.env.SCREENSHOT) await page.screenshot({ path: process.env.SCREENSHOT });
  });
  await page.close();
});

test("the self-contained page works from file:// and opens on --from and --to", async () => {
  const file = join(scratch, "page.html");
  run("plot", join(scratch, "builtin"), "-o", file, "--from", "2", "--to", "6.5");
  const html = readFileSync(file, "utf8");
  for (const outside of ["http://", "https://", "//"]) assert.ok(!html.includes(outside), outside);
  const page = await browser.newPage();
  const requests = [];
  page.on("request", (request) => requests.push(request.url()));
  const problems = [];
  page.on("console", (message) => message.type() === "error" && problems.push(message.text()));
  page.on("pageerror", (error) => problems.push(String(error)));
  await page.goto(pathToFileURL(file).href);
  await page.waitForFunction(() => window.scenarioPage.firstPaint() !== null);
  const rows = await page.$$eval("#stations tbody tr", (list) => list.length);
  assert.ok(rows > 5);
  assert.deepEqual(await view(page), [2000, 6500]);
  assert.deepEqual(problems, []);
  assert.deepEqual(requests, [pathToFileURL(file).href]);
  await page.close();
});

test("first paint and panning on the 1000 km line", { skip: !generator && "no GENERATOR" }, async () => {
  const texts = join(scratch, "long");
  spawnSync("mkdir", ["-p", texts]);
  const made = spawnSync(generator, ["1000000", texts], { encoding: "utf8" });
  assert.equal(made.status, 0, made.stderr);
  const { url } = await serve(join(texts, "Generato_linea.txt"), join(texts, "Generato_12345-.txt"), join(texts, "out"));
  const { page, problems } = await openPage(url);
  const firstPaint = await page.evaluate(() => window.scenarioPage.firstPaint());
  // Panning one step a frame, back and forth between the line's ends, with
  // nearly the whole line in view (the whole of it cannot move) and with
  // 20 km in view.
  const whole = await panRate(page, 950000);
  const close = await panRate(page, 20000);
  console.log(
    `1000 km line: first paint ${firstPaint.toFixed(0)} ms; panning ${whole.fps.toFixed(0)} frames/s ` +
      `(950 km in view, ${whole.drawMs.toFixed(1)} ms a drawing), ${close.fps.toFixed(0)} frames/s ` +
      `(20 km, ${close.drawMs.toFixed(1)} ms a drawing); load ${readFileSync("/proc/loadavg", "utf8").split(" ").slice(0, 3).join(" ")}`,
  );
  assert.deepEqual(problems, []);
  await page.close();
});
