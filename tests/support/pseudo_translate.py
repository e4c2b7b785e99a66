#!/usr/bin/env python3
"""A msgfilter filter for the window tests: English text in, pseudo-translated text out.

Every letter gets an accent, a Cyrillic tail makes the text 40 % longer, and the parts a
program parses are kept: {1} placeholders, the & mnemonic's letter, a menu accelerator
after a tab, the line breaks and the spaces at either end. A shown text that holds no
Cyrillic letter therefore escaped the catalog."""
import re
import sys

ACCENTED = str.maketrans("aceinosuyzACEINOSUYZ", "áçéîñöšüýžÁÇÉÎÑÖŠÜÝŽ")
TAIL = "Жщ"


def pseudo_line(line):
    body, tab, accelerator = line.partition("\t")
    stripped = body.strip()
    if not stripped:
        return line
    lead = body[: len(body) - len(body.lstrip())]
    trail = body[len(body.rstrip()):]
    parts = re.split(r"(\{\d+\}|&.)", stripped)
    out = "".join(p if re.fullmatch(r"\{\d+\}|&.", p) else p.translate(ACCENTED) for p in parts)
    extra = max(2, (len(stripped) * 4 + 9) // 10)
    tail = (TAIL * extra)[:extra]
    return lead + out + " " + tail + trail + tab + accelerator


def main():
    text = sys.stdin.read()
    sys.stdout.write("\n".join(pseudo_line(line) for line in text.split("\n")))


if __name__ == "__main__":
    main()
