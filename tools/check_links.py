#!/usr/bin/env python3
"""check_links.py ROOT: checks the links of ROOT/README.md and ROOT/docs/*.md.

Every relative link (inline, image or reference definition) must name a file
or folder that exists, and a `#anchor` into a Markdown file must name one of
its headings, as GitHub forms heading anchors. Links with a scheme (https:,
mailto:) are not followed. Prints one line per broken link, FILE:LINE: reason;
exit status 0 all links good, 1 some broken, 2 usage error.
"""
import os
import re
import sys

INLINE = re.compile(r"!?\[(?:[^\[\]]|\[[^\]]*\])*\]\(\s*<?([^)\s>]*)>?(?:\s+\"[^\"]*\")?\s*\)")
DEFINITION = re.compile(r"^ {0,3}\[[^\]]+\]:\s*<?(\S+?)>?(?:\s|$)", re.MULTILINE)
SCHEME = re.compile(r"^[A-Za-z][A-Za-z0-9+.-]*:")
FENCE = re.compile(r"^ {0,3}(```|~~~)")
HEADING = re.compile(r"^ {0,3}#{1,6}\s+(.*?)\s*#*\s*$")


def proseLines(text, blankSpans=True):
    """The lines outside code blocks, others blanked so that line numbers stay;
    code spans too unless blankSpans is false. A line indented by four spaces
    is code (list items in these pages are indented by two or three)."""
    lines = []
    fenced = False
    for line in text.split("\n"):
        if FENCE.match(line):
            fenced = not fenced
            lines.append("")
        elif fenced or line.startswith("    ") or line.startswith("\t"):
            lines.append("")
        elif blankSpans:
            lines.append(re.sub(r"`[^`]*`", lambda m: " " * len(m.group(0)), line))
        else:
            lines.append(line)
    return lines


def headingAnchors(text):
    """The anchors GitHub gives the headings of a Markdown text."""
    anchors = set()
    seen = {}
    for line in proseLines(text, blankSpans=False):
        match = HEADING.match(line)
        if not match:
            continue
        title = re.sub(r"!?\[([^\]]*)\]\([^)]*\)", r"\1", match.group(1))
        title = title.replace("`", "").lower()
        slug = "".join(c for c in title if c.isalnum() or c in " -_").replace(" ", "-")
        count = seen.get(slug, 0)
        seen[slug] = count + 1
        anchors.add(slug if count == 0 else f"{slug}-{count}")
    return anchors


def read(path):
    with open(path, encoding="utf-8") as f:
        return f.read()


def brokenLinks(path, anchorsOf):
    """(line, reason) for each broken link in the Markdown file at path."""
    prose = "\n".join(proseLines(read(path)))
    targets = [(m.start(1), m.group(1)) for m in INLINE.finditer(prose)]
    targets += [(m.start(1), m.group(1)) for m in DEFINITION.finditer(prose)]
    broken = []
    for offset, target in sorted(targets):
        if not target or SCHEME.match(target):
            continue
        line = prose.count("\n", 0, offset) + 1
        name, _, anchor = target.partition("#")
        linked = os.path.normpath(os.path.join(os.path.dirname(path), name)) if name else path
        if not os.path.exists(linked):
            broken.append((line, f'link "{target}": no file {linked}'))
        elif anchor and linked.endswith(".md") and os.path.isfile(linked) and anchor not in anchorsOf(linked):
            broken.append((line, f'link "{target}": no heading #{anchor} in {linked}'))
    return broken


def main(arguments):
    if len(arguments) != 1 or not os.path.isdir(arguments[0]):
        print("usage: check_links.py ROOT (the folder holding README.md and docs/)",
              file=sys.stderr)
        return 2
    root = arguments[0]
    docs = os.path.join(root, "docs")
    pages = [os.path.join(root, "README.md")]
    if os.path.isdir(docs):
        pages += sorted(os.path.join(docs, name) for name in os.listdir(docs)
                        if name.endswith(".md"))
    cache = {}

    def anchorsOf(page):
        if page not in cache:
            cache[page] = headingAnchors(read(page))
        return cache[page]

    status = 0
    for page in pages:
        if not os.path.isfile(page):
            print(f"{page}: no such file", file=sys.stderr)
            status = 1
            continue
        for line, reason in brokenLinks(page, anchorsOf):
            print(f"{page}:{line}: {reason}", file=sys.stderr)
            status = 1
    return status


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
