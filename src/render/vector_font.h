// The stroke font that draws all the game's large text: each character is a few straight segments on
// a grid 5 units wide (4 for the glyph, 1 of space) and 8 tall, drawn with the line primitive, so text
// takes the current colour, alpha, blend mode and line width, scales freely and glows like the rest.
#pragma once

#include <array>
#include <string_view>

#include "platform/graphics.h"

namespace qv {

struct GlyphSegment {
  float x1, y1, x2, y2;
};

struct VectorFont {
  static constexpr int kMaxSegments = 8;
  struct Glyph {
    int count = 0;
    std::array<GlyphSegment, kMaxSegments> segments{};
  };
  std::array<Glyph, 128> glyphs{};
};

// Fills the table: codes 0..31 get no segments.
void BuildVectorFont(VectorFont& font);

// Draws `text` with the top-left of its first cell at (x, y), `scale` pixels per glyph unit. Character
// i starts 5 * scale * i to the right. Codes without segments (and codes above 127) leave their cell
// empty. Nothing of the drawing state is changed.
void DrawVectorText(Graphics& gfx, const VectorFont& font, std::string_view text, int x, int y, float scale);

// A fixed-pitch bitmap font rasterised from the stroke font: 128 cells of cellWidth x cellHeight in a
// 16 x 8 grid, white on transparent, for the small text of the controller screens.
RgbaImage RasteriseBitmapFont(const VectorFont& font, int cellWidth, int cellHeight);

}  // namespace qv
