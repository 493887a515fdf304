#pragma once
// The mipmaps of a render target's colour texture, which `present` samples.
// Desktop GL keeps them itself (GL_GENERATE_MIPMAP). WebGL has no such
// parameter, and a texture without its mipmaps draws black there, so they
// are made each time the target has been drawn.

#include <GL/glew.h>

// Asks the GL to keep the bound texture's mipmaps, where it can.
void keepMipmapsUpdated();

// Makes `texture`'s mipmaps from its full-size picture, where the GL does not.
void updateMipmaps(GLuint texture);
