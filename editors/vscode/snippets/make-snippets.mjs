// Writes the snippets of the line and the train text beside this script from
// the format's reference page, docs/format.md, which the program writes from
// its own description of the entries: one snippet per entry, its keyword
// followed by a placeholder for each value, named as the page names it; and
// one skeleton of each text.  node snippets/make-snippets.mjs
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

const here = path.dirname(fileURLToPath(import.meta.url));
const formatPage = path.join(here, '..', '..', '..', 'docs', 'format.md');

// The entries of the page: { text: 'line'|'train', name, keyword, values: [{name, unit}] }.
export function readEntries(page) {
  const entries = [];
  let text = null;
  let entry = null;
  for (const line of page.split('\n')) {
    let m;
    if ((m = /^## (Line text|Train text)/.exec(line))) {
      text = m[1] === 'Line text' ? 'line' : 'train';
      entry = null;
    } else if (/^## /.test(line)) {
      text = null;
      entry = null;
    } else if (text && (m = /^### (.+)$/.exec(line))) {
      entry = { text, name: m[1], keyword: null, values: [] };
      entries.push(entry);
    } else if (entry && (m = /\(canonical: `([^`]+)`\)/.exec(line))) {
      entry.keyword = m[1];
    } else if (entry && (m = /^\| (\d+) \| `([^`]+)`: [^|]*\| ([^|]+) \|/.exec(line))) {
      entry.values.push({ name: m[2], unit: m[3].trim() });
    }
  }
  return entries;
}

// The keyword as a snippet: the curve's side and class, the cab signalling's
// number of codes as choices.
function keywordSnippet(keyword) {
  if (/^curva[sd][1-6]$/.test(keyword)) return 'curva${1|d,s|}${2|1,2,3,4,5,6|}';
  if (/ripetizione segnali 4 codici/.test(keyword)) return 'ripetizione segnali ${1|4,9|} codici';
  return keyword.replace(/[$}\\]/g, '\\$&');
}

function entrySnippet(entry) {
  const head = keywordSnippet(entry.keyword);
  let tab = (head.match(/\$\{\d/g) || []).length;
  const values = entry.values.map((v) => `\${${++tab}:${v.name}}`);
  const described = entry.values.map((v) => (v.unit === '-' ? v.name : `${v.name} (${v.unit})`));
  return {
    // The keyword without the curve's side and class or the number of codes.
    prefix: [entry.keyword.replace(/^curva[sd][1-6]$/, 'curva').replace(/\s*\d.*$/, ''), entry.name],
    body: [`${head}, ${values.join(', ')}`],
    description: `${entry.name}: ${described.join(', ')}`,
  };
}

const skeletons = {
  line: {
    prefix: ['[generale]', 'line text'],
    description: 'a whole line text: the general section, the body\'s headers and the end line',
    body: [
      '[generale]',
      'lunghezza percorso, ${1:length}',
      'progressiva chilometrica uno, ${2:0}, ${3:0}, ${4:0}',
      'progressiva chilometrica due, 0, 0, 0',
      'progressiva chilometrica tre, 0, 0, 0',
      'sfondo uno, 0',
      'sfondo due, 1',
      'sfondo tre, 0',
      'ripetizione segnali 4 codici, ${5:0}, ${6:0}',
      '[curve]',
      '$0',
      '[pendenze]',
      '[montagne]',
      '[cartelli]',
      '[indicazioni]',
      '[fine]',
    ],
  },
  train: {
    prefix: ['[generale]', 'train text'],
    description: 'a whole train text: the general section, the headers and the end line',
    body: [
      '[generale]',
      'numero vetture, ${1:cars}',
      'percentuale massa frenata, ${2:percentage}',
      'sabbia, ${3:sand}',
      'orologio, ${4:first}, ${5:second}, ${6:third}',
      '[aderenze]',
      'aderenza, 0, ${7:adhesion}',
      '[vel_limite]',
      'velocita, 0, ${8:speed}',
      '[stazioni]',
      '$0',
      '[rallentamenti]',
      '[segnali]',
      '[codici]',
      '[fine]',
    ],
  },
};

// The snippets of one text ('line' or 'train'), keyed by their titles.
export function makeSnippets(page, text) {
  const snippets = {};
  for (const entry of readEntries(page).filter((e) => e.text === text)) {
    snippets[entry.name] = entrySnippet(entry);
  }
  snippets[`${text} text`] = skeletons[text];
  return snippets;
}

if (process.argv[1] === fileURLToPath(import.meta.url)) {
  const page = fs.readFileSync(formatPage, 'utf8');
  for (const text of ['line', 'train']) {
    const file = path.join(here, `scenario-${text}.json`);
    fs.writeFileSync(file, JSON.stringify(makeSnippets(page, text), null, 2) + '\n');
  }
}
