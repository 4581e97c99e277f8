// The document the program serves at /scenario.json (and embeds in a
// self-contained page): the last compile's diagnostics and stations, and the
// scene that `plot` draws.

export interface Diagnostic {
  file: string;
  line: number | null;
  column: number | null;
  severity: "error" | "warning";
  code: string | null;
  name: string | null;
  message: string;
  position?: number | null;
}

export interface TimetableStation {
  name: string;
  position: number;
  arrival: number | null;
  departure: number | null;
  slack: number | null;
}

export interface Stretch {
  start: number;
  end: number;
  value: number;
}

export interface StationMark {
  name: string;
  position: number;
  start: number;
  end: number;
  kind: number;
}

export type MarkKind =
  | "signal"
  | "speed_board"
  | "indication_board"
  | "slowdown_warning"
  | "slowdown_start"
  | "slowdown_end"
  | "code_point"
  | "code_cut_point";

export interface PointMark {
  kind: MarkKind;
  position: number;
  label: string;
}

export interface Chainage {
  start: number;
  kilometre: number;
}

export interface Scene {
  scenario: string;
  train: string;
  route_length: number;
  trace: { step: number; rows: number; east: (number | null)[]; north: (number | null)[] };
  stations: StationMark[];
  marks: PointMark[];
  mountains: Stretch[];
  speed_limits: Stretch[];
  gradients: Stretch[];
  slowdowns: Stretch[];
  cab_signalling: Stretch | null;
  chainages: Chainage[];
}

export interface LiveDocument {
  version: number;
  diagnostics: Diagnostic[];
  errors: number;
  warnings: number;
  stations: TimetableStation[];
  scene_version: number | null;
  scene: Scene | null;
  // The stretch to open on, in route metres (a saved page's --from, --to).
  view?: { first: number; last: number };
}
