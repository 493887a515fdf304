#include "scenes/scene0_efx.h"

#include <cmath>

#include "schedule/schedule.h"

scene0EFX::scene0EFX(unsigned width, unsigned height, const char* fontPath) : width(width), height(height) {
  target = new renderTarget(width, height, 1, 1, 1);
  background = new imageTexture("data/textures/scene0_bg.png");
  backCrag = new imageTexture("data/textures/scene0_crag_ba.png");
  frontCrag = new imageTexture("data/textures/scene0_crag.png");
  sun = new imageTexture("data/textures/sun.png");
  font = new textFace(fontPath);
  checkFontLoaded(*font, fontPath);
  font->FaceSize(1, 72);
}

void scene0EFX::render(float t) {
  // The pulse: rises from 0 towards 0.2 and drops back every third of a second.
  double x = kCragPulsesPerSecond * t;
  unsigned n = unsigned(x);
  float s = float((x - n) * 0.2);

  // The clear colour swings between cyan and white; negative red goes to GL as it is.
  target->clearR = float(std::sin(double(2 * t)));
  target->begin();
  glTranslatef(0, 0, -100);
  glEnable(GL_MULTISAMPLE);

  // No colour is set for the layers: they take the previous frame's fade
  // colour, so during the first second they are drawn fainter too.
  glPushMatrix();
  glScalef(2, 2, 1);
  glRotatef(float(10.0 * t), 0, 0, 1);
  sun->drawQuad(20, 20, -1.1f);
  glPopMatrix();

  background->drawQuad(20, 20, -1);
  backCrag->drawQuad(20, 20, -0.99f);

  float c = s + 1;
  glPushMatrix();
  glScalef(c, c, 1);
  frontCrag->drawQuad(20, 20, -0.98f);
  glPopMatrix();

  target->end();
  // The fade-in: alpha grows with t, and GL clamps it to 1 once it is over.
  glColor4f(1, 1, 1, float(t / kOpeningFadeInSeconds));
  target->present();
}
