import type { Chainage } from "./scene";

// The kilometre value (metres) the posts read at a route position: the
// chainage that starts last at or before it, counted on from its start.
export function chainageAt(chainages: Chainage[], position: number): number {
  let value = position;
  for (const c of chainages) {
    if (c.start > position) break;
    value = c.kilometre + (position - c.start);
  }
  return value;
}

// "350+000": kilometres, a plus and the metres in three digits.
export function chainageText(metres: number): string {
  const whole = Math.round(metres);
  const sign = whole < 0 ? "-" : "";
  const a = Math.abs(whole);
  return `${sign}${Math.floor(a / 1000)}+${String(a % 1000).padStart(3, "0")}`;
}

// Route kilometres with as many decimals as the tick step needs.
export function kilometresText(metres: number, step = 1): string {
  const decimals = step >= 1000 ? 0 : step >= 100 ? 1 : step >= 10 ? 2 : 3;
  return (metres / 1000).toFixed(decimals);
}

// The first route position where the posts read `kilometreMetres`, or null
// where the numbering jumps over it.  `chainages` are by increasing start,
// the one that holds last of those from one start (as the scene gives
// them); before the first the posts read the route position itself.
export function positionOfChainage(
  chainages: Chainage[],
  routeLength: number,
  kilometreMetres: number,
): number | null {
  const firstStart = chainages.length === 0 ? routeLength : chainages[0].start;
  if (kilometreMetres >= 0 && kilometreMetres <= routeLength && (kilometreMetres < firstStart || chainages.length === 0)) {
    return kilometreMetres;
  }
  for (let i = 0; i < chainages.length; ++i) {
    const c = chainages[i];
    const end = i + 1 < chainages.length ? chainages[i + 1].start : routeLength;
    // One followed by another from the same start never holds.
    if (end === c.start && i + 1 < chainages.length) continue;
    const position = c.start + (kilometreMetres - c.kilometre);
    // The next chainage holds from its start; the last one to the route's end.
    const last = i + 1 === chainages.length;
    if (position >= c.start && (position < end || (last && position <= end))) return position;
  }
  return null;
}

// "354+200", "354.2" or "354": a chainage in kilometres; null for no number.
export function parseChainage(text: string): number | null {
  const plus = /^\s*(-?\d+)\s*\+\s*(\d{1,3})\s*$/.exec(text);
  if (plus) {
    const km = Number(plus[1]);
    const metres = Number(plus[2].padEnd(3, "0"));
    return km * 1000 + (km < 0 ? -metres : metres);
  }
  const plain = /^\s*(-?\d+(?:[.,]\d+)?)\s*$/.exec(text);
  if (plain) return Math.round(Number(plain[1].replace(",", ".")) * 1000);
  return null;
}

// "12:39:00"; hours past 23 count on.
export function clockText(seconds: number): string {
  const h = Math.floor(seconds / 3600);
  const m = Math.floor((seconds % 3600) / 60);
  const s = seconds % 60;
  return [h, m, s].map((v) => String(v).padStart(2, "0")).join(":");
}

// "1 min 23 s", "45 s", "-30 s".
export function durationText(seconds: number): string {
  const sign = seconds < 0 ? "-" : "";
  const a = Math.abs(Math.round(seconds));
  const m = Math.floor(a / 60);
  const s = a % 60;
  return sign + (m > 0 ? `${m} min ${s} s` : `${s} s`);
}

// The cell of a position: objects placed one cell beyond stand at
// (c - 1) x 50 m, code points and stretches start at c x 50 m.
export function cellOf(position: number, oneBeyond: boolean): number {
  return Math.floor(position / 50) + (oneBeyond ? 1 : 0);
}
