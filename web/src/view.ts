// The stretch of route shown, [first, last] metres, shared by the plan and
// the profile: zooming or panning either moves both.

export const kSmallestSpan = 100;

// A stretch of route drawn: [first, last] metres.
export interface Shown {
  readonly first: number;
  readonly last: number;
  readonly span: number;
}

export class View {
  first = 0;
  last = 1;
  private length = 1;

  // The whole route of `length` metres, unless a view of a route is kept.
  setRoute(length: number, keep: boolean): void {
    this.length = Math.max(length, 1);
    if (!keep) {
      this.first = 0;
      this.last = this.length;
    }
    this.clamp();
  }

  get span(): number {
    return this.last - this.first;
  }

  // Zooms by `factor` (below 1: in) keeping the position at `anchor`
  // where it is.
  zoom(factor: number, anchor: number): void {
    const span = Math.min(Math.max(this.span * factor, kSmallestSpan), this.length);
    const share = this.span > 0 ? (anchor - this.first) / this.span : 0.5;
    this.first = anchor - share * span;
    this.last = this.first + span;
    this.clamp();
  }

  pan(metres: number): void {
    this.first += metres;
    this.last += metres;
    this.clamp();
  }

  // Centres the view on a position, keeping the span.
  centre(position: number): void {
    const span = this.span;
    this.first = position - span / 2;
    this.last = position + span / 2;
    this.clamp();
  }

  // Shows [first, last], within the route.
  show(first: number, last: number): void {
    this.first = first;
    this.last = last;
    this.clamp();
  }

  whole(): void {
    this.first = 0;
    this.last = this.length;
  }

  private clamp(): void {
    const span = Math.min(Math.max(this.span, kSmallestSpan), this.length);
    if (this.first < 0) this.first = 0;
    this.last = this.first + span;
    if (this.last > this.length) {
      this.last = this.length;
      this.first = Math.max(0, this.last - span);
    }
  }
}

// The tick step, in metres, that leaves at least `minPixels` between ticks.
export function tickStep(span: number, width: number, minPixels: number): number {
  const steps = [10, 20, 50, 100, 200, 500, 1000, 2000, 5000, 10000, 20000, 50000, 100000, 200000];
  for (const step of steps) {
    if ((step / span) * width >= minPixels) return step;
  }
  return steps[steps.length - 1];
}

// The first index of a list sorted by `key` whose key is at least `value`.
export function lowerBound<T>(items: T[], value: number, key: (item: T) => number): number {
  let low = 0;
  let high = items.length;
  while (low < high) {
    const middle = (low + high) >>> 1;
    if (key(items[middle]) < value) low = middle + 1;
    else high = middle;
  }
  return low;
}
