#!/usr/bin/env python3
"""Makes a grammar test of the built-in scenario's two source files: each line of them, under
it what the format makes of it. A section header is a section; a row's first field its keyword;
a station's last field its name, an indicator board's its text; every other field holding a
whole number a number. Usage: builtin_assertions.py LINE_FILE TRAIN_FILE OUTPUT"""
import re
import sys

KEYWORD = "keyword.other.row.scenario"
NUMBER = "constant.numeric.integer.scenario"
SECTION = "entity.name.section.scenario"
TEXT = {"stazione": "string.unquoted.station-name.scenario",
        "cartello": "string.unquoted.board-text.scenario"}


def assertion(start, length, scope):
    if start == 0:
        return "# <" + "-" * length + " " + scope
    return "#" + " " * (start - 1) + "^" * length + " " + scope


def fields(line):
    """Each field's start and its text without the blanks around it."""
    at = 0
    for raw in line.split(","):
        text = raw.strip(" \t")
        yield at + (len(raw) - len(raw.lstrip(" \t"))), text
        at += len(raw) + 1


def assertions(line):
    if line.lstrip().startswith("["):
        start = len(line) - len(line.lstrip())
        return [assertion(start, len(line.strip()), SECTION)]
    found = list(fields(line))
    if len(found) < 2:
        return []
    out = [assertion(found[0][0], len(found[0][1]), KEYWORD)]
    keyword = found[0][1].lower()
    text = next((scope for word, scope in TEXT.items() if word in keyword), None)
    last = len(found) - 1 if text else len(found)
    for start, value in found[1:last]:
        if re.fullmatch(r"-?[0-9]+", value):
            out.append(assertion(start, len(value), NUMBER))
    if text:
        start, value = found[-1]
        out.append(assertion(start, len(value), text))
    return out


def main():
    line_file, train_file, output = sys.argv[1:4]
    out = ['# SYNTAX TEST "source.scenario" "the built-in scenario\'s source files"']
    for path in (line_file, train_file):
        with open(path, encoding="cp1252", newline="") as f:
            for line in f.read().splitlines():
                out.append(line)
                out.extend(assertions(line))
    with open(output, "w", encoding="utf-8") as f:
        f.write("\n".join(out) + "\n")


main()
