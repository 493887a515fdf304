#include "render/target_mipmaps.h"

// The browser scales the canvas, which is always the target's size: the
// picture is never shown smaller, and with level 0 as the last level the
// texture is complete without mipmaps, so none are made.
void keepMipmapsUpdated() { glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0); }

void makeMipmapsToShow(const renderTarget&, int, int) {}
