#include "render/text_face.h"

#include <FTGL/ftgl.h>

#include <cstdint>
#include <cstdio>

#include "render/whole_file.h"

namespace {

unsigned long glyphsTessellated = 0;

// FTGL's polygon font, counting the glyphs it builds: each is tessellated
// once, into a display list, when first drawn at its size.
class countingPolygonFont : public FTPolygonFont {
 public:
  countingPolygonFont(const unsigned char* bytes, size_t size) : FTPolygonFont(bytes, size) {}

 protected:
  FTGlyph* MakeGlyph(FT_GlyphSlot slot) override {
    ++glyphsTessellated;
    return FTPolygonFont::MakeGlyph(slot);
  }
};

// The font file's bytes; none when it cannot be read, which FreeType then
// reports as a failed load.
std::vector<unsigned char> readFontFile(const char* path) {
  wholeFile file;
  fileRead read = readWholeFile(path, SIZE_MAX - 1, &file);
  if (read != fileRead::complete && read != fileRead::shortRead) return {};
  return std::vector<unsigned char>(file.bytes, file.bytes + file.size);
}

}  // namespace

textFace::textFace(const char* path)
    : path(path), fontFile(readFontFile(path)), unsizedFont(new countingPolygonFont(fontFile.data(), fontFile.size())) {
  loadError = unsizedFont->Error();
}

std::string textFace::reload() {
  std::vector<unsigned char> bytes = readFontFile(path.c_str());
  FTPolygonFont* font = new countingPolygonFont(bytes.data(), bytes.size());
  if (font->Error()) {
    delete font;
    std::string line = "Error loading font from " + path;
    printf("%s\n", line.c_str());
    return line;
  }
  // The size selected now stays selected, in the new font.
  std::pair<unsigned, unsigned> selected(0, 0);
  for (const auto& sized : fontsBySize)
    if (sized.second == currentFont) selected = sized.first;
  for (const auto& sized : fontsBySize) delete sized.second;
  delete unsizedFont;
  fontsBySize.clear();
  // The new font reads the bytes where they are: swapped in, they do not move.
  fontFile.swap(bytes);
  unsizedFont = font;
  loadError = 0;
  currentFont = currentFont ? fontFor(selected.first, selected.second) : nullptr;
  return "";
}

int textFace::Error() const { return loadError; }

bool textFace::FaceSize(unsigned size, unsigned resolution) {
  currentFont = fontFor(size, resolution);
  return currentFont != nullptr;
}

void textFace::Prepare(unsigned size, unsigned resolution, const char* text) {
  // Measuring a string builds its glyphs without drawing them.
  FTPolygonFont* font = fontFor(size, resolution);
  if (font) font->Advance(text);
}

FTPolygonFont* textFace::fontFor(unsigned size, unsigned resolution) {
  // FTGL crashes sizing a face that failed to load.
  if (loadError) return nullptr;
  auto key = std::make_pair(size, resolution);
  auto found = fontsBySize.find(key);
  if (found != fontsBySize.end()) return found->second;
  FTPolygonFont* font = unsizedFont;
  if (font)
    unsizedFont = nullptr;
  else
    font = new countingPolygonFont(fontFile.data(), fontFile.size());
  if (!font->FaceSize(size, resolution)) font = nullptr;
  fontsBySize[key] = font;
  return font;
}

void textFace::Render(const char* text) {
  if (currentFont) currentFont->Render(text);
}

void checkFontLoaded(const textFace& face, const char* path) {
  if (face.Error()) printf("Error loading font from %s\n", path);
}

unsigned long tessellatedGlyphCount() { return glyphsTessellated; }
