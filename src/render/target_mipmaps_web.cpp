#include "render/target_mipmaps.h"

void keepMipmapsUpdated() {}

void makeMipmapsToShow(const renderTarget&, int, int) { glGenerateMipmap(GL_TEXTURE_2D); }
