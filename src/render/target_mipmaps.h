#pragma once
// The mipmaps of a render target's colour texture, which `present` samples.
// Desktop GL keeps a texture's mipmaps as it is uploaded (GL_GENERATE_MIPMAP),
// but drawing into the target leaves them as they were: a picture shown
// smaller than the target is filtered from mipmaps made when it is shown.
// WebGL has no such parameter, and a texture missing the mipmaps its
// levels ask for draws black there even at full size: the browser's target
// has level 0 alone.

#include "render/render_target.h"

// Asks the GL to keep the bound texture's mipmaps, where it can.
void keepMipmapsUpdated();

// Makes the mipmaps of `target`'s texture, bound, from its picture, where
// showing it `shownWidth` x `shownHeight` needs them.
void makeMipmapsToShow(const renderTarget& target, int shownWidth, int shownHeight);
