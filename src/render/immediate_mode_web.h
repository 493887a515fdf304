#pragma once
// glBegin and glEnd for WebGL 2, which draws only from buffers. Each block's
// vertices go through the model-view as they are given and join one batch,
// as triangles; the batch is drawn as one draw call when something that
// changes how it would be drawn comes (a texture, a program, a switch, the
// projection, a clear, another framebuffer), so that a scene's 2000 dots or
// a line's glyphs cost one draw, not one each.

// Draws the vertices batched so far, if any, and empties the batch. Every
// call that changes what a draw would look like calls this first.
void drawBatchedVertices();

// Whether GL_TEXTURE_2D is on: the batch samples texture unit 0 only then.
void setTexturing(bool on);
