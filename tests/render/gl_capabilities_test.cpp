// The list of what the show needs of the GL, held against the code that
// uses it. Every entry point and constant newer than OpenGL 1.1 that the
// toolkit, the scenes or the runtime names must be in a capability the
// start-up check asks for, and the version or extension that capability is
// checked by must really give it. GLEW's header says which version or
// extension gives each name: it declares them in one section per version
// and extension. A scene that starts using a new extension fails here until
// the list, and so the check, covers it.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "render/gl_capabilities.h"

namespace {

const char* const kBase = "GL_VERSION_1_1";

// What GLEW's header declares: for each name, the sections that declare it,
// and the value of each constant.
class glewHeader {
 public:
  std::map<std::string, std::set<std::string>> sectionsOf;
  std::map<std::string, std::string> valueOf;
  std::set<std::string> sections;
  // The names each section declares, constants by value too.
  std::map<std::string, std::set<std::string>> valuesIn;
};

glewHeader readGlewHeader() {
  std::ifstream file(GLEW_HEADER);
  glewHeader header;
  // A section opens with "#ifndef GL_X" and "#define GL_X 1" and closes with
  // "#endif /* GL_X */".
  std::regex opens(R"(#ifndef (GL_\w+))");
  std::regex closes(R"(#endif /\* (GL_\w+) \*/)");
  std::regex constant(R"(#define (GL_\w+) (0x[0-9A-Fa-f]+|[0-9]+))");
  std::regex function(R"(#define (gl[A-Z]\w*) GLEW_GET_FUN)");
  std::regex baseFunction(R"(GLAPI .* GLAPIENTRY (gl[A-Z]\w*) \()");
  std::string section, candidate;
  std::smatch match;
  for (std::string line; std::getline(file, line);) {
    if (std::regex_match(line, match, opens)) {
      candidate = match[1];
      continue;
    }
    if (!candidate.empty() && line == "#define " + candidate + " 1") {
      section = candidate;
      header.sections.insert(section);
    }
    candidate.clear();
    if (std::regex_match(line, match, closes) && match[1] == section) section.clear();
    if (section.empty()) continue;
    if (std::regex_match(line, match, constant)) {
      header.sectionsOf[match[1]].insert(section);
      header.valueOf[match[1]] = match[2];
      header.valuesIn[section].insert(match[2]);
    } else if (std::regex_search(line, match, function) || std::regex_search(line, match, baseFunction)) {
      header.sectionsOf[match[1]].insert(section);
    }
  }
  return header;
}

// Every GL name the demo's code uses, with a file that uses it. The
// browser's files are left out: its GL is WebGL 2, which the list does not
// describe. So are the list's own files, which name everything in it.
std::map<std::string, std::string> namesUsed() {
  std::map<std::string, std::string> used;
  std::regex name(R"(\b(gl[A-Z]\w*|GL_[A-Z0-9_]+)\b)");
  for (const char* folder : {"src/render", "src/scenes", "src/runtime"}) {
    for (const auto& entry : std::filesystem::directory_iterator(std::string(VORLANE_SOURCE_DIR) + "/" + folder)) {
      std::string file = entry.path().filename().string();
      if (file.find("_web.") != std::string::npos || file.rfind("gl_capabilities", 0) == 0) continue;
      if (entry.path().extension() != ".cpp" && entry.path().extension() != ".h") continue;
      std::ifstream in(entry.path());
      std::stringstream text;
      text << in.rdbuf();
      std::string source = text.str();
      for (std::sregex_iterator at(source.begin(), source.end(), name), end; at != end; ++at)
        used.emplace((*at)[1], std::string(folder) + "/" + file);
    }
  }
  return used;
}

bool isBase(const glewHeader& header, const std::string& name) {
  auto found = header.sectionsOf.find(name);
  return found != header.sectionsOf.end() && found->second.count(kBase);
}

std::vector<std::string> words(const std::string& text) {
  std::istringstream split(text);
  std::vector<std::string> result;
  for (std::string word; split >> word;) result.push_back(word);
  return result;
}

// Whether one of `sections` gives `name`: declares it, or for a constant,
// declares one of the same value (GL 3.0's GL_RGBA16F is the extension's
// GL_RGBA16F_ARB).
bool givenBy(const glewHeader& header, const std::string& name, const std::vector<std::string>& sections) {
  for (const std::string& section : sections) {
    auto declared = header.sectionsOf.find(name);
    if (declared != header.sectionsOf.end() && declared->second.count(section)) return true;
    auto value = header.valueOf.find(name);
    auto values = header.valuesIn.find(section);
    if (value != header.valueOf.end() && values != header.valuesIn.end() && values->second.count(value->second))
      return true;
  }
  return false;
}

}  // namespace

TEST(GlCapabilities, GlewHeaderIsReadBySection) {
  glewHeader header = readGlewHeader();
  // A few names whose sections are known, so that a header read wrongly
  // cannot make the other tests pass on nothing.
  EXPECT_TRUE(isBase(header, "glBegin"));
  EXPECT_TRUE(isBase(header, "GL_TEXTURE_2D"));
  EXPECT_FALSE(isBase(header, "glActiveTexture"));
  EXPECT_EQ(header.sectionsOf["glActiveTexture"], std::set<std::string>{"GL_VERSION_1_3"});
  EXPECT_EQ(header.sectionsOf["GL_CLAMP_TO_EDGE"], std::set<std::string>{"GL_VERSION_1_2"});
  EXPECT_TRUE(header.sectionsOf["glGenerateMipmapEXT"].count("GL_EXT_framebuffer_object"));
  EXPECT_EQ(header.valueOf["GL_RGBA16F_ARB"], "0x881A");
}

TEST(GlCapabilities, EveryNewerNameTheDemoUsesIsInTheList) {
  glewHeader header = readGlewHeader();
  std::set<std::string> listed;
  for (const glCapability& capability : kNeededGlCapabilities) listed.insert(capability.uses.begin(), capability.uses.end());
  std::map<std::string, std::string> used = namesUsed();
  // The scan finds what it must: a base call and a newer one.
  ASSERT_TRUE(used.count("glBegin"));
  ASSERT_TRUE(used.count("glActiveTexture"));
  for (const auto& [name, file] : used) {
    auto sections = header.sectionsOf.find(name);
    // The demo's own names (glCanHold) are no GL's.
    if (sections == header.sectionsOf.end() || isBase(header, name)) continue;
    std::string from;
    for (const std::string& section : sections->second) from += " " + section;
    EXPECT_TRUE(listed.count(name)) << file << " uses " << name << " (from" << from
                                    << "), which no capability in kNeededGlCapabilities lists";
  }
}

TEST(GlCapabilities, EveryListedNameIsUsedAndGivenByWhatIsChecked) {
  glewHeader header = readGlewHeader();
  std::map<std::string, std::string> used = namesUsed();
  for (const glCapability& capability : kNeededGlCapabilities) {
    ASSERT_FALSE(capability.givenBy.empty()) << capability.what;
    for (const char* name : capability.uses) {
      EXPECT_TRUE(used.count(name)) << capability.what << " lists " << name << ", which the demo does not use";
      EXPECT_TRUE(header.sectionsOf.count(name)) << capability.what << " lists " << name << ", unknown to GLEW";
      EXPECT_FALSE(isBase(header, name)) << capability.what << " lists " << name << ", which OpenGL 1.1 has";
      for (const char* alternative : capability.givenBy) {
        std::vector<std::string> sections = words(alternative);
        for (const std::string& section : sections)
          EXPECT_TRUE(header.sections.count(section)) << capability.what << ": GLEW has no " << section;
        EXPECT_TRUE(givenBy(header, name, sections))
            << capability.what << ": " << alternative << " does not give " << name;
      }
    }
  }
}
