#pragma once
// Whether the GL can hold an RGBA8 texture of a size, asked before a picture
// is decoded so that a small file declaring a huge picture allocates nothing.

// True if a width x height RGBA8 texture fits: within GL_MAX_TEXTURE_SIZE
// and, where the GL has proxy textures, within what its memory allows.
bool glCanHold(unsigned width, unsigned height);
