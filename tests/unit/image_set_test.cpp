// Where the image sets come from: the data folder, and for the "user" set the player's own folder
// first, file by file.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/headless/headless_platform.h"
#include "platform/png_io.h"
#include "render/image_set.h"
#include "support/temp_dir.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

void WriteSquare(const fs::path& file, int side) {
  fs::create_directories(file.parent_path());
  RgbaImage image;
  image.width = image.height = side;
  image.pixels.assign(static_cast<std::size_t>(side) * side * 4, 255);
  ASSERT_TRUE(SavePngFile(file.string(), image));
}

TEST(ImageSetFolders, TheUserSetTakesThePlayersOwnFilesFirst) {
  test::TempWorkDir dir;  // the player's files
  const fs::path data = dir.path() / "installed" / "share";
  WriteSquare(data / "gfx/user/whiteplayer.png", 32);
  WriteSquare(data / "gfx/user/greensquare.png", 32);
  WriteSquare(data / "gfx/high/whiteplayer.png", 40);
  WriteSquare("gfx/user/whiteplayer.png", 48);  // the player's own ship

  HeadlessPlatform hp;
  ImageSet images;
  const std::string dataFolder = data.string() + "/";
  LoadImageSet(hp.gfx, images, 4, dataFolder);
  ASSERT_TRUE(images.whitePlayer && images.greenSquare);
  EXPECT_EQ(images.whitePlayer->cellWidth, 48) << "the player's file wins";
  EXPECT_EQ(images.greenSquare->cellWidth, 32) << "files the player has not made come from the data";

  // Other sets always come from the data folder.
  LoadImageSet(hp.gfx, images, 3, dataFolder);
  ASSERT_TRUE(images.whitePlayer);
  EXPECT_EQ(images.whitePlayer->cellWidth, 40);
}

}  // namespace
}  // namespace qv
