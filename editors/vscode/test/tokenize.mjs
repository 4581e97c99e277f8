// Tokenizes texts with the extension's grammars, as the editor does: the
// TextMate engine and the Oniguruma regular expressions compiled to WebAssembly.
import fs from 'node:fs';
import path from 'node:path';
import { createRequire } from 'node:module';
import { fileURLToPath } from 'node:url';

const require = createRequire(import.meta.url);
const textmate = require('vscode-textmate');
const oniguruma = require('vscode-oniguruma');

const root = path.join(path.dirname(fileURLToPath(import.meta.url)), '..');
const grammarFiles = {
  'source.scenario-line': 'syntaxes/scenario-line.tmLanguage.json',
  'source.scenario-train': 'syntaxes/scenario-train.tmLanguage.json',
};

let registry;
function getRegistry() {
  if (!registry) {
    const wasm = fs.readFileSync(require.resolve('vscode-oniguruma/release/onig.wasm'));
    const onigLib = oniguruma.loadWASM(wasm).then(() => ({
      createOnigScanner: (sources) => new oniguruma.OnigScanner(sources),
      createOnigString: (text) => new oniguruma.OnigString(text),
    }));
    registry = new textmate.Registry({
      onigLib,
      loadGrammar: async (scopeName) => {
        const file = grammarFiles[scopeName];
        if (!file) return null;
        const text = fs.readFileSync(path.join(root, file), 'utf8');
        return textmate.parseRawGrammar(text, file);
      },
    });
  }
  return registry;
}

// The tokens of `text`, one array per line: { text, scopes } with the scopes
// from the outermost (the grammar's own) inwards.
export async function tokenize(scopeName, text) {
  const grammar = await getRegistry().loadGrammar(scopeName);
  let state = textmate.INITIAL;
  return text.split(/\r?\n/).map((line) => {
    const result = grammar.tokenizeLine(line, state);
    state = result.ruleStack;
    return result.tokens.map((t) => ({ text: line.substring(t.startIndex, t.endIndex), scopes: t.scopes }));
  });
}

// Prints a text's tokens: node test/tokenize.mjs line|train FILE
if (process.argv[1] === fileURLToPath(import.meta.url)) {
  const [kind, file] = process.argv.slice(2);
  const text = fs.readFileSync(file, 'latin1');
  const lines = await tokenize(`source.scenario-${kind}`, text);
  lines.forEach((tokens, i) => {
    console.log(`${i + 1}: ` + tokens.map((t) => `${JSON.stringify(t.text)}=${t.scopes.slice(1).map((s) => s.replace(/\.scenario(-line|-train)?$/, '')).join('>') || '-'}`).join(' '));
  });
}
