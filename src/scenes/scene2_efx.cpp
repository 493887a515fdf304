#include "scenes/scene2_efx.h"

#include <cmath>

#include "schedule/schedule.h"
#include "scenes/scroller_lines.h"

namespace {

// The size both lines are drawn at; the constructor builds their glyphs at it.
constexpr unsigned kLineSize = 8;
// The spiral's step and its dots' size, both in single precision.
constexpr float kSpiralStep = 0.05f;
constexpr float kDotSize = 0.05f;
constexpr float kSpiralEnd = 100;

}  // namespace

scene2EFX::scene2EFX(unsigned width, unsigned height, const char* fontPath) : width(width), height(height) {
  target = new renderTarget(width, height, 1, 1, 1);
  scrollerTexture = new imageTexture("data/textures/scroller.png");
  sunTexture = new imageTexture("data/textures/sun.png");
  textShader = new shaderProgram("data/shaders/scroller.vert", "data/shaders/scroller.frag");
  font = new textFace(fontPath);
  checkFontLoaded(*font, fontPath);
  font->FaceSize(1, 72);
  // Every glyph the scene draws is built now, not in the frame that first shows it.
  font->Prepare(kLineSize, 72, kCreditsLine);
  font->Prepare(kLineSize, 72, kGreetingsLine);
}

void scene2EFX::render(float t) {
  // Values are worked out in double and rounded to single where stored or
  // handed to GL; sine arguments and every sine are single precision.
  target->clearR = float(std::sin(double(2 * t)));
  target->begin();
  // Outside every push and pop: all of the scene lies behind this.
  glTranslatef(0, 0, -100);
  glEnable(GL_MULTISAMPLE);

  glPushMatrix();
  glRotatef(float(10.0 * t), 0, 0, 1);
  glColor4f(1, 1, 1, 1);
  sunTexture->drawQuad(100, 100, -101);
  glPopMatrix();

  // The band shows one width of its image and slides it 40 units a second;
  // the repeat wrap makes the slide endless. Black over the image's alpha:
  // a silhouette.
  glPushMatrix();
  glTranslatef(0, -80, 0);
  scrollerTexture->bind();
  glColor4f(0, 0, 0, 1);
  float s = float(0.1 * t);
  float sEnd = float(s + 1.0);
  glBegin(GL_QUADS);
  glTexCoord2f(s, 0);
  glVertex3f(-200, 40, -100);
  glTexCoord2f(sEnd, 0);
  glVertex3f(200, 40, -100);
  glTexCoord2f(sEnd, 1);
  glVertex3f(200, -40, -100);
  glTexCoord2f(s, 1);
  glVertex3f(-200, -40, -100);
  glEnd();
  scrollerTexture->unbind();
  glPopMatrix();

  // The spiral: 2000 dots, v = 0 to 99.95, each with a glBegin/glEnd of its
  // own; its depth ripples with an amplitude that swells with sin(t).
  glColor4f(0, 0, 0, 1);
  glPushMatrix();
  glTranslatef(0, 0, 70);
  glRotatef(float(5.0 * t), 0, 0, 1);
  double amplitude = 10.0 * float(std::sin(double(t)));
  float v = 0;
  do {
    double r = v / 20.0;
    float x = float(float(std::sin(double(v))) * r);
    float y = float(float(std::cos(double(v))) * r);
    float z = float(float(std::sin(double(5 * v))) * amplitude);
    float x2 = float(double(x) + kDotSize);
    float y2 = float(double(y) + kDotSize);
    glBegin(GL_QUADS);
    glVertex3f(x, y, z);
    glVertex3f(x, y2, z);
    glVertex3f(x2, y2, z);
    glVertex3f(x2, y, z);
    glEnd();
    v = float(double(v) + kSpiralStep);
  } while (v < kSpiralEnd);
  glPopMatrix();

  textShader->bind();
  glPushMatrix();
  glTranslatef(float(100 - 10.0 * t), 0, 0);
  font->FaceSize(kLineSize, 72);
  font->Render(kCreditsLine);
  glPopMatrix();
  glPushMatrix();
  glTranslatef(float(350 - 20.0 * t), -15, 0);
  font->FaceSize(kLineSize, 72);
  font->Render(kGreetingsLine);
  glPopMatrix();
  textShader->unbind();

  target->end();
  glColor4f(1, 1, 1, float(kScrollerFadeInRate * (t - double(kScrollerStart))));
  if (t > kScrollerFadeOutStart)
    glColor4f(1, 1, 1, float(kScrollerFadeOutSeconds - (t - kScrollerFadeOutStart)));
  target->present();
}
