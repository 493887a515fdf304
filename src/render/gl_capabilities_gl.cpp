#include "render/gl_capabilities.h"

#include <GL/glew.h>

std::vector<const glCapability*> missingGlCapabilities() {
  std::vector<const glCapability*> missing;
  for (const glCapability& capability : kNeededGlCapabilities) {
    bool given = false;
    // GLEW says a version or an extension is there only once every entry
    // point of it has been found.
    for (const char* name : capability.givenBy) given = given || glewIsSupported(name);
    if (!given) missing.push_back(&capability);
  }
  return missing;
}
