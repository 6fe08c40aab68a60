// The five image sets the game can load, and how each one is drawn. Every set holds the same
// files; they differ in cell sizes (fixed by the game's loader) and in look: "solid" is crisp
// filled shapes with hardly any glow, "low" small with a light glow, "med" between, "high" the
// full neon glow, and "user" starts as a copy of "high" for players to edit.
#pragma once

#include <array>

namespace qv::sprites {

struct SetStyle {
  const char* folder;
  bool writeOnlyIfMissing;  // the "user" set: a player's edits survive a rebuild

  // Cell sizes of the strips, exactly as the game loads them.
  int iconCell;
  int snakeTailCell;
  int powerUpCell;
  int particleSide;  // the soft dot: small in the plain sets, larger where everything glows

  float shapeScale;  // size of the shapes relative to "high"
  float lineWidth;   // full width of a stroke in pixels, before the glow
  float coreWidth;   // width of the near-white core inside each stroke, as a part of lineWidth
  float coreStrength;
  float fillStrength;  // light of the inside of closed shapes (0: outlines only)

  // Two glows: a tight halo that thickens the line and a wide bloom around the whole shape.
  float haloSigma, haloStrength;
  float bloomSigma, bloomStrength;

  // Pixels of margin a single image keeps around its shape, so its glow fades out inside the file.
  float GlowMargin() const;
};

inline constexpr int kSetCount = 5;
const std::array<SetStyle, kSetCount>& ImageSets();

}  // namespace qv::sprites
