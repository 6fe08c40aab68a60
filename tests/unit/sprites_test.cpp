// The image sets the build draws into build/gfx, checked against what the game's loader expects,
// and the generator's promises: the same bytes on every run, and a player's "user" files kept.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "platform/png_io.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

const fs::path kGfx = fs::path(QV_BUILD_DIR) / "gfx";

const char* const kSets[] = {"solid", "low", "med", "high", "user"};

const char* const kSingleImages[] = {
    "greensquare.png",    "purplesquare1.png", "purplesquare2.png", "bluediamond.png", "pinkpinwheel.png",
    "indigotriangle.png", "bluecircle.png",    "redclone.png",      "orangetriangle.png", "redcircle.png",
    "whiteplayer.png",    "yellowshot.png",    "whitestar.png",     "snakehead.png",   "particle.png",
};

// The strips and their cells, set by set, as the game's image loader cuts them.
struct StripCase {
  const char* set;
  const char* file;
  int frames;
  int cell;
};

const StripCase kStrips[] = {
    {"solid", "icons.png", 2, 64},     {"low", "icons.png", 2, 24},      {"med", "icons.png", 2, 32},
    {"high", "icons.png", 2, 64},      {"user", "icons.png", 2, 64},     {"solid", "snaketail.png", 24, 56},
    {"low", "snaketail.png", 24, 32},  {"med", "snaketail.png", 24, 32}, {"high", "snaketail.png", 24, 56},
    {"user", "snaketail.png", 24, 56}, {"solid", "powerups.png", 11, 64}, {"low", "powerups.png", 11, 64},
    {"med", "powerups.png", 11, 64},   {"high", "powerups.png", 11, 64}, {"user", "powerups.png", 11, 64},
};

RgbaImage Load(const fs::path& path) {
  RgbaImage image;
  std::string error;
  EXPECT_TRUE(LoadPngFile(path.string(), image, &error)) << path << ": " << error;
  return image;
}

int AlphaAt(const RgbaImage& image, int x, int y) {
  return image.pixels[(static_cast<std::size_t>(y) * image.width + x) * 4 + 3];
}

// Total alpha inside one cell of a strip: how much light the frame carries.
long CellLight(const RgbaImage& image, int left, int width) {
  long sum = 0;
  for (int y = 0; y < image.height; ++y) {
    for (int x = left; x < left + width; ++x) sum += AlphaAt(image, x, y);
  }
  return sum;
}

// A cell whose outermost ring of pixels is lit would show a hard edge around its glow in the game.
bool BorderIsDark(const RgbaImage& image, int left, int width) {
  for (int x = left; x < left + width; ++x) {
    if (AlphaAt(image, x, 0) != 0 || AlphaAt(image, x, image.height - 1) != 0) return false;
  }
  for (int y = 0; y < image.height; ++y) {
    if (AlphaAt(image, left, y) != 0 || AlphaAt(image, left + width - 1, y) != 0) return false;
  }
  return true;
}

TEST(Sprites, StripsHaveTheGameCellSizesAndEveryFrameIsDrawn) {
  for (const StripCase& c : kStrips) {
    SCOPED_TRACE(std::string(c.set) + "/" + c.file);
    const RgbaImage image = Load(kGfx / c.set / c.file);
    ASSERT_EQ(image.width, c.cell * c.frames);
    ASSERT_EQ(image.height, c.cell);
    for (int frame = 0; frame < c.frames; ++frame) {
      SCOPED_TRACE("frame " + std::to_string(frame));
      EXPECT_GT(CellLight(image, frame * c.cell, c.cell), 0);
      EXPECT_TRUE(BorderIsDark(image, frame * c.cell, c.cell));
    }
  }
}

TEST(Sprites, SingleImagesAreLitInsideADarkBorder) {
  for (const char* set : kSets) {
    for (const char* file : kSingleImages) {
      SCOPED_TRACE(std::string(set) + "/" + file);
      const RgbaImage image = Load(kGfx / set / file);
      ASSERT_GT(image.width, 2);
      ASSERT_GT(image.height, 2);
      EXPECT_GT(CellLight(image, 0, image.width), 0);
      EXPECT_TRUE(BorderIsDark(image, 0, image.width));
    }
  }
}

TEST(Sprites, SnakeTailSegmentsGrowTowardTheHead) {
  for (const char* set : kSets) {
    SCOPED_TRACE(set);
    const RgbaImage image = Load(kGfx / set / "snaketail.png");
    const int cell = image.height;
    ASSERT_EQ(image.width, cell * 24);
    for (int frame = 1; frame < 24; ++frame) {
      EXPECT_GT(CellLight(image, frame * cell, cell), CellLight(image, (frame - 1) * cell, cell)) << "frame " << frame;
    }
  }
}

TEST(Sprites, EveryPowerUpTokenIsDifferent) {
  const RgbaImage image = Load(kGfx / "high" / "powerups.png");
  ASSERT_EQ(image.width, 64 * 11);
  std::vector<std::vector<std::uint8_t>> cells;
  for (int frame = 0; frame < 11; ++frame) {
    std::vector<std::uint8_t> cell;
    for (int y = 0; y < 64; ++y) {
      const auto row = image.pixels.begin() + (static_cast<long>(y) * image.width + frame * 64) * 4;
      cell.insert(cell.end(), row, row + 64 * 4);
    }
    for (std::size_t earlier = 0; earlier < cells.size(); ++earlier) {
      bool same = true;
      for (std::size_t i = 0; i < cell.size() && same; ++i) same = cell[i] == cells[earlier][i];
      EXPECT_FALSE(same) << "frame " << frame << " repeats frame " << earlier;
    }
    cells.push_back(std::move(cell));
  }
}

TEST(Sprites, TintedImagesAreGrey) {
  // The game colours these itself, so any hue in the file would skew its colours.
  for (const char* file : {"whitestar.png", "particle.png", "yellowshot.png", "whiteplayer.png"}) {
    SCOPED_TRACE(file);
    const RgbaImage image = Load(kGfx / "high" / file);
    for (std::size_t i = 0; i < image.pixels.size(); i += 4) {
      if (image.pixels[i + 3] == 0) continue;
      ASSERT_EQ(image.pixels[i], image.pixels[i + 1]);
      ASSERT_EQ(image.pixels[i], image.pixels[i + 2]);
    }
  }
}

struct PickerPixel {
  int frame, position;  // marker position 0..119 reads strip pixel position + 1
  std::uint8_t r, g, b;
};

TEST(Sprites, ColourPickerHasTheBrightnessAndHueStrips) {
  const RgbaImage image = Load(kGfx / "colourpick.png");
  ASSERT_EQ(image.width, 366);
  ASSERT_EQ(image.height, 9);
  const PickerPixel cases[] = {
      {0, 0, 0, 0, 0},        {0, 119, 255, 255, 255}, {1, 0, 255, 0, 0},   {1, 20, 255, 255, 0},
      {1, 40, 0, 255, 0},     {1, 60, 0, 255, 255},     {1, 80, 0, 0, 255},   {1, 100, 255, 0, 255},
      {1, 119, 255, 0, 0},
  };
  for (const PickerPixel& c : cases) {
    SCOPED_TRACE("frame " + std::to_string(c.frame) + " position " + std::to_string(c.position));
    // Hue positions fall between whole steps of 3 degrees, so allow a step's worth of rounding.
    const std::size_t i = (2 * static_cast<std::size_t>(image.width) + c.frame * 122 + c.position + 1) * 4;
    EXPECT_NEAR(image.pixels[i], c.r, 13);
    EXPECT_NEAR(image.pixels[i + 1], c.g, 13);
    EXPECT_NEAR(image.pixels[i + 2], c.b, 13);
    EXPECT_EQ(image.pixels[i + 3], 255);
  }
  // The highlight frame is a box: lit at its edge, clear inside.
  EXPECT_EQ(AlphaAt(image, 244, 0), 255);
  EXPECT_EQ(AlphaAt(image, 365, 8), 255);
  EXPECT_EQ(AlphaAt(image, 244 + 61, 4), 0);
}

TEST(Sprites, WholeFolderStaysSmall) {
  std::uintmax_t total = 0;
  for (const auto& entry : fs::recursive_directory_iterator(kGfx)) {
    if (entry.is_regular_file()) total += entry.file_size();
  }
  EXPECT_LT(total, 4u * 1024 * 1024);
}

// Runs of the generator itself, each in a folder of its own.
class SpriteGeneratorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("qv_sprites_" + std::to_string(::getpid()) + "_" +
                                         ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    fs::create_directories(root_);
  }
  void TearDown() override { fs::remove_all(root_); }

  static int Run(const std::string& arguments) {
    std::string command = "\"";
    command += QV_GEN_SPRITES_TOOL;
    command += "\" ";
    command += arguments;
    command += " > /dev/null 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  static int RunInto(const fs::path& folder) {
    std::string quoted = "\"";
    quoted += folder.string();
    quoted += '"';
    return Run(quoted);
  }

  static std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  static void Write(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }

  fs::path root_;
};

TEST_F(SpriteGeneratorTest, TwoRunsWriteTheSameBytes) {
  ASSERT_EQ(RunInto(root_ / "a"), 0);
  ASSERT_EQ(RunInto(root_ / "b"), 0);
  int files = 0;
  for (const auto& entry : fs::recursive_directory_iterator(root_ / "a")) {
    if (!entry.is_regular_file()) continue;
    const fs::path relative = fs::relative(entry.path(), root_ / "a");
    SCOPED_TRACE(relative.string());
    EXPECT_EQ(Read(entry.path()), Read(root_ / "b" / relative));
    ++files;
  }
  // 5 sets of 18 files, and the colour picker; nothing else (no temporary files left over).
  EXPECT_EQ(files, 5 * 18 + 1);
}

TEST_F(SpriteGeneratorTest, KeepsThePlayersUserFilesAndRewritesTheOthers) {
  const fs::path out = root_ / "gfx";
  ASSERT_EQ(RunInto(out), 0);
  const std::string drawnSquare = Read(out / "high" / "greensquare.png");
  const std::string drawnParticle = Read(out / "user" / "particle.png");
  ASSERT_FALSE(drawnSquare.empty());

  Write(out / "user" / "greensquare.png", "a player's own square");
  Write(out / "high" / "greensquare.png", "stale");
  fs::remove(out / "user" / "particle.png");
  ASSERT_EQ(RunInto(out), 0);

  EXPECT_EQ(Read(out / "user" / "greensquare.png"), "a player's own square");
  EXPECT_EQ(Read(out / "high" / "greensquare.png"), drawnSquare);
  EXPECT_EQ(Read(out / "user" / "particle.png"), drawnParticle);
}

TEST_F(SpriteGeneratorTest, RefusesToRunWithoutAnOutputFolder) {
  EXPECT_NE(Run(""), 0);
  // A plain file where the output folder should be.
  Write(root_ / "blocked", "");
  EXPECT_NE(RunInto(root_ / "blocked"), 0);
}

}  // namespace
}  // namespace qv
