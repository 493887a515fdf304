#pragma once
// What the show needs of the GL beyond OpenGL 1.1, in one list, and the
// check made against it before anything is built. GLEW initialises on any
// GL, Microsoft's own 1.1 included, and leaves an entry point the driver
// lacks a null pointer: calling it would crash without a word. The toolkit,
// the scenes and the runtime are held against this list by a test that
// finds every newer entry point and constant they use.

#include <string>
#include <vector>

class glCapability {
 public:
  // What the viewer is told the GL has none of.
  const char* what;
  // The GL versions or extensions that give it, as glewIsSupported reads
  // them: any one of them will do.
  std::vector<const char*> givenBy;
  // The entry points and constants the demo uses from it.
  std::vector<const char*> uses;
};

extern const std::vector<glCapability> kNeededGlCapabilities;

// The capabilities the current context lacks, in the list's order.
std::vector<const glCapability*> missingGlCapabilities();

// Why the current context cannot show the demo, in one line that names its
// renderer and version and everything it lacks; empty when it has it all.
std::string glCannotShowLine();
