// Writes the TextMate grammars of the line and the train text beside this
// script: node syntaxes/make-grammars.mjs.  The grammars follow the reader:
// a keyword field is the first field of a line that holds an entry's words
// (letter case compared where the compiler compares it) and no dash; a field
// with a dash where a keyword stands is a comment; everything before
// [generale] is skipped; in the line text the general entries are keywords
// only up to the next section header and the body entries only after it.
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
const F = '[^,\\r\\n]';
// A keyword field at the start of a line: holds every word, no dash (a field with a dash is a comment).
function keyword(words, scope, caseIgnored) {
  const look = words.map(w => `(?=${F}*${caseIgnored ? `(?i:${w})` : w})`).join('');
  return { match: `^\\s*+(?!${F}*-)${look}(${F}*?)(?=\\s*(?:,|$))`, captures: { 1: { name: scope } } };
}
const fields = {
  patterns: [
    { name: 'string.quoted.double.scenario', begin: '"', end: '"|$',
      beginCaptures: { 0: { name: 'punctuation.definition.string.begin.scenario' } },
      endCaptures: { 0: { name: 'punctuation.definition.string.end.scenario' } } },
    // A field that is no number: a text value (a station's name, a board's text) or a stray word.
    { match: `(?<=,)\\s*+(?!")(${F}*[^-+0-9.\\s,\\r\\n"]${F}*?)(?=\\s*(?:,|$))`,
      captures: { 1: { name: 'string.unquoted.text.scenario' } } },
    { match: '(?<![^\\s,])[-+]?[0-9]+\\.[0-9]*(?![^\\s,])', name: 'constant.numeric.float.scenario' },
    { match: '(?<![^\\s,])[-+]?[0-9]+(?![^\\s,])', name: 'constant.numeric.integer.scenario' },
    { match: ',', name: 'punctuation.separator.comma.scenario' },
  ],
};
const header = {
  patterns: [
    { match: '^\\s*+(\\[(?i:fine)\\])', captures: { 1: { name: 'keyword.control.end.scenario' } } },
    { match: `^\\s*+(\\[[^\\]\\-,\\r\\n]*\\])`, captures: { 1: { name: 'entity.name.section.scenario' } } },
  ],
};
const comment = {
  // A field holding a dash where a keyword is expected: the comment runs to the comma.
  match: `^\\s*+(?![-+]?[0-9]+(?:\\.[0-9]*)?\\s*(?:,|$))(${F}*-${F}*)`,
  captures: { 1: { name: 'comment.line.dash.scenario' } },
};
const preamble = {
  name: 'comment.block.preamble.scenario',
  begin: '\\A(?!\\s*\\[(?i:generale)\\])',
  end: '(?=\\[(?i:generale)\\])',
};

function grammar(lang, extra, topKeywords) {
  return {
    $schema: 'https://raw.githubusercontent.com/martinring/tmlanguage/master/tmlanguage.json',
    name: lang === 'line' ? 'Scenario line text' : 'Scenario train text',
    scopeName: `source.scenario-${lang}`,
    patterns: [
      { include: '#preamble' },
      ...extra,
      { include: '#header' },
      { include: '#comment' },
      { include: '#keywords' },
      { include: '#fields' },
    ],
    repository: { preamble, header, comment, keywords: { patterns: topKeywords }, fields },
  };
}

// The two grammars: { line, train }.
export function makeGrammars() {
  const G = 'keyword.other.entry.general.scenario-line';
  const B = 'keyword.other.entry.body.scenario-line';
  const general = {
    name: 'meta.section.general.scenario-line',
    begin: '(\\[(?i:generale)\\])',
    beginCaptures: { 1: { name: 'entity.name.section.scenario' } },
    // The first field holding [ and ] (a dash makes it a comment) ends the section.
    end: `(?=^\\s*\\[[^\\]\\-,\\r\\n]*\\])`,
    patterns: [
      { include: '#comment' },
      { include: '#general-keywords' },
      { include: '#fields' },
    ],
  };
  const line = grammar('line', [{ include: '#general' }], [
    keyword(['pendenza'], B, true),
    keyword(['curva'], B, true),
    keyword(['montagna'], B, true),
    keyword(['indicatori_v'], B, true),
    keyword(['indicat', 'cartello'], B, true),
  ]);
  line.repository.general = general;
  line.repository['general-keywords'] = { patterns: [
    keyword(['lunghezza', 'percorso'], G, true),
    keyword(['progressiva', '(?:uno|due|tre)'], G, false),
    keyword(['sfondo', '(?:uno|due|tre)'], G, false),
    keyword(['segnali', 'ripetizione'], G, false),
  ] };
  const T = 'keyword.other.entry.scenario-train';
  const train = grammar('train', [{ include: '#general-header' }], [
    ['frenata', 'massa'], ['vetture'], ['velocit'], ['aderenza'], ['orologio'], ['sabbia'],
    ['segnale'], ['rallentamento'], ['abbattimento'], ['stazione'],
  ].map(w => keyword(w, T, true)));
  train.repository['general-header'] = { match: '(\\[(?i:generale)\\])', captures: { 1: { name: 'entity.name.section.scenario' } } };
  return { line, train };
}

if (process.argv[1] === fileURLToPath(import.meta.url)) {
  const out = path.dirname(fileURLToPath(import.meta.url));
  const { line, train } = makeGrammars();
  fs.writeFileSync(`${out}/scenario-line.tmLanguage.json`, JSON.stringify(line, null, 2) + '\n');
  fs.writeFileSync(`${out}/scenario-train.tmLanguage.json`, JSON.stringify(train, null, 2) + '\n');
}
