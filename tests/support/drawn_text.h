// Finding stroke-font text among recorded draw calls: the text is drawn once more on its own, and its
// lines are looked for, in order, among the recorded ones (in a given colour or line width, when one
// is given).
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "platform/headless/headless_platform.h"
#include "render/vector_font.h"
#include "settings/colours.h"
#include "shell/game.h"

namespace qv::test {

// Where in `records` the draw calls of `alone` start, each time they appear there in order with the
// same kinds and points and `alsoMatches` holds for each recorded one.
template <class AlsoMatches>
std::vector<std::size_t> FindRun(const std::vector<DrawRecord>& records, const std::vector<DrawRecord>& alone,
                                 AlsoMatches alsoMatches) {
  std::vector<std::size_t> found;
  if (alone.empty()) return found;
  for (std::size_t start = 0; start + alone.size() <= records.size(); ++start) {
    bool same = true;
    for (std::size_t i = 0; i < alone.size() && same; ++i) {
      const DrawRecord& r = records[start + i];
      same = r.kind == alone[i].kind && r.points == alone[i].points && alsoMatches(r);
    }
    if (same) found.push_back(start);
  }
  return found;
}

// The lines `text` leaves when drawn alone at (x, y) and `scale`, drawn on a device of their own so
// no game's drawing state is touched.
inline std::vector<DrawRecord> TextStrokes(std::string_view text, int x, int y, float scale) {
  HeadlessPlatform hp;
  VectorFont font;
  BuildVectorFont(font);
  std::vector<DrawRecord> strokes;
  hp.gfx.SetRecorder(&strokes);
  DrawVectorText(hp.gfx, font, text, x, y, scale);
  return strokes;
}

// Where in `records` `text` was drawn at (x, y) and `scale`: the index of its first line each time;
// with `lineWidth`, only where its lines were that wide.
inline std::vector<std::size_t> FindText(const std::vector<DrawRecord>& records, std::string_view text, int x, int y,
                                         float scale, std::optional<float> lineWidth = std::nullopt) {
  return FindRun(records, TextStrokes(text, x, y, scale),
                 [&](const DrawRecord& r) { return !lineWidth || r.lineWidth == *lineWidth; });
}

// Where in `records` the lines of `text`, drawn by the game at (x, y) and `scale` without rotation or
// scaling, start. `records` must be the vector the game is recording into; it stays so afterwards.
inline std::vector<std::size_t> FindText(Game& game, std::vector<DrawRecord>& records, std::string_view text, int x,
                                         int y, float scale, std::optional<Rgb> colour = std::nullopt) {
  std::vector<DrawRecord> alone;
  game.gfx.SetRecorder(&alone);
  game.gfx.SetRotation(0);
  game.gfx.SetScale(1, 1);
  game.DrawText(text, x, y, scale);
  game.gfx.SetRecorder(&records);
  return FindRun(records, alone, [&](const DrawRecord& r) {
    return !colour || (r.r == colour->red && r.g == colour->green && r.b == colour->blue);
  });
}

// The image draws of one image, in drawing order.
inline std::vector<const DrawRecord*> ImageDraws(const std::vector<DrawRecord>& records, const ImageHandle& image) {
  std::vector<const DrawRecord*> draws;
  for (const DrawRecord& r : records)
    if (r.kind == DrawRecord::kImage && r.image == image.get()) draws.push_back(&r);
  return draws;
}

}  // namespace qv::test
