// The grammars' token scopes on the program's own texts and on small cases
// that follow the reader's rules.
import assert from 'node:assert/strict';
import { before, describe, test } from 'node:test';
import { builtIn, starting } from './texts.mjs';
import { tokenize } from './tokenize.mjs';

// The innermost scope without the language suffix: 'keyword.other.entry.body'.
const scope = (token) => token.scopes[token.scopes.length - 1].replace(/\.scenario(-line|-train)?$/, '');
const LINE = 'source.scenario-line';
const TRAIN = 'source.scenario-train';

// Each line's tokens that are not blank, as [text, scope] pairs.
async function scoped(grammar, text) {
  const lines = await tokenize(grammar, text);
  return lines.map((tokens) => tokens.filter((t) => t.text.trim() !== '').map((t) => [t.text, scope(t)]));
}

// What a line of one of the program's texts must look like: its keyword
// field, then numbers and commas, the last field of the entries named in
// `textLast` being a text.
function assertEntry(tokens, keywordScope, textLast, where) {
  const [keyword, ...rest] = tokens;
  assert.equal(keyword[1], keywordScope, `${where}: keyword ${keyword[0]}`);
  rest.forEach(([text, s], i) => {
    const last = i === rest.length - 1;
    const want = text === ',' ? 'punctuation.separator.comma'
      : last && textLast.test(keyword[0]) ? 'string.unquoted.text' : 'constant.numeric.integer';
    assert.equal(s, want, `${where}: ${text}`);
  });
}

describe('the built-in line text', () => {
  let text;
  let lines;
  before(async () => {
    text = builtIn().line;
    lines = await scoped(LINE, text);
  });

  test('general entries are general keywords up to [curve], body entries body keywords after it', () => {
    let section = 'preamble';
    let generalEntries = 0;
    text.split(/\r?\n/).forEach((source, i) => {
      const tokens = lines[i];
      const where = `line ${i + 1}: ${source}`;
      if (source.trim() === '') return assert.deepEqual(tokens, [], where);
      if (source === '[fine]') return assert.deepEqual(tokens, [['[fine]', 'keyword.control.end']], where);
      if (source.startsWith('[')) {
        section = source === '[generale]' ? 'general' : 'body';
        return assert.deepEqual(tokens, [[source, 'entity.name.section']], where);
      }
      if (section === 'general') generalEntries++;
      assertEntry(tokens, `keyword.other.entry.${section}`, /^cartello/, where);
    });
    assert.equal(generalEntries, 8);
  });

  test('a board text is one text token, digits, blanks and plus signs included', () => {
    const board = lines.find((tokens) => tokens[0]?.[0] === 'cartello_indicatore');
    assert.deepEqual(board.at(-1), ['(Galleria)(  Tuma  )(Ml. 2047)', 'string.unquoted.text']);
  });
});

describe('the built-in train text', () => {
  let text;
  let lines;
  before(async () => {
    text = builtIn().train;
    lines = await scoped(TRAIN, text);
  });

  test('every entry line is a keyword with numbers, a station ending in its name', () => {
    let entries = 0;
    text.split(/\r?\n/).forEach((source, i) => {
      const where = `line ${i + 1}: ${source}`;
      if (source.trim() === '') return assert.deepEqual(lines[i], [], where);
      if (source === '[fine]') return assert.deepEqual(lines[i], [['[fine]', 'keyword.control.end']], where);
      if (source.startsWith('[')) return assert.deepEqual(lines[i], [[source, 'entity.name.section']], where);
      entries++;
      assertEntry(lines[i], 'keyword.other.entry', /^stazione$/, where);
    });
    assert.equal(entries, 4 + 1 + 9 + 13 + 2 + 22);
  });

  test('a station name with a dash is a text, not a comment', () => {
    const names = lines.filter((tokens) => tokens[0]?.[0] === 'stazione').map((tokens) => tokens.at(-1));
    assert.ok(names.some(([name]) => name === 'BRAVENTINA - COLLE DI MORESCA'));
    for (const [name, s] of names) assert.equal(s, 'string.unquoted.text', name);
  });

  test('the clock\'s numbers separated by blanks are three numbers', () => {
    const clock = lines.find((tokens) => tokens[0]?.[0] === 'orologio');
    assert.deepEqual(clock.slice(2), [['12', 'constant.numeric.integer'], ['48', 'constant.numeric.integer'],
                                      ['40', 'constant.numeric.integer']]);
  });
});

describe('the starting texts of new', () => {
  for (const [kind, grammar] of [['line', LINE], ['train', TRAIN]]) {
    test(`${kind}: the text above [generale] is skipped, the dash lines are comments`, async () => {
      const text = starting()[kind];
      const lines = await scoped(grammar, text);
      const sources = text.split(/\r?\n/);
      const general = sources.indexOf('[generale]');
      assert.ok(general > 0);
      sources.forEach((source, i) => {
        const where = `line ${i + 1}: ${source}`;
        if (source.trim() === '') return;
        if (i < general) assert.deepEqual(lines[i], [[source, 'comment.block.preamble']], where);
        else if (source.startsWith('-')) assert.deepEqual(lines[i], [[source, 'comment.line.dash']], where);
        else if (!source.startsWith('[')) assert.match(lines[i][0][1], /^keyword\.other\.entry/, where);
      });
    });
  }
});

// Small texts: [what, grammar, text, the line to look at, its scoped tokens
// (a prefix of them)].
const cases = [
  ['a keyword that ignores letter case, in capitals', LINE,
   '[generale]\nLUNGHEZZA PERCORSO, 1000\n[fine]', 1, [['LUNGHEZZA PERCORSO', 'keyword.other.entry.general']]],
  ['a keyword that compares letter case, with a capital: no keyword', LINE,
   '[generale]\nProgressiva chilometrica uno, 0, 0, 0\n[fine]', 1, [['Progressiva chilometrica uno', 'meta.section.general']]],
  ['a body entry in the general section: no keyword', LINE,
   '[generale]\npendenza, 300, -3\n[curve]', 1, [['pendenza', 'meta.section.general'], [',', 'punctuation.separator.comma'],
                                                ['300', 'constant.numeric.integer'], [',', 'punctuation.separator.comma'],
                                                ['-3', 'constant.numeric.integer']]],
  ['a general entry in the body: no keyword', LINE,
   '[generale]\n[curve]\nsfondo uno, 0', 2, [['sfondo uno', 'source']]],
  ['a header with a dash is a comment and leaves the general section open', LINE,
   '[generale]\n[curve - nota]\nsfondo uno, 0', 2, [['sfondo uno', 'keyword.other.entry.general']]],
  ['the header after it closes the general section', LINE,
   '[generale]\n[curve - nota]\n[curve]\npendenza, 0, 0', 3, [['pendenza', 'keyword.other.entry.body']]],
  ['a keyword field with a dash is a comment', LINE,
   '[generale]\n[curve]\ncurva-d5, 650, 200', 2, [['curva-d5', 'comment.line.dash']]],
  ['a negative number that goes on an entry\'s values is no comment', LINE,
   '[generale]\n[curve]\npendenza, 300,\n  -3', 3, [['-3', 'constant.numeric.integer']]],
  ['a curve keyword with its side and class, in capitals', LINE,
   '[generale]\n[curve]\nCURVAS3, 650, 200', 2, [['CURVAS3', 'keyword.other.entry.body']]],
  ['a number with a fraction', LINE,
   '[generale]\n[curve]\npendenza, 300.5, 1', 2, [['pendenza', 'keyword.other.entry.body'], [',', 'punctuation.separator.comma'],
                                               ['300.5', 'constant.numeric.float']]],
  ['a quoted text holds its comma', LINE,
   '[generale]\n[curve]\ncartello_indicatore, 100, "(Km 1+000), bivio"', 2,
   [['cartello_indicatore', 'keyword.other.entry.body'], [',', 'punctuation.separator.comma'], ['100', 'constant.numeric.integer'],
    [',', 'punctuation.separator.comma'], ['"', 'punctuation.definition.string.begin'], ['(Km 1+000), bivio', 'string.quoted.double'],
    ['"', 'punctuation.definition.string.end']]],
  ['a line text without [generale] is all preamble', LINE,
   'pendenza, 300, -3\n[fine]', 1, [['[fine]', 'comment.block.preamble']]],
  ['[generale] in any letter case ends the preamble', TRAIN,
   'stazione segnale\n[GENERALE]\nstazione, 0', 2, [['stazione', 'keyword.other.entry']]],
  ['a train keyword in mixed case inside a longer field', TRAIN,
   '[generale]\n   massa FRENATA %, 77', 1, [['massa FRENATA %', 'keyword.other.entry']]],
  ['a field matching no entry is no keyword', TRAIN,
   '[generale]\nvettura, 4', 1, [['vettura', 'source']]],
];

describe('small cases', () => {
  for (const [what, grammar, text, line, want] of cases) {
    test(what, async () => {
      const tokens = (await scoped(grammar, text))[line];
      assert.deepEqual(tokens.slice(0, want.length), want);
    });
  }
});
