#!/usr/bin/env python3
"""Checks that every #include "..." in src/ points down the layers, never up.

shell -> view -> dialogs -> document -> epub -> dictionary -> platform; the tool sits beside the
shell on top of view (the layout and the font measuring) and document. A header is placed by the folder that holds it.
Usage: tools/check-layers.py [SOURCE_DIR]; exits 1 and names each upward include.
"""

import pathlib
import re
import sys

def allowed_includes(page):
    """What each folder may include besides itself: the layer table of docs/architecture.md."""
    text = page.read_text(encoding="utf-8")
    table = text.split("<!-- layers: begin -->", 1)[1].split("<!-- layers: end -->", 1)[0]
    allowed = {}
    for line in table.splitlines():
        cells = [cell.strip() for cell in line.strip().strip("|").split("|")]
        if len(cells) != 3 or cells[0] in ("folder", "") or set(cells[0]) <= {"-"}:
            continue
        allowed[cells[0]] = {name.strip() for name in cells[2].split(",") if name.strip()}
    return allowed


INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)
SUFFIXES = {".h", ".hpp", ".cpp", ".cc"}


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".") / "src"
    ALLOWED = allowed_includes(root.parent / "docs" / "architecture.md")
    files = [p for p in root.rglob("*") if p.suffix in SUFFIXES]
    home = {}
    for path in files:
        layer = path.relative_to(root).parts[0]
        home.setdefault(path.name, set()).add(layer)
    unknown = sorted({p.relative_to(root).parts[0] for p in files} - set(ALLOWED))
    if unknown:
        print(f"no layer rule for src/{', src/'.join(unknown)}: add it to docs/architecture.md")
        return 1
    failures = 0
    for path in sorted(files):
        layer = path.relative_to(root).parts[0]
        for name in INCLUDE.findall(path.read_text(encoding="utf-8", errors="replace")):
            owners = home.get(pathlib.PurePath(name).name, set())
            if owners and layer not in owners and not owners & ALLOWED[layer]:
                print(f"{path.relative_to(root.parent)}: includes {name} from "
                      f"src/{'/, src/'.join(sorted(owners))}/, above src/{layer}/")
                failures += 1
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
