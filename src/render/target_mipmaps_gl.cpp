#include "render/target_mipmaps.h"

void keepMipmapsUpdated() { glTexParameteri(GL_TEXTURE_2D, GL_GENERATE_MIPMAP, GL_TRUE); }

void updateMipmaps(GLuint) {}
