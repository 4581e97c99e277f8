import type { Shown } from "./view";

// How to draw a band: `key` names everything but the stretch shown that
// the drawing depends on; `draw` paints the stretch `shown` over `columns`
// pixel columns from x 0 and returns what it placed where.
export interface BandInputs<T> {
  key: string;
  height: number;
  draw: (c: CanvasRenderingContext2D, shown: Shown, columns: number) => T[];
}

// The band as it stands: its bitmap, where to copy it (CSS pixels from
// the view's first column) and what it placed, in its own pixels.
export interface BandDrawing<T> {
  canvas: HTMLCanvasElement;
  offset: number;
  placed: T[];
}

// A drawing of the profile's lanes kept between frames.  Panning at one
// zoom copies it, shifted; it is drawn again only when the view leaves it
// or its inputs change.  Drawn for a pan, it reaches a view's width beyond
// either side, so the next fifty steps or so are copies.
export class Band<T> {
  private readonly canvas = document.createElement("canvas");
  private key = "";
  private first = 0;
  private span = 0;
  private columns = 0;
  private ratio = 0;
  private bandColumns = 0;
  private placed: T[] = [];

  drawn(view: Shown, columns: number, ratio: number, inputs: BandInputs<T>): BandDrawing<T> {
    const sameZoom =
      inputs.key === this.key && view.span === this.span && columns === this.columns && ratio === this.ratio;
    const perColumn = view.span / columns;
    const last = this.first + this.bandColumns * perColumn;
    const inside = view.first >= this.first - 1e-6 && view.last <= last + 1e-6;
    if (!sameZoom || !inside) {
      // A new zoom is drawn one view wide: zooming draws no more than it
      // shows.  A pan out of the band draws three views wide.
      const wide = sameZoom;
      this.key = inputs.key;
      this.span = view.span;
      this.columns = columns;
      this.ratio = ratio;
      this.bandColumns = wide ? 3 * columns : columns;
      this.first = wide ? view.first - view.span : view.first;
      this.canvas.width = Math.ceil(this.bandColumns * ratio);
      this.canvas.height = Math.ceil(inputs.height * ratio);
      const c = this.canvas.getContext("2d")!;
      c.setTransform(ratio, 0, 0, ratio, 0, 0);
      const shown = { first: this.first, last: this.first + this.bandColumns * perColumn, span: this.bandColumns * perColumn };
      this.placed = inputs.draw(c, shown, this.bandColumns);
    }
    const offset = Math.round(((this.first - view.first) / perColumn) * ratio) / ratio;
    return { canvas: this.canvas, offset, placed: this.placed };
  }
}
