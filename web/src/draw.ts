import type { MarkKind, PointMark, Scene, StationMark, Stretch } from "./scene";
import { Band } from "./band";
import type { BandInputs } from "./band";
import { ink } from "./ink";
import { Pieces } from "./pieces";
import type { Piece, PieceDrawer } from "./pieces";
import { Symbols } from "./symbols";
import { cellOf, chainageAt, chainageText, kilometresText } from "./units";
import { lowerBound, tickStep, View } from "./view";
import type { Shown } from "./view";

export interface Layers {
  plan: boolean;
  stations: boolean;
  signals: boolean;
  boards: boolean;
  slowdowns: boolean;
  codes: boolean;
  speed: boolean;
  gradient: boolean;
  mountains: boolean;
  cab: boolean;
}

export const kLayerNames: [keyof Layers, string][] = [
  ["plan", "plan"],
  ["stations", "stations"],
  ["signals", "signals"],
  ["boards", "boards"],
  ["slowdowns", "slowdowns"],
  ["codes", "code points"],
  ["speed", "speed limits"],
  ["gradient", "gradients"],
  ["mountains", "mountains"],
  ["cab", "cab signalling"],
];

export const kKindNames: Record<MarkKind, string> = {
  signal: "signal",
  speed_board: "speed board",
  indication_board: "indication board",
  slowdown_warning: "slowdown warning",
  slowdown_start: "slowdown start",
  slowdown_end: "slowdown end",
  code_point: "code point",
  code_cut_point: "code cut point",
};

const kindIndex = Object.fromEntries(Object.keys(kKindNames).map((k, i) => [k, i])) as Record<MarkKind, number>;

function layerOf(kind: MarkKind): keyof Layers {
  switch (kind) {
    case "signal":
      return "signals";
    case "speed_board":
    case "indication_board":
      return "boards";
    case "code_point":
    case "code_cut_point":
      return "codes";
    default:
      return "slowdowns";
  }
}

// What the pointer is over: shown in the tooltip.
export interface Hit {
  kind: string;
  position: number;
  cell: number | null;
  values: string[];
}

interface Drawn {
  x: number;
  y: number;
  hit: Hit;
  mark?: PointMark;
}

// The profile strip's lanes, top to bottom, in CSS pixels.
const kGutter = 128;
const kRightPad = 18;
const kLanes = {
  stations: 70,
  marks: 34,
  speed: 120,
  gradient: 96,
  cab: 24,
  axis: 46,
};
export const kProfileHeight = Object.values(kLanes).reduce((a, b) => a + b, 0) + 8;

interface Lane {
  top: number;
  height: number;
}

function markHit(mark: PointMark): Hit {
  const oneBeyond = mark.kind !== "code_point" && mark.kind !== "code_cut_point";
  const values: string[] = [];
  if (mark.label !== "") {
    if (mark.kind === "speed_board") values.push(`speed ${mark.label} km/h`);
    else if (mark.kind === "slowdown_warning" || mark.kind === "slowdown_start")
      values.push(`speed ${mark.label} km/h`);
    else if (mark.kind === "code_point") values.push(`code ${mark.label}`);
    else values.push(mark.label);
  }
  return { kind: kKindNames[mark.kind], position: mark.position, cell: cellOf(mark.position, oneBeyond), values };
}

function stationHit(station: StationMark): Hit {
  return {
    kind: "station",
    position: station.position,
    cell: cellOf(station.position, false),
    values: [station.name, `kind ${station.kind}`, `area ${station.start}–${station.end} m`],
  };
}

function stretchAt(stretches: Stretch[], position: number): Stretch | null {
  const i = lowerBound(stretches, position + 1, (s) => s.start) - 1;
  if (i >= 0 && stretches[i].start <= position && position < stretches[i].end) return stretches[i];
  return null;
}

function stationSymbol(c: CanvasRenderingContext2D, x: number, y: number, size: number): void {
  c.beginPath();
  c.arc(x, y, size / 2, 0, Math.PI * 2);
  c.fillStyle = ink.paper;
  c.fill();
  c.lineWidth = Math.max(1.2, size / 6);
  c.strokeStyle = ink.stationLine;
  c.stroke();
}

// Prepares a canvas for drawing in CSS pixels at the screen's resolution.
function context(canvas: HTMLCanvasElement): { c: CanvasRenderingContext2D; width: number; height: number; ratio: number } {
  const ratio = window.devicePixelRatio || 1;
  const width = canvas.clientWidth;
  const height = canvas.clientHeight;
  if (canvas.width !== Math.round(width * ratio) || canvas.height !== Math.round(height * ratio)) {
    canvas.width = Math.round(width * ratio);
    canvas.height = Math.round(height * ratio);
  }
  const c = canvas.getContext("2d")!;
  c.setTransform(ratio, 0, 0, ratio, 0, 0);
  return { c, width, height, ratio };
}

export class Painter {
  private scene: Scene | null = null;
  private east = new Float64Array(0);
  private north = new Float64Array(0);
  private drawnPlan: Drawn[] = [];
  private drawnProfile: Drawn[] = [];
  // What each canvas was last drawn from, and the scene's count of changes.
  private profileInputs = "";
  private planInputs = "";
  private generation = 0;
  private profileWidth = 0;
  // The width xOf maps onto: the profile's, or the band's while it is drawn.
  private drawingWidth = 0;
  private readonly band = new Band<Drawn>();
  // The plan's scale and origin as last drawn, and its pieces at them.
  private fit: Fit | null = null;
  private fitSpan = 0;
  private readonly pieces = new Pieces<Drawn>();
  // The route km labels of the axis as last drawn, and the time the last
  // drawing took.
  axisLabels: string[] = [];
  drawMs = 0;
  private lanes: Record<keyof typeof kLanes, Lane> = {} as Record<keyof typeof kLanes, Lane>;

  constructor(
    private readonly plan: HTMLCanvasElement,
    private readonly profile: HTMLCanvasElement,
  ) {
    let top = 4;
    for (const [name, height] of Object.entries(kLanes)) {
      this.lanes[name as keyof typeof kLanes] = { top, height };
      top += height;
    }
  }

  setScene(scene: Scene | null): void {
    this.scene = scene;
    ++this.generation;
    if (!scene) return;
    const count = scene.trace.east.length;
    this.east = new Float64Array(count);
    this.north = new Float64Array(count);
    for (let i = 0; i < count; ++i) {
      this.east[i] = scene.trace.east[i] ?? NaN;
      this.north[i] = scene.trace.north[i] ?? NaN;
    }
  }

  // The profile's x of a route position, and back.
  xOf(view: Shown, position: number): number {
    return kGutter + ((position - view.first) / view.span) * (this.drawingWidth - kGutter - kRightPad);
  }
  positionAt(view: View, x: number): number {
    return view.first + ((x - kGutter) / (this.profileWidth - kGutter - kRightPad)) * view.span;
  }
  // The width of the axis in pixels.
  axisWidth(): number {
    return this.profileWidth - kGutter - kRightPad;
  }

  // Draws what changed since the last drawing: a canvas whose view,
  // layers, highlights, size and scene are the same is left as it is.
  draw(view: View, layers: Layers, highlights: number[]): void {
    const started = performance.now();
    const same = (canvas: HTMLCanvasElement) =>
      JSON.stringify([this.generation, view.first, view.last, layers, highlights, canvas.clientWidth,
        canvas.clientHeight, window.devicePixelRatio]);
    const profileInputs = same(this.profile);
    if (profileInputs !== this.profileInputs) this.drawProfile(view, layers, highlights);
    this.profileInputs = profileInputs;
    const planInputs = same(this.plan);
    if (planInputs !== this.planInputs) this.drawPlan(view, layers, highlights);
    this.planInputs = planInputs;
    this.drawMs = performance.now() - started;
  }

  // The marks drawn on the profile, where they stand on its canvas.
  drawnMarks(): { kind: string; position: number; x: number; y: number }[] {
    return this.drawnProfile.flatMap((d) => (d.mark ? [{ kind: d.mark.kind, position: d.mark.position, x: d.x, y: d.y }] : []));
  }

  // The object nearest the pointer on either canvas, within a few pixels.
  hitTest(view: View, onPlan: boolean, x: number, y: number): Hit | null {
    const drawn = onPlan ? this.drawnPlan : this.drawnProfile;
    let best: Drawn | null = null;
    let bestDistance = onPlan ? 8 : 7;
    for (const d of drawn) {
      const distance = Math.hypot(d.x - x, d.y - y);
      if (distance <= bestDistance) {
        best = d;
        bestDistance = distance;
      }
    }
    if (best) return best.hit;
    if (onPlan || !this.scene || x < kGutter || x > this.profileWidth - kRightPad) return null;
    return this.laneHit(view, x, y);
  }

  private laneHit(view: View, x: number, y: number): Hit | null {
    const scene = this.scene!;
    const position = Math.round(this.positionAt(view, x));
    const inLane = (lane: Lane) => y >= lane.top && y < lane.top + lane.height;
    const cell = cellOf(position, false);
    if (inLane(this.lanes.speed)) {
      const limit = stretchAt(scene.speed_limits, position);
      const slowdown = stretchAt(scene.slowdowns, position);
      if (!limit && !slowdown) return null;
      const values = [];
      if (limit) values.push(`limit ${limit.value} km/h from ${limit.start} to ${limit.end} m`);
      if (slowdown) values.push(`slowdown ${slowdown.value} km/h from ${slowdown.start} to ${slowdown.end} m`);
      return { kind: "speed limit", position, cell, values };
    }
    if (inLane(this.lanes.gradient)) {
      const gradient = stretchAt(scene.gradients, position);
      const mountain = stretchAt(scene.mountains, position);
      if (!gradient && !mountain) return null;
      const values = [];
      if (gradient) values.push(`gradient ${gradient.value > 0 ? "+" : ""}${gradient.value} ‰`);
      if (mountain) values.push(`mountain on side ${mountain.value}`);
      return { kind: "gradient", position, cell, values };
    }
    if (inLane(this.lanes.cab)) {
      const cab = scene.cab_signalling;
      if (!cab || position < cab.start || position >= cab.end) return null;
      return { kind: "cab signalling", position, cell, values: [`${cab.value} codes`] };
    }
    return null;
  }

  private drawProfile(view: View, layers: Layers, highlights: number[]): void {
    const { c, width, height, ratio } = context(this.profile);
    this.profileWidth = width;
    this.drawingWidth = width;
    this.drawnProfile = [];
    c.fillStyle = ink.paper;
    c.fillRect(0, 0, width, height);
    const scene = this.scene;
    if (!scene) return;
    const left = kGutter;
    const right = width - kRightPad;
    const columns = Math.max(1, Math.ceil(right - left));
    c.font = "12px system-ui, sans-serif";
    c.textBaseline = "middle";
    for (const [name, lane] of Object.entries(this.lanes)) {
      if (name === "axis") continue;
      c.fillStyle = ink.laneGround;
      c.fillRect(left, lane.top, right - left, lane.height);
      c.strokeStyle = ink.grid;
      c.lineWidth = 1;
      c.strokeRect(left + 0.5, lane.top + 0.5, right - left - 1, lane.height - 1);
    }
    const title = (lane: Lane, text: string) => {
      c.fillStyle = ink.text;
      c.font = "bold 12px system-ui, sans-serif";
      c.textAlign = "left";
      c.fillText(text, 8, lane.top + lane.height / 2);
      c.font = "12px system-ui, sans-serif";
    };
    title(this.lanes.stations, "Stations");
    title(this.lanes.marks, "Signals, boards");
    title(this.lanes.speed, "Speed km/h");
    title(this.lanes.gradient, "Gradient ‰");
    title(this.lanes.cab, "Cab signalling");
    c.save();
    c.beginPath();
    c.rect(left, 0, right - left, height);
    c.clip();
    const inputs = this.bandInputs(view, layers, highlights);
    const band = this.band.drawn(view, columns, ratio, inputs.band);
    c.drawImage(band.canvas, left + band.offset, 0, band.canvas.width / ratio, band.canvas.height / ratio);
    for (const d of band.placed) {
      const x = d.x + band.offset;
      if (x >= left && x <= right) this.drawnProfile.push({ ...d, x });
    }
    if (layers.stations) this.drawStations(c, view);
    c.restore();
    const speedTicks: [string, number][] = [];
    if (layers.speed) {
      const scale = this.speedScale(inputs.top);
      for (let v = scale.grid; v <= scale.top; v += scale.grid) speedTicks.push([String(v), scale.yOf(v)]);
    }
    c.fillStyle = ink.muted;
    c.textAlign = "right";
    c.font = "10px system-ui, sans-serif";
    for (const [text, y] of speedTicks) c.fillText(text, kGutter - 4, y);
    this.drawAxis(c, view, width);
  }

  // What the band of the profile's lanes is drawn from, and how to draw it:
  // everything in the lanes but the stations, whose names are placed to
  // stay inside the view.
  private bandInputs(view: View, layers: Layers, highlights: number[]): { band: BandInputs<Drawn>; top: number } {
    const scene = this.scene!;
    let top = 40;
    for (const s of scene.speed_limits) if (s.end > view.first && s.start < view.last) top = Math.max(top, s.value);
    let steepest = 4;
    for (const g of scene.gradients) if (g.end > view.first && g.start < view.last) steepest = Math.max(steepest, Math.abs(g.value));
    const key = JSON.stringify([this.generation, layers, highlights, top, steepest]);
    const draw = (c: CanvasRenderingContext2D, shown: Shown, bandColumns: number) => {
      this.drawingWidth = kGutter + bandColumns + kRightPad;
      c.translate(-kGutter, 0);
      for (const position of highlights) {
        const x = this.xOf(shown, position);
        c.fillStyle = ink.highlight;
        c.fillRect(x - 4, 0, 8, this.lanes.axis.top);
        c.fillStyle = ink.highlightLine;
        c.fillRect(x - 0.5, 0, 1, this.lanes.axis.top);
      }
      if (layers.speed) this.drawSpeeds(c, shown, bandColumns, layers, top);
      if (layers.gradient || layers.mountains) this.drawGradients(c, shown, bandColumns, layers, steepest);
      if (layers.cab) this.drawCab(c, shown);
      const marks = this.drawMarks(c, shown, layers);
      this.drawingWidth = this.profileWidth;
      return marks;
    };
    return { band: { key, height: this.lanes.axis.top, draw }, top };
  }

  // Per pixel column, the least and greatest value of the stretches over
  // it: a line of 1000 km draws as fast as one of 10.
  private columnRange(view: Shown, stretches: Stretch[], columns: number): { low: Float64Array; high: Float64Array } {
    const low = new Float64Array(columns).fill(Infinity);
    const high = new Float64Array(columns).fill(-Infinity);
    const scale = columns / view.span;
    for (let i = Math.max(0, lowerBound(stretches, view.first, (s) => s.end) - 1); i < stretches.length; ++i) {
      const s = stretches[i];
      if (s.start > view.last) break;
      if (s.end <= view.first) continue;
      const from = Math.max(0, Math.floor((s.start - view.first) * scale));
      const to = Math.min(columns - 1, Math.ceil((s.end - view.first) * scale) - 1);
      for (let x = from; x <= Math.max(from, to) && x < columns; ++x) {
        if (s.value < low[x]) low[x] = s.value;
        if (s.value > high[x]) high[x] = s.value;
      }
    }
    return { low, high };
  }

  // The speed lane's scale for the highest limit in view: its grid step,
  // its top and the y of a speed.
  private speedScale(highest: number): { grid: number; top: number; yOf: (v: number) => number } {
    const lane = this.lanes.speed;
    const grid = highest > 150 ? 50 : highest > 60 ? 20 : 10;
    const top = Math.ceil((highest + grid * 0.25) / grid) * grid;
    return { grid, top, yOf: (v: number) => lane.top + lane.height - (v / top) * (lane.height - 8) };
  }

  private drawSpeeds(c: CanvasRenderingContext2D, view: Shown, columns: number, layers: Layers, highest: number): void {
    const scene = this.scene!;
    const lane = this.lanes.speed;
    const { grid, top: scaleTop, yOf } = this.speedScale(highest);
    c.strokeStyle = ink.grid;
    c.lineWidth = 1;
    for (let v = grid; v <= scaleTop; v += grid) {
      c.beginPath();
      c.moveTo(kGutter, Math.round(yOf(v)) + 0.5);
      c.lineTo(kGutter + columns, Math.round(yOf(v)) + 0.5);
      c.stroke();
    }
    if (layers.slowdowns) {
      const slow = this.columnRange(view, scene.slowdowns, columns);
      c.fillStyle = ink.slowdownFill;
      for (let x = 0; x < columns; ++x) {
        if (slow.low[x] === Infinity) continue;
        const y = yOf(slow.low[x]);
        c.fillRect(kGutter + x, y, 1, lane.top + lane.height - y);
      }
    }
    const limits = this.columnRange(view, scene.speed_limits, columns);
    c.strokeStyle = ink.speedLimit;
    c.lineWidth = 2;
    c.beginPath();
    let open = false;
    for (let x = 0; x < columns; ++x) {
      if (limits.low[x] === Infinity) {
        open = false;
        continue;
      }
      const px = kGutter + x + 0.5;
      if (!open) c.moveTo(px, yOf(limits.high[x]));
      else c.lineTo(px, yOf(limits.high[x]));
      if (limits.low[x] !== limits.high[x]) c.lineTo(px, yOf(limits.low[x]));
      open = true;
    }
    c.stroke();
  }

  private drawGradients(c: CanvasRenderingContext2D, view: Shown, columns: number, layers: Layers, steepest: number): void {
    const scene = this.scene!;
    const lane = this.lanes.gradient;
    if (layers.mountains) {
      const mountains = this.columnRange(view, scene.mountains, columns);
      c.fillStyle = ink.mountain;
      for (let x = 0; x < columns; ) {
        let end = x + 1;
        const covered = mountains.low[x] !== Infinity;
        while (end < columns && (mountains.low[end] !== Infinity) === covered) ++end;
        if (covered) c.fillRect(kGutter + x, lane.top, end - x, lane.height);
        x = end;
      }
    }
    if (!layers.gradient) return;
    const zero = lane.top + lane.height / 2;
    const reach = lane.height / 2 - 5;
    const yOf = (g: number) => zero - (g / steepest) * reach;
    const gradients = this.columnRange(view, scene.gradients, columns);
    // Columns of one value drawn as one bar.
    const bars = (values: Float64Array, keep: (v: number) => boolean, colour: string) => {
      c.fillStyle = colour;
      for (let x = 0; x < columns; ) {
        const v = values[x];
        let end = x + 1;
        while (end < columns && values[end] === v) ++end;
        if (v !== Infinity && v !== -Infinity && keep(v)) {
          const y = yOf(v);
          c.fillRect(kGutter + x, Math.min(y, zero), end - x, Math.abs(zero - y));
        }
        x = end;
      }
    };
    bars(gradients.high, (v) => v > 0, ink.gradientUp);
    bars(gradients.low, (v) => v < 0, ink.gradientDown);
    c.fillStyle = ink.muted;
    c.fillRect(kGutter, Math.round(zero), columns, 1);
  }

  private drawCab(c: CanvasRenderingContext2D, view: Shown): void {
    const cab = this.scene!.cab_signalling;
    if (!cab || cab.end <= view.first || cab.start >= view.last) return;
    const lane = this.lanes.cab;
    const from = this.xOf(view, cab.start);
    const to = this.xOf(view, cab.end);
    c.fillStyle = ink.cab;
    c.fillRect(from, lane.top + 3, Math.max(1, to - from), lane.height - 6);
  }

  private drawStations(c: CanvasRenderingContext2D, view: Shown): void {
    const lane = this.lanes.stations;
    const stations = this.scene!.stations;
    const markY = lane.top + lane.height - 12;
    const rowEnds = [-Infinity, -Infinity];
    c.font = "12px system-ui, sans-serif";
    c.textAlign = "center";
    for (const s of stations) {
      if (s.end < view.first || s.start > view.last) continue;
      const x0 = this.xOf(view, s.start);
      const x1 = this.xOf(view, s.end);
      c.fillStyle = ink.stationArea;
      c.fillRect(x0, markY - 6, Math.max(1, x1 - x0), 12);
    }
    for (const s of stations) {
      if (s.position < view.first || s.position > view.last) continue;
      const x = this.xOf(view, s.position);
      stationSymbol(c, x, markY, 10);
      this.drawnProfile.push({ x, y: markY, hit: stationHit(s) });
      // Names in two rows, where they fit.
      const width = c.measureText(s.name).width;
      const labelX = Math.min(Math.max(x, kGutter + width / 2 + 2), this.profileWidth - kRightPad - width / 2 - 2);
      const row = rowEnds.findIndex((end) => labelX - width / 2 > end + 4);
      if (row < 0) continue;
      const y = lane.top + 12 + row * 16;
      // A name near either end stays inside the lane.
      c.fillStyle = ink.text;
      c.fillText(s.name, labelX, y);
      c.strokeStyle = ink.grid;
      c.beginPath();
      c.moveTo(x, y + 7);
      c.lineTo(x, markY - 6);
      c.stroke();
      rowEnds[row] = labelX + width / 2;
    }
  }

  private drawMarks(c: CanvasRenderingContext2D, view: Shown, layers: Layers): Drawn[] {
    const drawn: Drawn[] = [];
    const lane = this.lanes.marks;
    const y = lane.top + lane.height / 2;
    const marks = this.scene!.marks;
    const lastColumn = new Map<MarkKind, number>();
    const symbols = new Symbols(10);
    const first = lowerBound(marks, view.first, (m) => m.position);
    for (let i = first; i < marks.length && marks[i].position <= view.last; ++i) {
      const m = marks[i];
      if (!layers[layerOf(m.kind)]) continue;
      const x = this.xOf(view, m.position);
      // One symbol of a kind per 5 pixel columns: more would only cover
      // each other.
      const column = Math.round(x / 5);
      if (lastColumn.get(m.kind) === column) continue;
      lastColumn.set(m.kind, column);
      const rowY = m.kind === "signal" ? y - 7 : m.kind.startsWith("slowdown") ? y + 7 : y;
      symbols.add(m.kind, x, rowY);
      drawn.push({ x, y: rowY, hit: markHit(m), mark: m });
    }
    symbols.draw(c);
    return drawn;
  }

  private drawAxis(c: CanvasRenderingContext2D, view: View, width: number): void {
    const scene = this.scene!;
    const lane = this.lanes.axis;
    const axisWidth = width - kGutter - kRightPad;
    c.strokeStyle = ink.text;
    c.lineWidth = 1;
    c.beginPath();
    c.moveTo(kGutter, lane.top + 0.5);
    c.lineTo(kGutter + axisWidth, lane.top + 0.5);
    c.stroke();
    c.font = "bold 11px system-ui, sans-serif";
    c.textAlign = "left";
    c.fillStyle = ink.text;
    c.fillText("route km", 8, lane.top + 13);
    c.fillStyle = ink.muted;
    c.fillText("chainage", 8, lane.top + 31);
    c.font = "11px system-ui, sans-serif";
    c.textAlign = "center";
    const step = tickStep(view.span, axisWidth, 90);
    this.axisLabels = [];
    for (let m = Math.ceil(view.first / step) * step; m <= view.last; m += step) {
      const x = Math.round(this.xOf(view, m)) + 0.5;
      c.strokeStyle = ink.text;
      c.beginPath();
      c.moveTo(x, lane.top);
      c.lineTo(x, lane.top + 5);
      c.stroke();
      c.fillStyle = ink.text;
      c.fillText(kilometresText(m, step), x, lane.top + 13);
      this.axisLabels.push(kilometresText(m, step));
      c.fillStyle = ink.muted;
      const chainage = chainageText(chainageAt(scene.chainages, m));
      // Centred on its tick, but kept whole where the tick stands near the
      // canvas's right edge (the chainage is wider than the route km).
      const rightmost = width - c.measureText(chainage).width / 2 - 2;
      c.fillText(chainage, Math.min(x, rightmost), lane.top + 31);
    }
    for (const ch of scene.chainages) {
      if (ch.start <= view.first || ch.start > view.last) continue;
      const x = Math.round(this.xOf(view, ch.start)) + 0.5;
      c.strokeStyle = ink.signal;
      c.beginPath();
      c.moveTo(x, lane.top);
      c.lineTo(x, lane.top + 40);
      c.stroke();
    }
  }

  // The plan point of a route position, between the trace's samples.
  private planPoint(position: number): [number, number] {
    const step = this.scene!.trace.step;
    const last = this.east.length - 1;
    const at = Math.min(Math.max(position / step, 0), last);
    const i = Math.floor(at);
    const f = at - i;
    const j = Math.min(i + 1, last);
    return [this.east[i] + (this.east[j] - this.east[i]) * f, this.north[i] + (this.north[j] - this.north[i]) * f];
  }

  // The east and north extent of every `stride`-th trace sample from `from`
  // to `to`, those off the plan left out; null when none is on it.
  private trackExtent(from: number, to: number, stride: number): Extent | null {
    let minE = Infinity;
    let maxE = -Infinity;
    let minN = Infinity;
    let maxN = -Infinity;
    for (let i = from; i <= to; i += stride) {
      const e = this.east[i];
      const n = this.north[i];
      if (Number.isNaN(e) || Number.isNaN(n)) continue;
      if (e < minE) minE = e;
      if (e > maxE) maxE = e;
      if (n < minN) minN = n;
      if (n > maxN) maxN = n;
    }
    return minE === Infinity ? null : { minE, maxE, minN, maxN };
  }

  // The plan's scale and origin for the stretch shown.  Panning at one
  // zoom keeps the last ones while the stretch still fits and fills at
  // least four fifths of the tighter side, so that the plan stays still;
  // else the stretch is fitted to the canvas.
  private planFit(view: View, width: number, height: number, stride: number): Fit | null {
    const step = this.scene!.trace.step;
    const from = Math.max(0, Math.floor(view.first / step));
    const to = Math.min(this.east.length - 1, Math.ceil(view.last / step));
    const extent = this.trackExtent(from, to, stride);
    if (extent === null) return null;
    const { minE, maxE, minN, maxN } = extent;
    const pad = 28;
    const tightest = Math.min((width - 2 * pad) / Math.max(maxE - minE, 1), (height - 2 * pad) / Math.max(maxN - minN, 1));
    const last = this.fit;
    const panning = last !== null && last.width === width && last.height === height && view.span === this.fitSpan;
    if (panning && last.scale <= tightest && last.scale >= tightest * 0.8) {
      const inside = (v: number, low: number, high: number) => v >= low && v <= high;
      if (
        inside(last.originX + minE * last.scale, pad / 2, width - pad / 2) &&
        inside(last.originX + maxE * last.scale, pad / 2, width - pad / 2) &&
        inside(last.originY - maxN * last.scale, pad / 2, height - pad / 2) &&
        inside(last.originY - minN * last.scale, pad / 2, height - pad / 2)
      ) {
        return last;
      }
    }
    // Refitted while panning, the plan leaves itself room to move.
    const scale = panning ? tightest * 0.9 : tightest;
    return {
      width,
      height,
      scale,
      originX: width / 2 - ((minE + maxE) / 2) * scale,
      originY: height / 2 + ((minN + maxN) / 2) * scale,
    };
  }

  // The track from route position `a` to `b` as one path: every
  // `stride`-th sample of the trace, less those within a pixel of the last
  // one drawn, and the samples at both ends.
  private trackPath(c: CanvasRenderingContext2D, fit: Fit, a: number, b: number, stride: number): void {
    const step = this.scene!.trace.step;
    const from = Math.max(0, Math.floor(a / step));
    const to = Math.min(this.east.length - 1, Math.ceil(b / step));
    let lastX = NaN;
    let lastY = NaN;
    const add = (i: number) => {
      const e = this.east[i];
      const n = this.north[i];
      if (Number.isNaN(e) || Number.isNaN(n)) {
        lastX = NaN;
        return;
      }
      const x = fit.originX + e * fit.scale;
      const y = fit.originY - n * fit.scale;
      if (Number.isNaN(lastX)) c.moveTo(x, y);
      else if (i !== to && Math.abs(x - lastX) < 1 && Math.abs(y - lastY) < 1) return;
      else c.lineTo(x, y);
      lastX = x;
      lastY = y;
    };
    add(from);
    for (let i = Math.ceil((from + 1) / stride) * stride; i < to; i += stride) add(i);
    if (to > from) add(to);
  }

  private strokeTrack(c: CanvasRenderingContext2D, fit: Fit, stretches: [number, number][], stride: number): void {
    c.strokeStyle = ink.track;
    c.lineWidth = 2.5;
    // Bevelled joins look the same at this width and rasterise in half
    // the time of round ones; round ends hide where stretches meet.
    c.lineJoin = "bevel";
    c.lineCap = "round";
    c.beginPath();
    for (const [a, b] of stretches) this.trackPath(c, fit, a, b, stride);
    c.stroke();
    c.lineCap = "butt";
  }

  // The marks from route position `a` up to `b` (b itself only when
  // `closed`): one symbol of a kind per square of its own size.
  private drawPlanMarks(c: CanvasRenderingContext2D, fit: Fit, stretches: [number, number, boolean][], layers: Layers): Drawn[] {
    const marks = this.scene!.marks;
    const taken = new Set<number>();
    const symbols = new Symbols(8);
    const drawn: Drawn[] = [];
    for (const [a, b, closed] of stretches) {
      for (let i = lowerBound(marks, a, (m) => m.position); i < marks.length; ++i) {
        const m = marks[i];
        if (m.position > b || (m.position === b && !closed)) break;
        if (!layers[layerOf(m.kind)]) continue;
        const [e, n] = this.planPoint(m.position);
        const x = fit.originX + e * fit.scale;
        const y = fit.originY - n * fit.scale;
        const key = (Math.round(x / 8) * 4096 + Math.round(y / 8)) * 8 + kindIndex[m.kind];
        if (taken.has(key)) continue;
        taken.add(key);
        symbols.add(m.kind, x, y);
        drawn.push({ x, y, hit: markHit(m) });
      }
    }
    symbols.draw(c);
    return drawn;
  }

  private drawPlan(view: View, layers: Layers, highlights: number[]): void {
    const { c, width, height, ratio } = context(this.plan);
    this.drawnPlan = [];
    c.fillStyle = ink.mapGround;
    c.fillRect(0, 0, width, height);
    c.strokeStyle = ink.frame;
    c.strokeRect(0.5, 0.5, width - 1, height - 1);
    const scene = this.scene;
    if (!scene || !layers.plan || this.east.length === 0) {
      this.fit = null;
      return;
    }
    const step = scene.trace.step;
    // One point in a few per pixel: a stretch of 1000 km costs no more
    // than one that fits the window.
    const stride = Math.max(1, Math.floor(view.span / step / (width * 2)));
    const fit = this.planFit(view, width, height, stride);
    const kept = fit !== null && fit === this.fit;
    this.fit = fit;
    this.fitSpan = view.span;
    if (!fit) return;
    const toPixel = (e: number, n: number): [number, number] => [fit.originX + e * fit.scale, fit.originY - n * fit.scale];
    // A plan kept from the last frame copies the whole pieces (an eighth
    // of the span each) and draws only the part-pieces at the ends.
    const length = view.span / 8;
    const firstPiece = Math.ceil(view.first / length);
    const lastPiece = Math.floor(view.last / length) - 1;
    const pieces: Piece<Drawn>[] = [];
    let ends: [number, number][] = [[view.first, view.last]];
    if (kept && lastPiece >= firstPiece) {
      const key = JSON.stringify([this.generation, fit, length, stride, layers, ratio]);
      const drawer = this.pieceDrawer(fit, length, stride, layers, ratio);
      // At most two new pieces a frame; the others are drawn as they are.
      let budget = 2;
      ends = [];
      let from = view.first;
      for (let i = firstPiece; i <= lastPiece; ++i) {
        const piece = this.pieces.piece(key, i, ratio, drawer, budget > 0);
        if (piece?.made) --budget;
        if (piece) {
          pieces.push(piece.piece);
          if (from < i * length) ends.push([from, i * length]);
          from = (i + 1) * length;
        }
      }
      ends.push([from, view.last]);
      this.pieces.keep(firstPiece - 8, lastPiece + 8);
    } else {
      this.pieces.clear();
    }
    const copy = (layer: (p: Piece<Drawn>) => HTMLCanvasElement) => {
      for (const p of pieces) c.drawImage(layer(p), p.box.left, p.box.top, layer(p).width / ratio, layer(p).height / ratio);
    };
    copy((p) => p.track);
    this.strokeTrack(c, fit, ends, stride);
    for (const position of highlights) {
      if (position < view.first || position > view.last) continue;
      const [x, y] = toPixel(...this.planPoint(position));
      c.strokeStyle = ink.highlightLine;
      c.lineWidth = 2;
      c.beginPath();
      c.arc(x, y, 11, 0, Math.PI * 2);
      c.stroke();
    }
    if (layers.stations) {
      c.font = "bold 12px system-ui, sans-serif";
      c.textAlign = "left";
      c.textBaseline = "middle";
      let lastX = -Infinity;
      let lastY = -Infinity;
      for (const s of scene.stations) {
        if (s.position < view.first || s.position > view.last) continue;
        const [x, y] = toPixel(...this.planPoint(s.position));
        stationSymbol(c, x, y, 11);
        this.drawnPlan.push({ x, y, hit: stationHit(s) });
        if (Math.abs(x - lastX) > 80 || Math.abs(y - lastY) > 18) {
          c.lineWidth = 3;
          c.strokeStyle = "rgba(255,255,255,0.9)";
          c.strokeText(s.name, x + 9, y - 9);
          c.fillStyle = ink.text;
          c.fillText(s.name, x + 9, y - 9);
          lastX = x;
          lastY = y;
        }
      }
    }
    copy((p) => p.marks);
    for (const p of pieces) this.drawnPlan.push(...p.placed);
    const closed = ends.map(([a, b], i): [number, number, boolean] => [a, b, i === ends.length - 1]);
    this.drawnPlan.push(...this.drawPlanMarks(c, fit, closed, layers));
  }

  // How a piece of the plan is drawn: its box is the track's extent with
  // room for the symbols, on whole device pixels.
  private pieceDrawer(fit: Fit, length: number, stride: number, layers: Layers, ratio: number): PieceDrawer<Drawn> {
    const stretch = (i: number): [number, number] => [i * length, (i + 1) * length];
    return {
      box: (i) => {
        const step = this.scene!.trace.step;
        const from = Math.max(0, Math.floor(i * length / step));
        const to = Math.min(this.east.length - 1, Math.ceil((i + 1) * length / step));
        const extent = this.trackExtent(from, to, 1);
        if (extent === null) return null;
        // Screen positions follow east and north in order (or in reverse),
        // so the extent's corners bound every sample on the screen.
        const xs = [fit.originX + extent.minE * fit.scale, fit.originX + extent.maxE * fit.scale];
        const ys = [fit.originY - extent.maxN * fit.scale, fit.originY - extent.minN * fit.scale];
        const [minX, maxX] = [Math.min(...xs), Math.max(...xs)];
        const [minY, maxY] = [Math.min(...ys), Math.max(...ys)];
        const margin = 10;
        const left = Math.floor((minX - margin) * ratio) / ratio;
        const top = Math.floor((minY - margin) * ratio) / ratio;
        return { left, top, width: maxX + margin - left, height: maxY + margin - top };
      },
      track: (c, i) => this.strokeTrack(c, fit, [stretch(i)], stride),
      marks: (c, i) => this.drawPlanMarks(c, fit, [[...stretch(i), false]], layers),
    };
  }
}

interface Extent {
  minE: number;
  maxE: number;
  minN: number;
  maxN: number;
}

interface Fit {
  width: number;
  height: number;
  scale: number;
  originX: number;
  originY: number;
}
