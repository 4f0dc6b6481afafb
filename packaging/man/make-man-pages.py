#!/usr/bin/env python3
"""Writes the roff manual pages, one per program and one per file format, from pages.txt, the
one source of all of them.

    make-man-pages.py SOURCE OUT_DIR VERSION DATE

The source is plain text with a little markup:
  # NAME SECTION | summary    starts the page NAME.SECTION (its NAME section is the summary)
  ## TITLE                    starts a section
  : term                      an item of a list; the lines after it, up to a blank line, say
                              what it is
  * text                      a bullet
  four spaces of indent       an example, shown as it is
  **bold**, *italic*          within a line
Everything else is running text; a blank line ends a paragraph.
"""

import re
import sys
from pathlib import Path


def escape(text):
    text = text.replace("\\", "\\e").replace("-", "\\-")
    return text


def inline(text):
    text = escape(text)
    text = re.sub(r"\*\*(.+?)\*\*", r"\\fB\1\\fR", text)
    text = re.sub(r"\*(.+?)\*", r"\\fI\1\\fR", text)
    if text.startswith((".", "'")):
        text = "\\&" + text
    return text


# The manual's own title for each section a page may be in.
MANUALS = {"1": "User Commands", "5": "File Formats"}


def render(name, section, summary, body, version, date):
    out = [
        '.TH %s %s %s "kestrel %s" "%s"'
        % (name.upper().replace("-", "\\-"), section, date, version, MANUALS[section]),
        ".SH NAME",
        "%s \\- %s" % (escape(name), escape(summary)),
    ]
    gap = False  # a blank line since the last text: the next text starts a paragraph
    example = False
    for line in body:
        if line.startswith("    ") and line.strip():
            if not example:
                out += [".PP", ".RS 4", ".nf"]
                example = True
            out.append(inline(line[4:]))
            continue
        if example:
            out += [".fi", ".RE"]
            example = False
        if not line.strip():
            gap = not out[-1].startswith(".SH")
        elif line.startswith("## "):
            out.append(".SH " + escape(line[3:].strip().upper()))
            gap = False
        elif line.startswith(": "):
            out += [".TP", inline(line[2:].strip())]
            gap = False
        elif line.startswith("* "):
            out += [".IP \\(bu 2", inline(line[2:].strip())]
            gap = False
        else:
            if gap:
                out.append(".PP")
            out.append(inline(line.strip()))
            gap = False
    if example:
        out += [".fi", ".RE"]
    return "\n".join(out) + "\n"


def main():
    source, out_dir, version, date = sys.argv[1:5]
    pages = []
    for line in Path(source).read_text(encoding="utf-8").splitlines():
        head = re.match(r"^# (\S+) (\d) \| (.+)$", line)
        if head and head.group(2) not in MANUALS:
            sys.exit("%s: no manual for section %s: %s" % (source, head.group(2), line))
        if head:
            pages.append((head.group(1), head.group(2), head.group(3), []))
        elif line.startswith("# "):
            sys.exit("%s: a page starts with '# NAME SECTION | summary': %s" % (source, line))
        elif pages:
            pages[-1][3].append(line.rstrip())
    if not pages:
        sys.exit("%s: no pages" % source)
    out = Path(out_dir)
    out.mkdir(parents=True, exist_ok=True)
    for name, section, summary, body in pages:
        (out / ("%s.%s" % (name, section))).write_text(
            render(name, section, summary, body, version, date), encoding="utf-8")


if __name__ == "__main__":
    main()
