import { kLayerNames, Layers, Painter } from "./draw";
import type { Hit } from "./draw";
import type { LiveDocument, StationMark, TimetableStation } from "./scene";
import { chainageAt, chainageText, clockText, durationText, kilometresText, parseChainage, positionOfChainage } from "./units";
import { View } from "./view";

function element<T extends HTMLElement>(id: string): T {
  return document.getElementById(id) as T;
}

const plan = element<HTMLCanvasElement>("plan");
const profile = element<HTMLCanvasElement>("profile");
const tooltip = element<HTMLDivElement>("tooltip");
const painter = new Painter(plan, profile);
const view = new View();
const layers: Layers = {
  plan: true,
  stations: true,
  signals: true,
  boards: true,
  slowdowns: true,
  codes: true,
  speed: true,
  gradient: true,
  mountains: true,
  cab: true,
};
let current: LiveDocument | null = null;
let highlights: number[] = [];
let frameRequested = false;
let frames = 0;
let firstPaint: number | null = null;

// Redraws at the next frame, once however many changes come before it.
function redraw(): void {
  if (frameRequested) return;
  frameRequested = true;
  requestAnimationFrame(() => {
    frameRequested = false;
    painter.draw(view, layers, highlights);
    ++frames;
    if (firstPaint === null && current?.scene) {
      firstPaint = performance.now();
      performance.mark("scenario-first-paint");
    }
  });
}

function text(tag: string, content: string, className = ""): HTMLElement {
  const node = document.createElement(tag);
  node.textContent = content;
  if (className) node.className = className;
  return node;
}

// The list beside the drawings: the scene's stations, with the timetable's
// times and slack where the train stops.
function showStations(doc: LiveDocument): void {
  const body = element<HTMLTableElement>("stations").tBodies[0];
  const rows: HTMLTableRowElement[] = [];
  const timed = new Map<number, TimetableStation>();
  for (const s of doc.stations) timed.set(s.position, s);
  const listed: { name: string; position: number }[] =
    doc.scene?.stations.map((s: StationMark) => ({ name: s.name, position: s.position })) ??
    doc.stations.map((s) => ({ name: s.name, position: s.position }));
  const chainages = doc.scene?.chainages ?? [];
  for (const station of listed) {
    const row = document.createElement("tr");
    const time = timed.get(station.position);
    const clock = time ? (time.departure ?? time.arrival) : null;
    row.append(
      text("td", station.name),
      text("td", kilometresText(station.position, 10)),
      text("td", chainageText(chainageAt(chainages, station.position))),
      text("td", clock === null ? "" : clockText(clock)),
      text("td", time?.slack === null || time?.slack === undefined ? "" : durationText(time.slack)),
    );
    if (time?.slack !== null && time?.slack !== undefined && time.slack < 60) row.className = "tight";
    row.addEventListener("click", () => {
      view.centre(station.position);
      redraw();
    });
    rows.push(row);
  }
  body.replaceChildren(...rows);
}

function counted(count: number, noun: string): string {
  return `${count} ${noun}${count === 1 ? "" : "s"}`;
}

function showDiagnostics(doc: LiveDocument): void {
  const list = element<HTMLOListElement>("diagnostics");
  element("diagnostic-count").textContent = doc.diagnostics.length
    ? `(${counted(doc.errors, "error")}, ${counted(doc.warnings, "warning")})`
    : "";
  if (doc.diagnostics.length === 0) {
    list.replaceChildren(text("li", "none: the last compile was clean", "none"));
    return;
  }
  list.replaceChildren(
    ...doc.diagnostics.map((d) => {
      const item = document.createElement("li");
      item.className = d.severity;
      const place = d.line === null ? d.file : `${d.file}:${d.line}`;
      item.append(text("span", place, "place"), document.createTextNode(`: ${d.severity}${d.code ? " " + d.code : ""}: ${d.message}`));
      const position = d.position;
      if (position !== undefined && position !== null) {
        item.title = `at route km ${kilometresText(position, 1)}`;
        item.addEventListener("click", () => {
          view.centre(position);
          redraw();
        });
      }
      return item;
    }),
  );
}

function showStatus(doc: LiveDocument): void {
  const status = element("status");
  const parts = [`compile ${doc.version}`, counted(doc.errors, "error") + ", " + counted(doc.warnings, "warning")];
  if (doc.scene_version !== null && doc.scene_version !== doc.version) parts.push(`drawing of compile ${doc.scene_version}, the last good one`);
  if (doc.scene === null) parts.push("no good compile yet");
  status.textContent = parts.join(" · ");
  status.className = doc.errors > 0 ? "errors" : "";
  if (doc.scene) element("title").textContent = `${doc.scene.scenario} – train ${doc.scene.train}`;
}

// A new state: lists and drawing redone in place, the reader's zoom and
// place kept.
function apply(doc: LiveDocument): void {
  const hadScene = current?.scene != null;
  current = doc;
  painter.setScene(doc.scene);
  if (doc.scene) view.setRoute(doc.scene.route_length, hadScene);
  if (doc.scene && !hadScene && doc.view) view.show(doc.view.first, doc.view.last);
  highlights = doc.diagnostics.flatMap((d) => (d.position === undefined || d.position === null ? [] : [d.position]));
  showStatus(doc);
  showStations(doc);
  showDiagnostics(doc);
  redraw();
}

// One fetch at a time; a compile told of meanwhile is fetched after it.
let fetching = false;
let wanted = 0;

async function fetchState(): Promise<void> {
  if (fetching) return;
  fetching = true;
  try {
    const reply = await fetch("scenario.json", { cache: "no-store" });
    if (reply.ok) {
      const doc = (await reply.json()) as LiveDocument;
      if (!current || doc.version > current.version) apply(doc);
    }
  } finally {
    fetching = false;
  }
  if (wanted > (current?.version ?? 0)) void fetchState();
}

function compiled(event: MessageEvent<string>): void {
  const version = (JSON.parse(event.data) as { version: number }).version;
  wanted = Math.max(wanted, version);
  if (version > (current?.version ?? 0)) void fetchState();
}

function showTooltip(hit: Hit | null, x: number, y: number): void {
  if (!hit) {
    tooltip.hidden = true;
    return;
  }
  const chainages = current?.scene?.chainages ?? [];
  tooltip.replaceChildren(
    text("b", hit.kind),
    text("div", `route km ${kilometresText(hit.position, 1)} · chainage ${chainageText(chainageAt(chainages, hit.position))}`),
    ...(hit.cell === null ? [] : [text("div", `cell ${hit.cell}`)]),
    ...hit.values.map((v) => text("div", v)),
  );
  tooltip.hidden = false;
  const width = tooltip.offsetWidth;
  tooltip.style.left = `${Math.min(x + 14, window.innerWidth - width - 8)}px`;
  tooltip.style.top = `${y + 16}px`;
}

// The stations in order along the line, for PageUp and PageDown.
function stationPositions(): number[] {
  return (current?.scene?.stations ?? []).map((s) => s.position).sort((a, b) => a - b);
}

function stepStation(forward: boolean): void {
  const centre = (view.first + view.last) / 2;
  const positions = stationPositions();
  const next = forward ? positions.find((p) => p > centre + 1) : [...positions].reverse().find((p) => p < centre - 1);
  if (next !== undefined) {
    view.centre(next);
    redraw();
  }
}

function jump(query: string): string {
  const scene = current?.scene;
  if (!scene) return "nothing drawn yet";
  const kilometre = parseChainage(query);
  if (kilometre !== null) {
    const position = positionOfChainage(scene.chainages, scene.route_length, kilometre);
    if (position === null) return `${chainageText(kilometre)} is not on the line`;
    view.centre(position);
    redraw();
    return "";
  }
  const wanted = query.trim().toLowerCase();
  const station = scene.stations.find((s) => s.name.toLowerCase().includes(wanted));
  if (!station || wanted === "") return `no station "${query.trim()}"`;
  view.centre(station.position);
  redraw();
  return "";
}

function setUpLayers(): void {
  const nav = element("layers");
  for (const [key, label] of kLayerNames) {
    const box = document.createElement("input");
    box.type = "checkbox";
    box.checked = layers[key];
    box.dataset.layer = key;
    box.addEventListener("change", () => {
      layers[key] = box.checked;
      redraw();
    });
    const wrapper = document.createElement("label");
    wrapper.append(box, document.createTextNode(" " + label));
    nav.append(wrapper);
  }
}

// The profile's route position under a client x; the plan zooms about the
// view's centre.
function positionAtClient(canvas: HTMLCanvasElement, clientX: number): number {
  if (canvas !== profile) return (view.first + view.last) / 2;
  return painter.positionAt(view, clientX - canvas.getBoundingClientRect().left);
}

// The metres a pixel of the canvas covers.
function metresPerPixel(canvas: HTMLCanvasElement): number {
  const width = canvas === profile ? painter.axisWidth() : canvas.clientWidth;
  return view.span / width;
}

// One pointer drags the view along; two (fingers on a touch screen) pinch
// it: the span follows the distance between them and the route position
// under their midpoint stays under it.
function setUpPointer(): void {
  const down = new Map<number, number>();
  let drag: { x: number; first: number; perPixel: number } | null = null;
  let pinch: { distance: number; span: number; anchor: number; perPixel: number } | null = null;
  const start = (canvas: HTMLCanvasElement) => {
    const xs = [...down.values()];
    drag = null;
    pinch = null;
    if (xs.length === 1) drag = { x: xs[0], first: view.first, perPixel: metresPerPixel(canvas) };
    if (xs.length === 2) {
      pinch = {
        distance: Math.max(Math.abs(xs[0] - xs[1]), 1),
        span: view.span,
        anchor: positionAtClient(canvas, (xs[0] + xs[1]) / 2),
        perPixel: metresPerPixel(canvas),
      };
    }
  };
  for (const canvas of [plan, profile]) {
    canvas.addEventListener(
      "wheel",
      (event) => {
        event.preventDefault();
        const factor = Math.pow(1.0015, event.deltaY * (event.deltaMode === 1 ? 30 : 1));
        view.zoom(factor, positionAtClient(canvas, event.clientX));
        redraw();
      },
      { passive: false },
    );
    canvas.addEventListener("pointerdown", (event) => {
      down.set(event.pointerId, event.clientX);
      canvas.setPointerCapture(event.pointerId);
      start(canvas);
    });
    canvas.addEventListener("pointermove", (event) => {
      if (!down.has(event.pointerId)) {
        showTooltip(painter.hitTest(view, canvas === plan, event.offsetX, event.offsetY), event.clientX, event.clientY);
        return;
      }
      down.set(event.pointerId, event.clientX);
      tooltip.hidden = true;
      const xs = [...down.values()];
      if (pinch && xs.length === 2) {
        const distance = Math.max(Math.abs(xs[0] - xs[1]), 1);
        const span = pinch.span * (pinch.distance / distance);
        const middle = (xs[0] + xs[1]) / 2;
        // Where the anchor stood at the start, it stands under the new middle.
        const centre = positionAtClient(canvas, middle);
        view.zoom(span / view.span, centre);
        view.pan(pinch.anchor - positionAtClient(canvas, middle));
      } else if (drag) {
        view.pan(drag.first + (drag.x - event.clientX) * drag.perPixel - view.first);
      }
      redraw();
    });
    const up = (event: PointerEvent) => {
      down.delete(event.pointerId);
      start(canvas);
    };
    canvas.addEventListener("pointerup", up);
    canvas.addEventListener("pointercancel", up);
    canvas.addEventListener("pointerleave", () => {
      tooltip.hidden = true;
    });
  }
}

function setUpKeys(): void {
  window.addEventListener("keydown", (event) => {
    if (event.target instanceof HTMLInputElement && event.target.id === "jump") return;
    const centre = (view.first + view.last) / 2;
    switch (event.key) {
      case "ArrowLeft":
        view.pan(-view.span * 0.1);
        break;
      case "ArrowRight":
        view.pan(view.span * 0.1);
        break;
      case "+":
      case "=":
        view.zoom(1 / 1.5, centre);
        break;
      case "-":
        view.zoom(1.5, centre);
        break;
      case "Home":
        view.whole();
        break;
      case "PageDown":
        stepStation(true);
        break;
      case "PageUp":
        stepStation(false);
        break;
      default:
        return;
    }
    event.preventDefault();
    redraw();
  });
  element<HTMLFormElement>("jump-form").addEventListener("submit", (event) => {
    event.preventDefault();
    element("jump-state").textContent = jump(element<HTMLInputElement>("jump").value);
  });
}

// Served: the state from the server, again after each compile.  Saved as
// one file: the state written into the page.
function start(): void {
  setUpLayers();
  setUpPointer();
  setUpKeys();
  window.addEventListener("resize", redraw);
  const embedded = element("scenario-data").textContent?.trim() ?? "";
  if (embedded !== "" && !embedded.startsWith("<!--")) {
    apply(JSON.parse(embedded) as LiveDocument);
    return;
  }
  void fetchState();
  const events = new EventSource("events");
  events.addEventListener("compile", compiled);
}

// For the browser test: the view and the frames drawn.
(window as unknown as { scenarioPage: unknown }).scenarioPage = {
  view: () => [view.first, view.last],
  setView: (first: number, last: number) => {
    view.first = first;
    view.last = last;
    view.pan(0);
    redraw();
  },
  positionAt: (clientX: number) => positionAtClient(profile, clientX),
  frames: () => frames,
  drawMs: () => painter.drawMs,
  drawnMarks: () => painter.drawnMarks(),
  axisLabels: () => painter.axisLabels,
  firstPaint: () => firstPaint,
  version: () => current?.version ?? 0,
};

start();
