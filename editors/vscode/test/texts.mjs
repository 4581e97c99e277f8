// The program's own texts, written by the program into a fresh folder: the
// built-in pair of the bare run and the starting pair of `new`.  The program
// is $SCENARIO_BUILDER, else the one of the build tree build/.
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

const root = path.join(path.dirname(fileURLToPath(import.meta.url)), '..', '..', '..');
const program = process.env.SCENARIO_BUILDER || path.join(root, 'build', 'scenario-builder');

function writtenTexts(args, line, train) {
  if (!fs.existsSync(program)) {
    throw new Error(`no program at ${program}: build it, or set SCENARIO_BUILDER`);
  }
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'scenario-texts-'));
  try {
    execFileSync(program, args(dir), { stdio: 'pipe' });
    // Windows-1252 bytes, one character each, as the editor shows them once
    // it reads the texts as Windows-1252 (the texts hold no 0x80-0x9F bytes).
    return {
      line: fs.readFileSync(path.join(dir, line), 'latin1'),
      train: fs.readFileSync(path.join(dir, train), 'latin1'),
    };
  } finally {
    fs.rmSync(dir, { recursive: true, force: true });
  }
}

export const builtIn = () => writtenTexts((dir) => ['--dir', dir, '--keep-sources'],
                                          'Valmira_Lunerio_linea.txt', 'Valmira_Lunerio_37924-.txt');
export const starting = () => writtenTexts((dir) => ['new', 'Mia', '101', '-o', dir],
                                           'Mia_linea.txt', 'Mia_101-.txt');
