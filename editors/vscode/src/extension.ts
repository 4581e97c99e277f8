// The extension: starts `scenario-builder lsp` for the line and train texts,
// and adds the commands that run the program on a scenario's pair of texts.
import { execFile } from 'child_process';
import * as fs from 'fs';
import * as os from 'os';
import * as path from 'path';
import * as vscode from 'vscode';
import { LanguageClient, LanguageClientOptions, ServerOptions, TransportKind } from 'vscode-languageclient/node';
import { encodingProblem } from './encoding';
import { partners, resolveProgram, textKind } from './pair';

const languages = ['scenario-line', 'scenario-train'];
const windows1252 = 'windows1252';

let client: LanguageClient | undefined;
let output: vscode.OutputChannel;

export async function activate(context: vscode.ExtensionContext): Promise<void> {
  output = vscode.window.createOutputChannel('Scenario texts');
  context.subscriptions.push(
    output,
    vscode.commands.registerCommand('scenarioBuilder.check', () => runOnPair('check')),
    vscode.commands.registerCommand('scenarioBuilder.compile', () => runOnPair('compile')),
    vscode.commands.registerCommand('scenarioBuilder.showDrawing', () => showDrawing(context)),
    vscode.commands.registerCommand('scenarioBuilder.reopenWindows1252', () => {
      const document = vscode.window.activeTextEditor?.document;
      if (document) void reopenWindows1252(document);
    }),
    vscode.workspace.onDidOpenTextDocument(checkEncoding),
    vscode.workspace.onDidChangeConfiguration(async (change) => {
      if (change.affectsConfiguration('scenarioBuilder.path')) await restartServer();
    }),
    { dispose: () => void client?.stop() },
  );
  vscode.workspace.textDocuments.forEach(checkEncoding);
  await startServer();
}

export async function deactivate(): Promise<void> {
  await client?.stop();
  client = undefined;
}

function program(): string {
  const setting = vscode.workspace.getConfiguration('scenarioBuilder').get<string>('path');
  return resolveProgram(setting, vscode.workspace.workspaceFolders?.[0]?.uri.fsPath, os.homedir());
}

async function startServer(): Promise<void> {
  const serverOptions: ServerOptions = { command: program(), args: ['lsp'], transport: TransportKind.stdio };
  const clientOptions: LanguageClientOptions = {
    documentSelector: languages.flatMap((language) => [
      { scheme: 'file', language },
      { scheme: 'untitled', language },
    ]),
    outputChannel: output,
  };
  client = new LanguageClient('scenarioBuilder', 'Scenario texts', serverOptions, clientOptions);
  try {
    await client.start();
  } catch (error) {
    client = undefined;
    await programFailed(error);
  }
}

async function restartServer(): Promise<void> {
  const old = client;
  client = undefined;
  await old?.stop().catch(() => undefined);
  await startServer();
}

async function programFailed(error: unknown): Promise<void> {
  const message = error instanceof Error ? error.message : String(error);
  const choice = await vscode.window.showErrorMessage(
    `Scenario texts: cannot run "${program()}" (${message}). Set scenarioBuilder.path to the scenario-builder program.`,
    'Open Settings');
  if (choice) await vscode.commands.executeCommand('workbench.action.openSettings', 'scenarioBuilder.path');
}

// ----- Encoding ---------------------------------------------------------------

const askedAbout = new Set<string>();

function checkEncoding(document: vscode.TextDocument): void {
  if (!languages.includes(document.languageId) || document.uri.scheme !== 'file') return;
  const key = document.uri.toString();
  // The editor tells the encoding since the version that added the property.
  const encoding = (document as { encoding?: string }).encoding;
  const problem = encodingProblem(encoding, document.getText());
  if (problem === undefined || askedAbout.has(key)) return;
  askedAbout.add(key);
  const name = path.basename(document.fileName);
  void vscode.window
    .showWarningMessage(`${name} ${problem}; scenario texts are Windows-1252.`, 'Reopen with Windows-1252')
    .then((choice) => (choice ? reopenWindows1252(document) : undefined));
}

async function reopenWindows1252(document: vscode.TextDocument): Promise<void> {
  if (document.isDirty) {
    void vscode.window.showWarningMessage(`Save or revert ${path.basename(document.fileName)} before reopening it.`);
    return;
  }
  if ('encoding' in document) {
    // Opening a document with another encoding reads its bytes again.
    const open = vscode.workspace.openTextDocument as unknown as
      (uri: vscode.Uri, options: { encoding: string }) => Thenable<vscode.TextDocument>;
    const reopened = await open(document.uri, { encoding: windows1252 });
    await vscode.window.showTextDocument(reopened);
    return;
  }
  // Older editors: the editor's own "Reopen with Encoding" picker.
  await vscode.window.showTextDocument(document);
  await vscode.commands.executeCommand('workbench.action.editor.changeEncoding');
}

// ----- Commands ---------------------------------------------------------------

interface Run {
  status: number;
  stdout: string;
  stderr: string;
  failure?: Error; // the program could not be started
}

function run(args: string[], cwd: string): Promise<Run> {
  return new Promise((resolve) => {
    execFile(program(), args, { cwd, maxBuffer: 64 * 1024 * 1024 }, (error, stdout, stderr) => {
      const started = !error || typeof (error as { code?: unknown }).code === 'number';
      resolve({
        status: error ? Number((error as { code?: unknown }).code) || 1 : 0,
        stdout,
        stderr,
        failure: started ? undefined : error ?? undefined,
      });
    });
  });
}

interface Pair {
  line: string;
  train: string;
}

// The pair of texts of the active editor's scenario, saved; the user picks
// the train when the line has several.
async function activePair(): Promise<Pair | undefined> {
  const document = vscode.window.activeTextEditor?.document;
  if (!document || textKind(document.fileName) === undefined || document.uri.scheme !== 'file') {
    void vscode.window.showWarningMessage('Open a line text (NAME_linea.txt) or a train text (NAME_N-.txt) first.');
    return undefined;
  }
  const file = document.fileName;
  const found = partners(file, await fs.promises.readdir(path.dirname(file)));
  if (!found.line || found.trains.length === 0) {
    const missing = found.line ? 'train text (NAME_N-.txt)' : 'line text (NAME_linea.txt)';
    void vscode.window.showWarningMessage(`No ${missing} beside ${path.basename(file)}.`);
    return undefined;
  }
  let train = textKind(file) === 'train' ? file : found.trains[0];
  if (textKind(file) === 'line' && found.trains.length > 1) {
    const picked = await vscode.window.showQuickPick(found.trains.map((t) => path.basename(t)),
                                                     { placeHolder: 'Which train?' });
    if (!picked) return undefined;
    train = path.join(path.dirname(file), picked);
  }
  for (const open of vscode.workspace.textDocuments) {
    if (open.isDirty && (open.fileName === found.line || open.fileName === train)) await open.save();
  }
  return { line: found.line, train };
}

function report(title: string, result: Run): void {
  output.appendLine(`> ${title}`);
  if (result.stdout) output.append(result.stdout);
  if (result.stderr) output.append(result.stderr);
  output.appendLine(`(exit status ${result.status})`);
}

async function runOnPair(command: 'check' | 'compile'): Promise<void> {
  const pair = await activePair();
  if (!pair) return;
  const dir = path.dirname(pair.line);
  const args = [command, '--color', 'never', pair.line, pair.train];
  if (command === 'check') args.splice(1, 0, '--summary');
  else args.push('-o', dir);
  const result = await run(args, dir);
  if (result.failure) return programFailed(result.failure);
  report(`scenario-builder ${args.join(' ')}`, result);
  output.show(true);
  const outcome = result.status === 0 ? 'done' : result.status === 1 ? 'errors recorded' : 'failed';
  const message = `${command === 'check' ? 'Check' : 'Compile'}: ${outcome} (see the output panel).`;
  if (result.status === 0) void vscode.window.showInformationMessage(message);
  else void vscode.window.showErrorMessage(message);
}

// Compiles the pair into a folder of its own and shows the program's drawing
// of it, the plan of the line and its profile, in a panel.
async function showDrawing(context: vscode.ExtensionContext): Promise<void> {
  const pair = await activePair();
  if (!pair) return;
  const dir = await fs.promises.mkdtemp(path.join(os.tmpdir(), 'scenario-drawing-'));
  try {
    const compiled = await run(['compile', '--color', 'never', pair.line, pair.train, '-o', dir], dir);
    if (compiled.failure) return programFailed(compiled.failure);
    report('compile for the drawing', compiled);
    if (compiled.status > 1) {
      output.show(true);
      void vscode.window.showErrorMessage('Show drawing: the scenario did not compile (see the output panel).');
      return;
    }
    const svg = path.join(dir, 'drawing.svg');
    const plotted = await run(['plot', dir, '-o', svg], dir);
    report('plot', plotted);
    if (plotted.status !== 0) {
      output.show(true);
      void vscode.window.showErrorMessage('Show drawing: the drawing failed (see the output panel).');
      return;
    }
    const image = (await fs.promises.readFile(svg)).toString('base64');
    const title = `Drawing: ${path.basename(pair.train)}`;
    const panel = vscode.window.createWebviewPanel('scenarioDrawing', title, vscode.ViewColumn.Beside,
                                                   { enableScripts: false, localResourceRoots: [] });
    panel.webview.html = drawingPage(title, image);
    context.subscriptions.push(panel);
  } finally {
    await fs.promises.rm(dir, { recursive: true, force: true });
  }
}

function drawingPage(title: string, svgBase64: string): string {
  const escaped = title.replace(/[&<>"]/g, (c) => `&#${c.charCodeAt(0)};`);
  return `<!DOCTYPE html>
<html><head><meta charset="utf-8">
<meta http-equiv="Content-Security-Policy" content="default-src 'none'; img-src data:; style-src 'unsafe-inline'">
<title>${escaped}</title>
<style>body { margin: 0; background: white; } img { width: 100%; height: auto; }</style>
</head><body><img alt="${escaped}" src="data:image/svg+xml;base64,${svgBase64}"></body></html>`;
}
