#version 110
// The scroller's letters. The text face sends each glyph vertex with its
// place in the em as texture coordinate 0, about 0 to 1 from the glyph's
// origin: the fragment shader colours the letters by it.

varying vec2 emPlace;

void main() {
  emPlace = gl_MultiTexCoord0.xy;
  gl_FrontColor = gl_Color;
  gl_Position = gl_ModelViewProjectionMatrix * gl_Vertex;
}
