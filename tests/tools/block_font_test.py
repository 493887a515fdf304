"""The block font's tracer: the outlines it draws around grid cells must be
closed, non-overlapping contours that GLU's odd winding rule fills whole,
outer ones clockwise and holes counter-clockwise, with a corner at every
turn and nowhere else; drawings it cannot trace must be refused by name. And
the font it made says whose it is and under which licence."""

import os
import tempfile
import unittest

from fontTools.ttLib import TTFont

import make_block_font as font


def signed_area(contour):
    """Twice the signed area: positive counter-clockwise (y up)."""
    return sum(x0 * y1 - x1 * y0 for (x0, y0), (x1, y1) in zip(contour, contour[1:] + contour[:1]))


class Trace(unittest.TestCase):
    def test_one_cell_is_one_clockwise_square(self):
        [square] = font.trace({(0, 0)})
        self.assertEqual(sorted(square), [(0, 0), (0, 1), (1, 0), (1, 1)])
        self.assertLess(signed_area(square), 0)

    def test_a_ring_is_an_outer_contour_and_a_hole_wound_the_other_way(self):
        ring = font.cells_of(font.rows_of("###\n#.#\n###"), 0)
        contours = font.trace(ring)
        self.assertEqual(len(contours), 2)
        areas = sorted(signed_area(c) for c in contours)
        self.assertEqual(areas, [-18, 2])  # the outer 3 x 3 clockwise, the hole counter-clockwise

    def test_cells_in_a_row_merge_with_corners_only_where_the_outline_turns(self):
        ell = font.cells_of(font.rows_of("#..\n###"), 0)
        [contour] = font.trace(ell)
        self.assertEqual(len(contour), 6)
        self.assertEqual(-signed_area(contour), 2 * len(ell))

    def test_every_glyph_traces_to_closed_contours_covering_its_cells(self):
        for char, cells in font.all_cells().items():
            contours = font.trace(cells)
            self.assertEqual(-sum(signed_area(c) for c in contours), 2 * len(cells), char)


class Drawings(unittest.TestCase):
    def test_cells_touching_only_at_a_corner_are_refused(self):
        with self.assertRaisesRegex(ValueError, "diagonal: cells touch only at a corner"):
            font.check_no_corner_contacts("diagonal", font.cells_of(font.rows_of("#.\n.#"), 0))

    def test_a_ragged_drawing_is_refused(self):
        with self.assertRaises(ValueError):
            font.rows_of("##\n#")

    def test_an_accent_sits_one_row_above_a_capital_and_below_for_the_cedilla(self):
        capital = font.composed_cells("\u00c9")
        plain = font.cells_of(font.rows_of(font.GLYPHS["E"][1]), font.GLYPHS["E"][0])
        mark = capital - plain
        self.assertEqual(min(y for _, y in mark), font.CAP_MARK_BOTTOM)
        cedilla = font.composed_cells("\u00e7") - font.cells_of(font.rows_of(font.GLYPHS["c"][1]), 0)
        self.assertLess(max(y for _, y in cedilla), 0)

    def test_the_drawings_file_is_read_glyph_by_glyph(self):
        with tempfile.NamedTemporaryFile("w", suffix=".txt", delete=False, encoding="utf-8") as drawings:
            drawings.write("a note\n\n= ! 0\n#\n.\n#\n\n= \u00e6 -1\n##\n")
        try:
            glyphs = font.read_drawings(drawings.name)
        finally:
            os.unlink(drawings.name)
        self.assertEqual(glyphs, {"!": (0, "#\n.\n#\n"), "\u00e6": (-1, "##\n")})


class Licence(unittest.TestCase):
    def test_the_font_names_its_copyright_and_carries_the_licence_text(self):
        with open(font.LICENCE, encoding="utf-8") as licence:
            text = licence.read().strip()
        names = TTFont(os.path.join(font.REPOSITORY, "fonts", "BorisBlackBloxx.ttf"))["name"]
        self.assertEqual(names.getDebugName(0), "Copyright (c) 2026 The vorlane developers")
        self.assertEqual(names.getDebugName(13), text)
        self.assertIn("MIT License", names.getDebugName(13))


if __name__ == "__main__":
    unittest.main()
