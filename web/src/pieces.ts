// Stretches of the plan drawn once into small bitmaps and copied while the
// plan keeps its scale: panning then draws only the two part-stretches at
// the view's ends.

// Where a piece's drawing lies on the plan, in CSS pixels.
export interface Box {
  left: number;
  top: number;
  width: number;
  height: number;
}

export interface Piece<T> {
  box: Box;
  // Two layers, so that every stretch's track stays under every mark.
  track: HTMLCanvasElement;
  marks: HTMLCanvasElement;
  placed: T[];
}

// Draws piece `index` into a layer: `c` is translated so that plan
// coordinates land in the piece's box.
export interface PieceDrawer<T> {
  box: (index: number) => Box | null;
  track: (c: CanvasRenderingContext2D, index: number) => void;
  marks: (c: CanvasRenderingContext2D, index: number) => T[];
}

export class Pieces<T> {
  private key = "";
  private made = new Map<number, Piece<T>>();

  // The piece `index` drawn for `key` and whether it was drawn just now;
  // null when it has no track or is not drawn yet and `make` is false.  A
  // new key drops every piece.
  piece(key: string, index: number, ratio: number, drawer: PieceDrawer<T>, make: boolean): { piece: Piece<T>; made: boolean } | null {
    if (key !== this.key) {
      this.made.clear();
      this.key = key;
    }
    const known = this.made.get(index);
    if (known) return { piece: known, made: false };
    if (!make) return null;
    const box = drawer.box(index);
    if (!box) return null;
    const layer = (paint: (c: CanvasRenderingContext2D) => void) => {
      const canvas = document.createElement("canvas");
      canvas.width = Math.max(1, Math.ceil(box.width * ratio));
      canvas.height = Math.max(1, Math.ceil(box.height * ratio));
      const c = canvas.getContext("2d")!;
      c.setTransform(ratio, 0, 0, ratio, -box.left * ratio, -box.top * ratio);
      paint(c);
      return canvas;
    };
    let placed: T[] = [];
    const made = {
      box,
      track: layer((c) => drawer.track(c, index)),
      marks: layer((c) => (placed = drawer.marks(c, index))),
      placed: [] as T[],
    };
    made.placed = placed;
    this.made.set(index, made);
    return { piece: made, made: true };
  }

  // Keeps only the pieces from `first` to `last`.
  keep(first: number, last: number): void {
    for (const index of [...this.made.keys()]) if (index < first || index > last) this.made.delete(index);
  }

  clear(): void {
    this.made.clear();
    this.key = "";
  }
}
