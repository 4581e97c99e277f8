// Which files make a scenario's pair, where the program is, and when a text
// was opened in the wrong encoding.
import assert from 'node:assert/strict';
import path from 'node:path';
import { describe, test } from 'node:test';
import { createRequire } from 'node:module';

const require = createRequire(import.meta.url);
const { partners, resolveProgram, scenarioName, textKind } = require('../out/pair.js');
const { encodingProblem } = require('../out/encoding.js');

describe('pairs', () => {
  test('kinds and names of texts', () => {
    const cases = [
      ['Valmira_Lunerio_linea.txt', 'line', 'Valmira_Lunerio'],
      ['Valmira_Lunerio_37924-.txt', 'train', 'Valmira_Lunerio'],
      ['Mia_LINEA.TXT', 'line', 'Mia'],
      ['Mia_101-.TXT', 'train', 'Mia'],
      ['Mia_101.txt', undefined, undefined],
      ['Mia_101_note.txt', undefined, undefined],
      ['_101-.txt', undefined, undefined],
      ['readme-.txt', undefined, undefined],
    ];
    for (const [file, kind, name] of cases) {
      assert.equal(textKind(file), kind, file);
      assert.equal(scenarioName(path.join('/w', file)), name, file);
    }
  });

  const folder = ['Mia_linea.txt', 'Mia_101-.txt', 'Mia_7-.txt', 'Mia_101.sim', 'Mia_101_note.txt',
                  'Altra_linea.txt', 'Altra_5-.txt', 'Mia_Bis_linea.txt', 'Mia_Bis_3-.txt'];
  test('a line text finds the train texts of its name, not those of a longer name', () => {
    assert.deepEqual(partners('/w/Mia_linea.txt', folder),
                     { line: '/w/Mia_linea.txt', trains: ['/w/Mia_101-.txt', '/w/Mia_7-.txt'] });
    assert.deepEqual(partners('/w/Mia_Bis_linea.txt', folder),
                     { line: '/w/Mia_Bis_linea.txt', trains: ['/w/Mia_Bis_3-.txt'] });
  });

  test('a train text finds its line text', () => {
    assert.equal(partners('/w/Altra_5-.txt', folder).line, '/w/Altra_linea.txt');
  });

  test('a text alone has no partner', () => {
    assert.deepEqual(partners('/w/Sola_1-.txt', folder), { line: undefined, trains: ['/w/Sola_1-.txt'] });
    assert.deepEqual(partners('/w/notes.txt', folder), { line: undefined, trains: [] });
  });
});

test('the program from the setting', () => {
  const cases = [
    [undefined, 'scenario-builder'],
    ['  ', 'scenario-builder'],
    ['/opt/sb/scenario-builder', '/opt/sb/scenario-builder'],
    ['${workspaceFolder}/build/scenario-builder', '/ws/build/scenario-builder'],
    ['~/bin/scenario-builder', '/home/u/bin/scenario-builder'],
  ];
  for (const [setting, program] of cases) assert.equal(resolveProgram(setting, '/ws', '/home/u'), program, setting);
});

test('a text opened in the wrong encoding', () => {
  const cases = [
    ['windows1252', 'stazione, 0, CITTÀ', undefined],
    [undefined, 'stazione, 0, CITTÀ', undefined],
    [undefined, 'stazione, 0, CITT\uFFFD', 'holds bytes that are not valid in the encoding it was opened with'],
    ['windows1252', 'CITT\uFFFD', 'holds bytes that are not valid in the encoding it was opened with'],
    ['utf8', '[generale]', 'was opened as UTF-8'],
    ['utf16le', '[generale]', 'was opened as UTF-16'],
    ['iso88591', '[generale]', undefined],
  ];
  for (const [encoding, text, problem] of cases) assert.equal(encodingProblem(encoding, text), problem, `${encoding} ${text}`);
});
