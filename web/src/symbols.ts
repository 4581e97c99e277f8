import { ink } from "./ink";
import type { MarkKind } from "./scene";

// The outline of each filled symbol, in half-sizes about its centre.
const outlines: Partial<Record<MarkKind, { points: [number, number][]; fill: string; stroke: string }>> = {
  speed_board: { points: [[-0.75, -0.75], [0.75, -0.75], [0.75, 0.75], [-0.75, 0.75]], fill: ink.paper, stroke: ink.speedBoard },
  indication_board: { points: [[0, -1], [1, 0], [0, 1], [-1, 0]], fill: ink.indicationBoard, stroke: ink.text },
  slowdown_warning: { points: [[0, -1], [1, 0.75], [-1, 0.75]], fill: ink.slowdownWarning, stroke: ink.text },
  slowdown_start: { points: [[-1, -0.75], [1, -0.75], [0, 1]], fill: ink.slowdown, stroke: ink.text },
  slowdown_end: { points: [[0, -1], [1, 0.75], [-1, 0.75]], fill: ink.paper, stroke: ink.slowdown },
};

// Kinds bottom to top where symbols meet.
const kOrder: MarkKind[] = [
  "code_cut_point",
  "code_point",
  "speed_board",
  "indication_board",
  "slowdown_end",
  "slowdown_start",
  "slowdown_warning",
  "signal",
];

// The symbols of one drawing, gathered by kind and drawn as one path a
// kind: a thousand symbols cost a few fills and strokes, not thousands.
export class Symbols {
  private at = new Map<MarkKind, number[]>();

  constructor(private readonly size: number) {}

  add(kind: MarkKind, x: number, y: number): void {
    let list = this.at.get(kind);
    if (!list) this.at.set(kind, (list = []));
    list.push(x, y);
  }

  draw(c: CanvasRenderingContext2D): void {
    for (const kind of kOrder) {
      const list = this.at.get(kind);
      if (list) drawKind(c, kind, list, this.size);
    }
    c.lineCap = "butt";
  }
}

function drawKind(c: CanvasRenderingContext2D, kind: MarkKind, xy: number[], size: number): void {
  const h = size / 2;
  c.lineWidth = Math.max(1, size / 9);
  c.lineJoin = "round";
  c.beginPath();
  if (kind === "signal") {
    const r = h * 0.8;
    for (let i = 0; i < xy.length; i += 2) {
      c.moveTo(xy[i] + r, xy[i + 1]);
      c.arc(xy[i], xy[i + 1], r, 0, Math.PI * 2);
    }
    c.fillStyle = ink.signal;
    c.fill();
    c.strokeStyle = "#590508";
    c.stroke();
    return;
  }
  const outline = outlines[kind];
  if (outline) {
    for (let i = 0; i < xy.length; i += 2) {
      const [x, y] = [xy[i], xy[i + 1]];
      outline.points.forEach(([px, py], j) => (j === 0 ? c.moveTo(x + px * h, y + py * h) : c.lineTo(x + px * h, y + py * h)));
      c.closePath();
    }
    if (kind === "slowdown_end") c.lineWidth *= 2;
    c.fillStyle = outline.fill;
    c.fill();
    c.strokeStyle = outline.stroke;
    c.stroke();
    return;
  }
  // Code points: a plus; code cut points: a cross.
  c.lineWidth = Math.max(1.5, size / 4.5);
  c.lineCap = "round";
  c.strokeStyle = kind === "code_point" ? ink.codePoint : ink.codeCutPoint;
  const r = h * 0.7;
  for (let i = 0; i < xy.length; i += 2) {
    const [x, y] = [xy[i], xy[i + 1]];
    if (kind === "code_point") {
      c.moveTo(x - r, y);
      c.lineTo(x + r, y);
      c.moveTo(x, y - r);
      c.lineTo(x, y + r);
    } else {
      c.moveTo(x - r, y - r);
      c.lineTo(x + r, y + r);
      c.moveTo(x - r, y + r);
      c.lineTo(x + r, y - r);
    }
  }
  c.stroke();
}
