#!/usr/bin/env python3
"""The language server's latency: from a didChange of the built-in scenario's train file (a
row's keyword broken and mended in turn, so every check differs from the one before) to the
publishDiagnostics of that file, as the client reads it from the server's standard output.

Usage: bench/lsp_latency.py [EXECUTABLE] [CHANGES]   (default build/default/scenario-compiler, 200)
"""
import json
import os
import statistics
import subprocess
import sys
import tempfile
import time

exe = sys.argv[1] if len(sys.argv) > 1 else "build/default/scenario-compiler"
changes = int(sys.argv[2]) if len(sys.argv) > 2 else 200
folder = tempfile.mkdtemp()
subprocess.run([exe, "export", "--out", folder], check=True, stdout=subprocess.DEVNULL)
server = subprocess.Popen([exe, "lsp"], stdin=subprocess.PIPE, stdout=subprocess.PIPE)


def send(message):
    body = json.dumps(message).encode()
    server.stdin.write(b"Content-Length: %d\r\n\r\n" % len(body) + body)
    server.stdin.flush()


def receive():
    length = None
    while True:
        line = server.stdout.readline().strip()
        if not line:
            break
        name, value = line.split(b":", 1)
        if name.lower() == b"content-length":
            length = int(value)
    return json.loads(server.stdout.read(length))


def diagnostics_of(uri):
    while True:
        m = receive()
        if m.get("method") == "textDocument/publishDiagnostics" and m["params"]["uri"] == uri:
            return m["params"]["diagnostics"]


send({"jsonrpc": "2.0", "id": 1, "method": "initialize", "params": {"capabilities": {}}})
receive()
paths = {kind: os.path.join(folder, name) for kind, name in
         (("line", "Zenvro_Quarvel_linea.txt"), ("train", "Zenvro_Quarvel_2417-.txt"))}
texts = {kind: open(path, encoding="cp1252", newline="").read() for kind, path in paths.items()}
uri = "file://" + paths["train"]
for kind in ("line", "train"):
    send({"jsonrpc": "2.0", "method": "textDocument/didOpen", "params": {"textDocument": {
        "uri": "file://" + paths[kind], "languageId": "x", "version": 1, "text": texts[kind]}}})
    diagnostics_of("file://" + paths[kind])

broken = texts["train"].replace("segnale,    4150", "segnal,    4150")
times = []
for version in range(2, changes + 2):
    text = broken if version % 2 == 0 else texts["train"]
    start = time.perf_counter()
    send({"jsonrpc": "2.0", "method": "textDocument/didChange", "params": {
        "textDocument": {"uri": uri, "version": version}, "contentChanges": [{"text": text}]}})
    told = diagnostics_of(uri)
    times.append((time.perf_counter() - start) * 1000)
    assert len(told) == (1 if version % 2 == 0 else 0), told
send({"jsonrpc": "2.0", "id": 2, "method": "shutdown"})
send({"jsonrpc": "2.0", "method": "exit"})
server.wait()
times.sort()
print(f"{changes} changes of {len(texts['train'])} characters: median {statistics.median(times):.2f} ms, "
      f"90th percentile {times[int(len(times) * 0.9)]:.2f} ms, worst {times[-1]:.2f} ms")
