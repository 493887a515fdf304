#!/usr/bin/python3
"""Builds Boris Black Bloxx, the demo's heavy block-grid display face.

Every glyph is drawn in block_glyphs.txt as rows of '#' (filled cell) and
'.' (empty cell) on a square grid. Its outline is the boundary of the union of its filled
cells, traced into contours that never overlap: the text face's polygon
tessellator fills with an odd winding rule, so two overlapping squares would
show as a hole. Outer contours run clockwise and holes counter-clockwise, as
TrueType wants.

The output is the same bytes on every run: the head table's timestamps are
fixed and nothing depends on the clock or on dictionary order.
"""

import argparse
import os
import sys
import unicodedata

from fontTools.agl import UV2AGL
from fontTools.fontBuilder import FontBuilder
from fontTools.misc.timeTools import timestampFromString
from fontTools.pens.ttGlyphPen import TTGlyphPen

FAMILY_NAME = "Boris Black Bloxx"
STYLE_NAME = "Regular"
PS_NAME = "BorisBlackBloxx-Regular"
VERSION = "Version 1.000"
# Fixed so that the font file is the same bytes on every run.
TIMESTAMP = timestampFromString("Sat Jan  1 00:00:00 2011")

UNITS_PER_EM = 1000
CELL = 100
# Half a cell each side: one empty cell between letters, narrower than any
# counter, so words hold together at the scroller's small size.
SIDE_BEARING = CELL // 2
CAP_ROWS = 7
X_HEIGHT_ROWS = 5
DESCENDER_ROWS = 2
SPACE_ADVANCE = 4 * CELL
# The empty .notdef still moves the pen, so that a missing letter leaves a gap.
NOTDEF_ADVANCE = 5 * CELL
WEIGHT_CLASS_BLACK = 900
FS_SELECTION_REGULAR = 0x40

# Marks sit one empty row above the letter they accent.
CAP_MARK_BOTTOM = CAP_ROWS + 1
SMALL_MARK_BOTTOM = X_HEIGHT_ROWS + 1

REPOSITORY = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
# The drawings of the glyphs, kept apart from the code that traces them.
DRAWINGS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "block_glyphs.txt")
# The project's licence, which covers the font too: the name table carries
# its copyright line and its whole text, so that the font says so wherever it goes.
LICENCE = os.path.join(REPOSITORY, "LICENSE")


def read_drawings(path):
    """Each glyph of the drawings file as char: (bottom, drawing).

    `bottom` is the grid row of the drawing's lowest line, counted up from
    the baseline (negative below it); the drawing lists rows top first.
    """
    glyphs = {}
    char = None
    with open(path, encoding="utf-8") as lines:
        for number, line in enumerate(lines, 1):
            line = line.rstrip("\n")
            if line.startswith("= "):
                fields = line.split(" ")
                if len(fields) != 3 or len(fields[1]) != 1:
                    raise ValueError(f"{path}:{number}: a glyph starts with '= C BOTTOM'")
                char = fields[1]
                glyphs[char] = (int(fields[2]), "")
            elif char is not None and line:
                bottom, drawing = glyphs[char]
                glyphs[char] = (bottom, drawing + line + "\n")
            elif char is not None:
                char = None
    return glyphs


GLYPHS = read_drawings(DRAWINGS)

# Marks for the accented letters, by combining character: a drawing for
# letters of even and of odd width, so that a mark centres on whole cells.
MARKS = {
    "\u0300": {0: "##..\n.##.", 1: "##.\n.##"},  # grave
    "\u0301": {0: "..##\n.##.", 1: ".##\n##."},  # acute
    "\u0302": {0: ".####.\n##..##", 1: ".###.\n##.##"},  # circumflex
    "\u0303": {0: ".###.#\n##.###", 1: ".###.##\n##.###."},  # tilde
    "\u0308": {0: "##..##", 1: "##...##"},  # dieresis
    "\u030a": {0: "####\n#..#\n####", 1: "###\n#.#\n###"},  # ring
    "\u0327": {0: "..##\n###.", 1: ".##\n##."},  # cedilla
}
MARKS_BELOW = {"\u0327"}
# The accented i takes its mark in place of the dot.
ACCENT_BASES = {"i": "\u0131"}
# Latin-1's accented letters: a drawn letter with one mark above or below.
COMPOSED_RANGE = range(0xC0, 0x100)
SPACES = (" ", "\u00a0")


def rows_of(drawing):
    """The rows of a drawing, top first, all of one width."""
    rows = drawing.strip("\n").split("\n")
    if any(len(row) != len(rows[0]) or set(row) - {"#", "."} for row in rows):
        raise ValueError("ragged or unknown cells in drawing:\n" + drawing)
    return rows


def cells_of(rows, bottom, left=0):
    """The filled cells of a drawing as (column, row) with rows counted up."""
    cells = set()
    for index, row in enumerate(rows):
        y = bottom + len(rows) - 1 - index
        for x, mark in enumerate(row):
            if mark == "#":
                cells.add((left + x, y))
    return cells


def composed_cells(char):
    """Cells of a Latin-1 letter built as base letter plus mark, or None."""
    parts = unicodedata.normalize("NFD", char)
    if len(parts) != 2 or parts[1] not in MARKS or parts[0] not in GLYPHS:
        return None
    base = ACCENT_BASES.get(parts[0], parts[0])
    bottom, drawing = GLYPHS[base]
    base_rows = rows_of(drawing)
    width = len(base_rows[0])
    mark_rows = rows_of(MARKS[parts[1]][width % 2])
    left = (width - len(mark_rows[0])) // 2
    if parts[1] in MARKS_BELOW:
        mark_bottom = -len(mark_rows)
    elif parts[0].isupper():
        mark_bottom = CAP_MARK_BOTTOM
    else:
        mark_bottom = SMALL_MARK_BOTTOM
    return cells_of(base_rows, bottom) | cells_of(mark_rows, mark_bottom, left)


def check_no_corner_contacts(name, cells):
    """Cells meeting only at a corner would make a contour touch itself."""
    for x, y in cells:
        if (x + 1, y + 1) in cells and (x + 1, y) not in cells and (x, y + 1) not in cells:
            raise ValueError(f"{name}: cells touch only at a corner near ({x}, {y})")
        if (x + 1, y - 1) in cells and (x + 1, y) not in cells and (x, y - 1) not in cells:
            raise ValueError(f"{name}: cells touch only at a corner near ({x}, {y})")


def trace(cells):
    """Contours around the union of the cells, as lists of corner points.

    Each boundary edge runs with the filled cell on its right, so outer
    contours come out clockwise (y up) and holes counter-clockwise.
    """
    following = {}
    for x, y in cells:
        if (x, y + 1) not in cells:
            following[(x, y + 1)] = (x + 1, y + 1)
        if (x + 1, y) not in cells:
            following[(x + 1, y + 1)] = (x + 1, y)
        if (x, y - 1) not in cells:
            following[(x + 1, y)] = (x, y)
        if (x - 1, y) not in cells:
            following[(x, y)] = (x, y + 1)
    contours = []
    while following:
        # The lowest point of the leftmost edge is always a corner.
        start = min(following)
        loop = [start]
        point = following.pop(start)
        while point != start:
            loop.append(point)
            point = following.pop(point)
        contours.append(corners_only(loop))
    return contours


def corners_only(loop):
    """Drops the points where a contour runs straight on."""
    corners = []
    for index, point in enumerate(loop):
        before = loop[index - 1]
        after = loop[(index + 1) % len(loop)]
        straight = (before[0] == point[0] == after[0]) or (before[1] == point[1] == after[1])
        if not straight:
            corners.append(point)
    return corners


def licence_names(path=LICENCE):
    """The name table's copyright notice and licence description, from the licence file."""
    with open(path, encoding="utf-8") as licence:
        text = licence.read().strip()
    copyright_line = next(line for line in text.splitlines() if line.startswith("Copyright"))
    return {"copyright": copyright_line, "licenseDescription": text}


def glyph_name(char):
    return UV2AGL.get(ord(char), "uni%04X" % ord(char))


def outline(cells):
    """A TrueType glyph from grid cells, placed after the left side bearing."""
    left = min(x for x, _ in cells)
    pen = TTGlyphPen(None)
    for contour in trace(cells):
        points = [(SIDE_BEARING + (x - left) * CELL, y * CELL) for x, y in contour]
        pen.moveTo(points[0])
        for point in points[1:]:
            pen.lineTo(point)
        pen.closePath()
    width = max(x for x, _ in cells) - left + 1
    return pen.glyph(), width * CELL + 2 * SIDE_BEARING


def empty_glyph():
    return TTGlyphPen(None).glyph()


def all_cells():
    """Cells of every drawn character, in code point order."""
    drawn = {}
    for char, (bottom, drawing) in GLYPHS.items():
        drawn[char] = cells_of(rows_of(drawing), bottom)
    for code in COMPOSED_RANGE:
        cells = composed_cells(chr(code))
        if cells is not None:
            drawn[chr(code)] = cells
    for char, cells in drawn.items():
        check_no_corner_contacts(glyph_name(char), cells)
    return dict(sorted(drawn.items()))


def build(path):
    drawn = all_cells()
    print(f"tracing {len(drawn)} glyphs")
    glyphs = {".notdef": empty_glyph()}
    metrics = {".notdef": (NOTDEF_ADVANCE, 0)}
    cmap = {}
    for char in SPACES:
        cmap[ord(char)] = "space"
    glyphs["space"] = empty_glyph()
    metrics["space"] = (SPACE_ADVANCE, 0)
    for char, cells in drawn.items():
        name = glyph_name(char)
        glyphs[name], advance = outline(cells)
        metrics[name] = (advance, SIDE_BEARING)
        cmap[ord(char)] = name
    order = list(glyphs)

    top = max(y for cells in drawn.values() for _, y in cells) + 1
    depth = -min(y for cells in drawn.values() for _, y in cells)
    ascent, descent = top * CELL, depth * CELL

    builder = FontBuilder(UNITS_PER_EM, isTTF=True)
    builder.updateHead(created=TIMESTAMP, modified=TIMESTAMP)
    builder.setupGlyphOrder(order)
    builder.setupCharacterMap(cmap)
    builder.setupGlyf(glyphs)
    builder.setupHorizontalMetrics(metrics)
    builder.setupHorizontalHeader(ascent=ascent, descent=-descent)
    builder.setupNameTable({
        "familyName": FAMILY_NAME,
        "styleName": STYLE_NAME,
        "uniqueFontIdentifier": f"{PS_NAME};{VERSION}",
        "fullName": f"{FAMILY_NAME} {STYLE_NAME}",
        "version": VERSION,
        "psName": PS_NAME,
        "description": "A heavy display face drawn on a grid of square blocks.",
        **licence_names(),
    })
    builder.setupOS2(
        usWeightClass=WEIGHT_CLASS_BLACK,
        fsType=0,
        fsSelection=FS_SELECTION_REGULAR,
        sTypoAscender=CAP_ROWS * CELL,
        sTypoDescender=-DESCENDER_ROWS * CELL,
        sTypoLineGap=ascent + descent - (CAP_ROWS + DESCENDER_ROWS) * CELL,
        usWinAscent=ascent,
        usWinDescent=descent,
        sxHeight=X_HEIGHT_ROWS * CELL,
        sCapHeight=CAP_ROWS * CELL,
        achVendID="NONE",
    )
    builder.setupPost(underlinePosition=-CELL, underlineThickness=CELL)
    builder.save(path)
    print(f"wrote {path}: {len(order)} glyphs, {os.path.getsize(path)} bytes")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("output", nargs="?", default=os.path.join(REPOSITORY, "fonts", "BorisBlackBloxx.ttf"),
                        help="where to write the font (default: fonts/BorisBlackBloxx.ttf)")
    args = parser.parse_args()
    try:
        build(args.output)
    except ValueError as error:
        print(error)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
