#include "runtime/scene_files.h"

#include "render/png_texture.h"

std::string reloadSceneFile(const demoScenes& scenes, const std::string& path) {
  // Every scene that shows a picture shares its one texture.
  std::string failure = reloadPngTexture(path.c_str());
  shaderProgram* shader = scenes.scroller->textShader;
  if (path == shader->vertexPath || path == shader->fragmentPath) failure = shader->reload();
  // Each scene has a text face of its own, even where two read the same file.
  for (textFace* face : {scenes.opening->font, scenes.wordSlam->font, scenes.scroller->font})
    if (path == face->path) {
      std::string line = face->reload();
      if (failure.empty()) failure = line;
    }
  return failure;
}
