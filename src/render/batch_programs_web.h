#pragma once
// The programs that draw a batch of vertices in WebGL 2: one standing in
// for the fixed-function pipeline (the colour, times the texture where
// texturing is on), or the toolkit's own program, whose desktop GLSL is
// given what it reads of the fixed-function state under names of ours.

// Where a batch's vertices give each program their parts.
constexpr unsigned kPositionAttribute = 0;
constexpr unsigned kColourAttribute = 1;
constexpr unsigned kTexCoordAttribute = 2;

// Makes current the program the next batch is drawn with, the toolkit's if
// it has one in use, and gives it the current projection.
void useBatchProgram(bool textured);
