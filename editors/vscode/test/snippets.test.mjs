// The snippets and grammars against what they are made from: the committed
// files are what the scripts write, every entry of the format page has its
// snippet, and each snippet, expanded, starts with a field the grammar
// colours as a keyword of the section the entry belongs to.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { describe, test } from 'node:test';
import { fileURLToPath } from 'node:url';
import { makeSnippets, readEntries } from '../snippets/make-snippets.mjs';
import { makeGrammars } from '../syntaxes/make-grammars.mjs';
import { tokenize } from './tokenize.mjs';

const here = path.join(path.dirname(fileURLToPath(import.meta.url)), '..');
const page = fs.readFileSync(path.join(here, '..', '..', 'docs', 'format.md'), 'utf8');
const committed = (file) => JSON.parse(fs.readFileSync(path.join(here, file), 'utf8'));

// A snippet's body as inserted with its placeholders left as they are: a
// choice gives its first option, a named placeholder the number 7.
const expand = (body) => body.join('\n').replace(/\$\{\d+\|([^,|]*)[^}]*\}/g, '$1').replace(/\$\{\d+:[^}]*\}/g, '7')
  .replace(/\$0/g, '');

describe('generated files', () => {
  test('the snippets are those the format page makes', () => {
    for (const text of ['line', 'train']) {
      assert.deepEqual(committed(`snippets/scenario-${text}.json`), makeSnippets(page, text),
                       'run node snippets/make-snippets.mjs');
    }
  });

  test('the grammars are those make-grammars writes', () => {
    const { line, train } = makeGrammars();
    assert.deepEqual(committed('syntaxes/scenario-line.tmLanguage.json'), line, 'run node syntaxes/make-grammars.mjs');
    assert.deepEqual(committed('syntaxes/scenario-train.tmLanguage.json'), train, 'run node syntaxes/make-grammars.mjs');
  });

  test('the page has the entries of both texts, each with its keyword and values', () => {
    const entries = readEntries(page);
    assert.equal(entries.filter((e) => e.text === 'line').length, 13);
    assert.equal(entries.filter((e) => e.text === 'train').length, 10);
    for (const entry of entries) {
      assert.ok(entry.keyword, entry.name);
      assert.ok(entry.values.length > 0, entry.name);
    }
    assert.equal(entries.find((e) => e.name === 'station').values.length, 17);
  });
});

describe('every snippet is an entry the grammar recognises', () => {
  // Where each entry's snippet is inserted: the line text's general entries in
  // its general section, its body entries after [curve].
  const generalNames = new Set(readEntries(page).filter((e) => e.text === 'line' && /^(route|chainage|background|cab)/.test(e.name))
    .map((e) => e.name));
  const places = [
    ['line', 'source.scenario-line', (name) => generalNames.has(name) ? ['[generale]'] : ['[generale]', '[curve]'],
     (name) => generalNames.has(name) ? 'keyword.other.entry.general.scenario-line' : 'keyword.other.entry.body.scenario-line'],
    ['train', 'source.scenario-train', () => ['[generale]'], () => 'keyword.other.entry.scenario-train'],
  ];
  for (const [text, grammar, before, keyword] of places) {
    const snippets = makeSnippets(page, text);
    for (const [name, snippet] of Object.entries(snippets)) {
      if (name === `${text} text`) continue;
      test(`${text}: ${name}`, async () => {
        const head = before(name);
        const lines = await tokenize(grammar, [...head, expand(snippet.body), '[fine]'].join('\n'));
        const first = lines[head.length].find((t) => t.text.trim() !== '');
        assert.equal(first.scopes.at(-1), keyword(name), `${first.text}`);
        const values = lines[head.length].filter((t) => t.text === '7');
        assert.equal(values.length, snippet.body[0].match(/\$\{\d+:/g).length);
      });
    }
  }

  for (const text of ['line', 'train']) {
    test(`${text}: the skeleton has every header and ends with [fine]`, () => {
      const skeleton = expand(makeSnippets(page, text)[`${text} text`].body).split('\n');
      assert.equal(skeleton[0], '[generale]');
      assert.equal(skeleton.at(-1), '[fine]');
    });
  }
});
