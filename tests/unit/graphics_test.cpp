// The drawing layer's rules: the transform order, clamping of colour and alpha, what draws nothing,
// and batching (a draw call only when the state forces one).
#include <gtest/gtest.h>

#include "platform/headless/headless_graphics.h"

namespace qv {
namespace {

class GraphicsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gfx.OpenDisplay({1024, 768, 32, 60, true}));
    gfx.SetRecorder(&records);
  }
  HeadlessGraphicsBackend backend;
  Graphics gfx{backend};
  std::vector<DrawRecord> records;
};

TEST_F(GraphicsTest, OffsetsAreScaledThenRotatedThenMovedByAnchorAndOrigin) {
  gfx.SetOrigin(100, 50);
  gfx.SetScale(2, 3);
  gfx.SetRotation(90);
  gfx.Line(10, 20, 14, 20);  // offset (4, 0) -> scaled (8, 0) -> rotated 90 degrees (0, 8)
  ASSERT_EQ(records.size(), 1u);
  const std::vector<float>& p = records[0].points;
  EXPECT_FLOAT_EQ(p[0], 110);
  EXPECT_FLOAT_EQ(p[1], 70);
  EXPECT_NEAR(p[2], 110, 1e-4);
  EXPECT_NEAR(p[3], 78, 1e-4);
}

TEST_F(GraphicsTest, ScaleAppliesPerAxisBeforeRotation) {
  gfx.SetScale(2, 3);
  gfx.SetRotation(90);
  gfx.Rect(0, 0, 1, 1);  // corner (1, 1): scaled (2, 3), rotated (-3, 2)
  const std::vector<float>& p = records.at(0).points;
  EXPECT_NEAR(p[4], -3, 1e-4);
  EXPECT_NEAR(p[5], 2, 1e-4);
}

TEST_F(GraphicsTest, PolygonPointsAreOffsetsFromTheOrigin) {
  gfx.SetOrigin(200, 100);
  gfx.SetScale(0.5f, 0.5f);
  const float tri[] = {0, -10, 8, 6, -8, 6};
  gfx.Poly(tri, 3);
  const std::vector<float>& p = records.at(0).points;
  EXPECT_FLOAT_EQ(p[0], 200);
  EXPECT_FLOAT_EQ(p[1], 95);
  EXPECT_FLOAT_EQ(p[2], 204);
  EXPECT_FLOAT_EQ(p[3], 103);
}

TEST_F(GraphicsTest, ColourAndAlphaAreClamped) {
  struct Case {
    int r, g, b;
    float alpha;
    int er, eg, eb;
    float ealpha;
  };
  const Case cases[] = {
      {300, -5, 128, 1.5f, 255, 0, 128, 1.0f},
      {0, 255, 256, -0.25f, 0, 255, 255, 0.0f},
      {12, 34, 56, 0.5f, 12, 34, 56, 0.5f},
  };
  for (const Case& c : cases) {
    gfx.SetColor(c.r, c.g, c.b);
    gfx.SetAlpha(c.alpha);
    int r, g, b;
    gfx.GetColor(r, g, b);
    EXPECT_EQ(r, c.er);
    EXPECT_EQ(g, c.eg);
    EXPECT_EQ(b, c.eb);
    EXPECT_FLOAT_EQ(gfx.Alpha(), c.ealpha);
  }
}

TEST_F(GraphicsTest, NegativeAlphaDrawsNothingWhenBlendingButSolidIgnoresAlpha) {
  gfx.SetAlpha(-0.3f);
  for (int blend : {kAlphaBlend, kAddBlend}) {
    gfx.SetBlend(blend);
    gfx.Rect(0, 0, 10, 10);
    gfx.Line(0, 0, 5, 5);
  }
  EXPECT_TRUE(records.empty());
  gfx.SetBlend(kSolidBlend);
  gfx.Rect(0, 0, 10, 10);
  EXPECT_EQ(records.size(), 1u);
}

TEST_F(GraphicsTest, AZeroLengthLineStillDrawsItsPoint) {
  backend.keepBatches = true;
  gfx.Line(5, 5, 5, 5);
  gfx.Flush();
  ASSERT_EQ(backend.batches().size(), 1u);
  EXPECT_EQ(backend.batches()[0].indexCount, 6);
}

TEST_F(GraphicsTest, OneDrawCallPerRunOfTheSameState) {
  gfx.SetRecorder(nullptr);
  gfx.SetBlend(kAddBlend);
  for (int i = 0; i < 2000; ++i) {
    gfx.SetColor(i % 255, 10, 10);
    gfx.SetLineWidth(1 + (i % 3));  // line width is geometry, not state
    gfx.Line(0, 0, 100, i % 700);
    gfx.Rect(i % 1000, 5, 2, 2);
    gfx.Oval(5, i % 700, 8, 8);
  }
  gfx.Flip(true);
  EXPECT_EQ(gfx.DrawCallsLastFrame(), 1);

  for (int i = 0; i < 10; ++i) {
    gfx.SetBlend(i % 2 ? kAlphaBlend : kAddBlend);
    gfx.Rect(0, 0, 1, 1);
  }
  gfx.Flip(true);
  EXPECT_EQ(gfx.DrawCallsLastFrame(), 10);
}

TEST_F(GraphicsTest, ImagesAreCentredOnTheirHandleAndSplitIntoCells) {
  RgbaImage strip;
  strip.width = 24;
  strip.height = 8;
  strip.pixels.assign(24 * 8 * 4, 0);
  for (int x = 8; x < 16; ++x) strip.pixels[(3 * 24 + x) * 4 + 3] = 200;  // frame 1, row 3
  ImageHandle image = gfx.ImageFromPixels(strip, 8, 8, 3);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->frames, 3);
  EXPECT_EQ(gfx.ReadPixel(image, 2, 3, 1) >> 24, 200u);
  EXPECT_EQ(gfx.ReadPixel(image, 2, 3, 0), 0u);
  EXPECT_EQ(gfx.ReadPixel(image, 8, 0, 0), 0u) << "outside the frame reads 0";

  gfx.DrawImage(image, 50, 60, 2);
  gfx.DrawImage(image, 50, 60, 3);  // no such frame
  gfx.DrawImage(nullptr, 50, 60, 0);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].kind, DrawRecord::kImage);
  EXPECT_EQ(records[0].frame, 2);
}

TEST_F(GraphicsTest, UntexturedDrawsBetweenImagesDoNotBreakTheBatch) {
  RgbaImage pixels;
  pixels.width = pixels.height = 4;
  pixels.pixels.assign(64, 255);
  ImageHandle image = gfx.ImageFromPixels(pixels, 4, 4, 1);
  gfx.SetRecorder(nullptr);
  gfx.SetBlend(kAddBlend);
  for (int i = 0; i < 100; ++i) {
    gfx.DrawImage(image, i, i, 0);
    gfx.Rect(i, 0, 2, 2);
  }
  gfx.Flip(true);
  EXPECT_EQ(gfx.DrawCallsLastFrame(), 1);
}

TEST_F(GraphicsTest, ASortedRunGroupsPrimitivesByState) {
  RgbaImage pixels;
  pixels.width = pixels.height = 4;
  pixels.pixels.assign(64, 255);
  ImageHandle image = gfx.ImageFromPixels(pixels, 4, 4, 1);
  gfx.Flip(true);
  backend.keepBatches = true;
  gfx.SetRecorder(nullptr);
  gfx.BeginSortedRun();
  for (int i = 0; i < 300; ++i) {  // a halo then an image, enemy after enemy
    gfx.SetBlend(kAlphaBlend);
    const float tri[] = {0, -10, 8, 6, -8, 6};
    gfx.SetOrigin(static_cast<float>(i), 10);
    gfx.Poly(tri, 3);
    gfx.SetOrigin(0, 0);
    gfx.SetBlend(kAddBlend);
    gfx.DrawImage(image, static_cast<float>(i), 10, 0);
  }
  gfx.EndSortedRun();
  gfx.Flush();
  ASSERT_EQ(backend.batches().size(), 2u);
  EXPECT_EQ(backend.batches()[0].state.blend, kAlphaBlend);
  EXPECT_EQ(backend.batches()[0].indexCount, 300 * 3);
  EXPECT_EQ(backend.batches()[1].state.blend, kAddBlend);
  EXPECT_EQ(backend.batches()[1].indexCount, 300 * 6);
  // Outside a run, call order rules again.
  gfx.SetBlend(kAlphaBlend);
  gfx.Rect(0, 0, 1, 1);
  gfx.SetBlend(kAddBlend);
  gfx.Rect(0, 0, 1, 1);
  gfx.Flip(true);
  EXPECT_EQ(gfx.DrawCallsLastFrame(), 4);
}

}  // namespace
}  // namespace qv
