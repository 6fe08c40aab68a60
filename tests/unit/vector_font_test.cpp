#include <gtest/gtest.h>

#include "platform/headless/headless_graphics.h"
#include "render/vector_font.h"

namespace qv {
namespace {

class VectorFontTest : public ::testing::Test {
 protected:
  void SetUp() override {
    BuildVectorFont(font);
    ASSERT_TRUE(gfx.OpenDisplay({1024, 768, 32, 60, true}));
    gfx.SetRecorder(&records);
  }
  std::vector<float> LinePoints(std::size_t i) const { return records.at(i).points; }
  HeadlessGraphicsBackend backend;
  Graphics gfx{backend};
  std::vector<DrawRecord> records;
  VectorFont font;
};

TEST_F(VectorFontTest, OneIsASingleVerticalStroke) {
  DrawVectorText(gfx, font, "1", 10, 30, 3);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(LinePoints(0), (std::vector<float>{16, 30, 16, 48}));
}

TEST_F(VectorFontTest, EachCharacterStartsFiveScaledUnitsRight) {
  DrawVectorText(gfx, font, "11", 0, 0, 2.5f);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_FLOAT_EQ(LinePoints(1)[0] - LinePoints(0)[0], 12.5f);
}

TEST_F(VectorFontTest, FullStopIsOnePointAndSpaceKeepsItsCell) {
  DrawVectorText(gfx, font, " .", 0, 0, 4);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(LinePoints(0), (std::vector<float>{20 + 8, 20, 20 + 8, 20}));
}

TEST_F(VectorFontTest, CodesWithoutSegmentsDrawNothing) {
  std::string text = "\x01\x1f";
  text.push_back(static_cast<char>(200));
  DrawVectorText(gfx, font, text, 0, 0, 3);
  DrawVectorText(gfx, font, "", 0, 0, 3);
  EXPECT_TRUE(records.empty());
}

TEST_F(VectorFontTest, GlyphTableMatchesItsShapes) {
  struct Case {
    char c;
    int segments;
  };
  // A few glyphs of each family, with the segment counts of their drawings.
  const Case cases[] = {{'A', 5}, {'B', 6}, {'M', 4}, {'0', 4}, {'8', 5}, {'g', 5}, {'~', 5}, {'$', 6}, {' ', 0}};
  for (const Case& c : cases) EXPECT_EQ(font.glyphs[static_cast<int>(c.c)].count, c.segments) << c.c;
  int total = 0;
  for (int code = 0; code < 32; ++code) total += font.glyphs[code].count;
  EXPECT_EQ(total, 0);
  // Descenders reach row 7, nothing goes below it or right of column 4.
  for (int code = 32; code < 128; ++code)
    for (int s = 0; s < font.glyphs[code].count; ++s) {
      const GlyphSegment& g = font.glyphs[code].segments[s];
      EXPECT_LE(std::max(g.x1, g.x2), 4) << code;
      EXPECT_LE(std::max(g.y1, g.y2), 7) << code;
    }
  EXPECT_EQ(font.glyphs['g'].segments[0].y1, 7);
}

TEST_F(VectorFontTest, TextTakesTheCurrentDrawingState) {
  gfx.SetColor(10, 20, 30);
  gfx.SetBlend(kAddBlend);
  gfx.SetLineWidth(3);
  DrawVectorText(gfx, font, "T", 0, 0, 1);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].r, 10);
  EXPECT_EQ(records[0].blend, kAddBlend);
  EXPECT_FLOAT_EQ(records[0].lineWidth, 3);
}

}  // namespace
}  // namespace qv
