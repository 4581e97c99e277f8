// Which texts make one scenario: a line text NAME_linea.txt and the train
// texts NAME_N-.txt of the same NAME in the same folder.
import * as path from 'path';

export type TextKind = 'line' | 'train';

const lineSuffix = /_linea\.txt$/i;
const trainName = /^(.+)_([^_]+)-\.txt$/i;

export function textKind(file: string): TextKind | undefined {
  const base = path.basename(file);
  if (lineSuffix.test(base)) return 'line';
  if (trainName.test(base)) return 'train';
  return undefined;
}

// The scenario NAME a text belongs to, or undefined for other files.
export function scenarioName(file: string): string | undefined {
  const base = path.basename(file);
  if (lineSuffix.test(base)) return base.replace(lineSuffix, '');
  return trainName.exec(base)?.[1];
}

export interface Partners {
  line: string | undefined; // the line text, when it is among `siblings`
  trains: string[]; // the train texts, sorted by name
}

// The texts among `siblings` (the names of the files in the folder of
// `file`) that belong with `file`; `file` itself is counted too.
export function partners(file: string, siblings: string[]): Partners {
  const dir = path.dirname(file);
  const name = scenarioName(file);
  const result: Partners = { line: undefined, trains: [] };
  if (name === undefined) return result;
  for (const sibling of new Set([...siblings, path.basename(file)])) {
    if (scenarioName(sibling) !== name) continue;
    if (textKind(sibling) === 'line') result.line = path.join(dir, sibling);
    else result.trains.push(path.join(dir, sibling));
  }
  result.trains.sort();
  return result;
}

// The program to run from the setting: `${workspaceFolder}` replaced, a
// leading ~/ taken as the home folder, blank as the default name.
export function resolveProgram(setting: string | undefined, workspaceFolder: string | undefined,
                               home: string): string {
  let program = (setting ?? '').trim() || 'scenario-builder';
  if (workspaceFolder !== undefined) program = program.split('${workspaceFolder}').join(workspaceFolder);
  if (program.startsWith('~/')) program = path.join(home, program.slice(2));
  return program;
}
