// Writes an HTML page with the starting texts of `scenario-builder new`
// coloured by the extension's grammars, scope by scope, in the colours of a
// dark editor theme: the picture of the colouring in the README.
//   SCENARIO_BUILDER=PROGRAM node tools/render-texts.mjs OUT.html
// then: chromium --headless --screenshot=OUT.png --window-size=1500,715 OUT.html
import fs from 'node:fs';
import { starting } from '../test/texts.mjs';
import { tokenize } from '../test/tokenize.mjs';

// The first rule whose scope prefixes a token's innermost scope gives its colour.
const palette = [
  ['comment', '#6a9955'],
  ['keyword.control', '#c586c0'],
  ['keyword', '#569cd6'],
  ['entity.name.section', '#4ec9b0'],
  ['constant.numeric', '#b5cea8'],
  ['string', '#ce9178'],
  ['punctuation', '#808080'],
];
const colour = (scope) => palette.find(([prefix]) => scope.startsWith(prefix))?.[1] ?? '#d4d4d4';
const escape = (text) => text.replace(/[&<>]/g, (c) => ({ '&': '&amp;', '<': '&lt;', '>': '&gt;' })[c]);

async function pane(title, grammar, text) {
  const lines = await tokenize(grammar, text.replace(/\r?\n$/, ''));
  const body = lines.map((tokens, i) => `<span class="n">${i + 1}</span>` + tokens.map((t) =>
    `<span style="color:${colour(t.scopes.at(-1))}">${escape(t.text)}</span>`).join('')).join('\n');
  return `<div class="pane"><div class="tab">${escape(title)}</div><pre>${body}</pre></div>`;
}

const texts = starting();
const page = `<!DOCTYPE html><html><head><meta charset="utf-8"><style>
body { margin: 0; background: #1e1e1e; display: flex; font: 13px/18px "DejaVu Sans Mono", monospace; }
.pane { flex: 1; min-width: 0; border-right: 1px solid #333; }
.tab { background: #252526; color: #ccc; padding: 6px 12px; font-family: "DejaVu Sans", sans-serif; }
pre { margin: 0; padding: 6px 0; color: #d4d4d4; white-space: pre; overflow: hidden; font: inherit; }
.n { display: inline-block; width: 3.5em; padding-right: 1em; text-align: right; color: #6e7681; }
</style></head><body>
${await pane('Mia_linea.txt — Scenario line text', 'source.scenario-line', texts.line)}
${await pane('Mia_101-.txt — Scenario train text', 'source.scenario-train', texts.train)}
</body></html>
`;
fs.writeFileSync(process.argv[2], page);
