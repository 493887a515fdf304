#pragma once
// Lettering as flat filled polygons in scene space: an FTGL polygon font read
// from a TrueType file, one em `size` units high after FaceSize(size, 72).
//
// FTGL throws its glyph cache away on every FaceSize call, even for the size
// it already has, and tessellates every glyph again. A scene that sets its
// sizes every frame would tessellate every glyph of every frame, so the face
// keeps one FTGL font per size, opened on first use from the file read once
// into memory: FaceSize then only selects one.

#include <map>
#include <string>
#include <utility>
#include <vector>

class FTPolygonFont;

class textFace {
 public:
  std::string path;
  std::vector<unsigned char> fontFile;  // FreeType reads every size's face from here
  int loadError;                        // FreeType's error for the file; 0 when it loaded
  FTPolygonFont* unsizedFont;           // opened with the face; takes the first size asked for
  std::map<std::pair<unsigned, unsigned>, FTPolygonFont*> fontsBySize;
  FTPolygonFont* currentFont = nullptr;

  explicit textFace(const char* path);

  // Reads the font file again, in place: the sizes are made anew from it,
  // and the size selected stays selected. A file that is missing or not a
  // font leaves the face as it was; "Error loading font from <path>" is
  // printed and returned. Empty when the new font is in place.
  std::string reload();

  // Non-zero if the file is missing or not a font. Such a face sizes nothing
  // and draws nothing.
  int Error() const;
  // Selects `size` units per em at `resolution` dots per inch.
  bool FaceSize(unsigned size, unsigned resolution);
  // Tessellates the glyphs of `text` at that size now, so that drawing it
  // later builds nothing; the selected size stays as it was.
  void Prepare(unsigned size, unsigned resolution, const char* text);
  // Draws a NUL-terminated UTF-8 string from the current origin along +x,
  // in the plane z = 0, in the current colour.
  void Render(const char* text);

  // The font for a size, opened and sized on first use; null if the face
  // did not load or FTGL refused the size.
  FTPolygonFont* fontFor(unsigned size, unsigned resolution);
};

// Prints "Error loading font from <path>" if the face did not load.
void checkFontLoaded(const textFace& face, const char* path);

// How many glyphs every text face has tessellated since the process began.
unsigned long tessellatedGlyphCount();
