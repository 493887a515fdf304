#pragma once
// The files the scenes were built from, loaded again while the show runs:
// a picture, a shader or a font edited in the demo's folder shows in the
// next frame. The scenes themselves do not change.

#include <string>

#include "runtime/demo_frame.h"

// Loads the file at `path` (as the scenes name it: "data/textures/sun.png",
// "font.ttf") again into every texture, shader program and text face of the
// scenes made from it, in place. A file that does not load leaves what it
// would replace as it was, and its line is printed as at load. Returns the
// first such line; empty when everything made from the file took the new
// one, or when no scene uses it.
std::string reloadSceneFile(const demoScenes& scenes, const std::string& path);
