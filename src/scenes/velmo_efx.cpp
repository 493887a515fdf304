#include "scenes/velmo_efx.h"

#include <cmath>

#include "schedule/schedule.h"

namespace {

// The words and their sizes, named once: the constructor builds their
// glyphs and render draws them, so a change to one cannot miss the other.
constexpr unsigned kWordSize = 6;
constexpr unsigned kBaSize = 15;
constexpr unsigned kSlamSize = 16;
constexpr const char* kQuick = "Quick";
constexpr const char* kDirty = "Dirty";
constexpr const char* kKebab = "Kebab!";
constexpr const char* kTscha = "Tscha!";
constexpr const char* kBa = "BA!";
constexpr const char* kSlam = "SLAM!";

}  // namespace

velmoEFX::velmoEFX(unsigned width, unsigned height, const char* fontPath) : width(width), height(height) {
  target = new renderTarget(width, height, 0, 0, 0);
  font = new textFace(fontPath);
  // A missing background ends the process before the font could be reported.
  background = new imageTexture("data/textures/greenbg.png");
  checkFontLoaded(*font, fontPath);
  font->FaceSize(1, 72);
  // Every glyph the scene draws is built now, not in the frame that first shows it.
  for (const char* word : {kQuick, kDirty, kKebab, kTscha}) font->Prepare(kWordSize, 72, word);
  font->Prepare(kBaSize, 72, kBa);
  font->Prepare(kSlamSize, 72, kSlam);
}

void velmoEFX::render(float t) {
  // Every threshold below is a strict test on this single-precision a: with
  // the clock's millisecond rounding, "Kebab!" first shows at 7101 ms.
  float a = float(t - kWordSlamStart);
  target->begin();
  glTranslatef(0, 0, -100);
  font->FaceSize(kWordSize, 72);
  glEnable(GL_MULTISAMPLE);

  glColor4f(0.8f, 0.8f, 0.8f, 1);
  if (a > kBaAfter) glColor4f(0.2f, 0.2f, 0.2f, 1);
  background->drawQuad(26, 26, -0.1f);

  // The word frame: the scene plane shifted left.
  glPushMatrix();
  glTranslatef(-20, 0, 0);

  glPushMatrix();
  glColor4f(0, 0, 0.1f, 0.9f);
  glTranslatef(-10, 20, 0);
  font->Render(kQuick);
  glPopMatrix();

  if (a > kDirtyAfter) {
    glPushMatrix();
    glColor4f(0, 0, 0.1f, 0.9f);
    glTranslatef(0, 0, 0);
    font->Render(kDirty);
    glPopMatrix();
  }

  if (a > kKebabAfter) {
    glPushMatrix();
    glColor4f(0, 0, 0.1f, 0.9f);
    glTranslatef(10, -20, 0);
    font->Render(kKebab);
    glPopMatrix();
  }

  // The column takes the words' colour and size. b is summed in single
  // precision, so its eleventh value is 1.4999999: eleven copies, not ten.
  double limit = double(a) - kFirstTschaAfter;
  float b = 0;
  do {
    if (b < limit) {
      glPushMatrix();
      glTranslatef(float(40 + 10 * std::sin(100.0 * b)), float(40.0 * b - 40), 0);
      font->Render(kTscha);
      glPopMatrix();
    }
    b = float(b + kTschaSpacing);
  } while (b < kTschaColumnEnd);

  if (a > kBaAfter) {
    font->FaceSize(kBaSize, 72);
    glPushMatrix();
    glColor4f(1, 1, 1, 0.9f);
    glTranslatef(-30, 30, 0.5f);
    font->Render(kBa);
    glPopMatrix();
  }

  if (a > kSlamAfter) {
    font->FaceSize(kSlamSize, 72);
    glPushMatrix();
    glColor4f(1, 1, 1, 0.9f);
    glTranslatef(0, -30, 0.5f);
    glRotatef(54, 0, 0, 1);
    font->Render(kSlam);
    glPopMatrix();
  }

  glPopMatrix();
  target->end();

  // The fade alpha is left unclamped: above 1 shows the whole picture, below 0 nothing.
  glColor4f(1, 1, 1, 1);
  if (a > kWordSlamFadeAfter)
    glColor4f(1, 1, 1, float(kWordSlamFadeRate * (kWordSlamFadeSeconds - (a - kWordSlamFadeAfter))));
  target->present();
}
