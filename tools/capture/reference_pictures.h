#pragma once
// The show's reference pictures: frames at chosen moments through all three
// scenes, reduced in size, that the picture test compares the show with.
// A quarter second apart throughout, and closer where the picture changes
// quickly: the fades, the word hits and the scene changes.

#include <string>
#include <vector>

#include "show_capture.h"

// Each side of a reference picture is the window's divided by this: every
// pixel is the mean of a square of the window's.
constexpr int kReferenceReduction = 10;
constexpr int kReferenceWidth = 1280 / kReferenceReduction;
constexpr int kReferenceHeight = 720 / kReferenceReduction;

// The moments in milliseconds of music time to record, in order, chosen
// from the show's schedule.
std::vector<int> referenceMilliseconds();

// The picture's file name for a moment: "t07.100.png" for 7100 ms.
std::string referenceName(int milliseconds);
// The moment a file name stands for; false if it is no reference picture's.
bool referenceMoment(const std::string& name, int* milliseconds);

// The window's RGBA bytes (bottom row first) reduced to RGB bytes of
// kReferenceWidth x kReferenceHeight, top row first.
std::vector<unsigned char> reduceFrame(const std::vector<unsigned char>& rgba);

// Draws the frame for a moment and returns it reduced. The scenes carry
// state from frame to frame: a recording and its check draw the same
// moments in the same order, after the waiting frame.
std::vector<unsigned char> drawReference(showCapture& c, int milliseconds);

// Records the reference pictures afresh into `dir`: pictures of moments no
// longer chosen are removed.
int writeReferences(showCapture& c, const std::string& dir);
