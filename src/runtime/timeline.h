#pragma once
// Which scene owns a moment of the music.

enum class sceneSlot { none, opening, wordSlam, scroller };

constexpr float kWordSlamStart = 6.5f;
constexpr float kScrollerStart = 11.0f;

// The scene drawn at music time t. At exactly 6.5 s and exactly 11 s no scene
// is drawn: each boundary is excluded on both sides.
sceneSlot sceneAt(float t);
