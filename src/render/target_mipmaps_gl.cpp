#include "render/target_mipmaps.h"

void keepMipmapsUpdated() { glTexParameteri(GL_TEXTURE_2D, GL_GENERATE_MIPMAP, GL_TRUE); }

void makeMipmapsToShow(const renderTarget& target, int shownWidth, int shownHeight) {
  if (shownWidth < GLint(target.width) || shownHeight < GLint(target.height)) glGenerateMipmapEXT(GL_TEXTURE_2D);
}
