// Starts `scenario-compiler lsp` for line files (NAME_linea.txt) and train files
// (NAME_NUMBER-.txt); everything else is the server's.
const vscode = require('vscode');
const { LanguageClient } = require('vscode-languageclient/node');

let client;

function activate(context) {
  const command = vscode.workspace.getConfiguration('scenarioCompiler').get('path') || 'scenario-compiler';
  const server = { command, args: ['lsp'] };
  client = new LanguageClient('scenario-compiler', 'scenario-compiler', { run: server, debug: server }, {
    documentSelector: [
      { scheme: 'file', language: 'scenario-line' },
      { scheme: 'file', language: 'scenario-train' },
    ],
  });
  context.subscriptions.push(client);
  return client.start();
}

function deactivate() {
  return client ? client.stop() : undefined;
}

module.exports = { activate, deactivate };
