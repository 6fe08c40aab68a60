#include "render/image_set.h"

#include <filesystem>
#include <string>

namespace qv {

namespace {

struct StripSpec {
  ImageHandle ImageSet::*entry;
  const char* file;
  int frames;
  int cell[kImageSetCount];  // square cell side per set
};

// Strips whose cell size depends on the set.
constexpr StripSpec kStrips[] = {
    {&ImageSet::icons, "icons.png", 2, {64, 24, 32, 64, 64}},
    {&ImageSet::snakeTail, "snaketail.png", 24, {56, 32, 32, 56, 56}},
    {&ImageSet::powerUps, "powerups.png", 11, {64, 64, 64, 64, 64}},
};

struct SingleSpec {
  ImageHandle ImageSet::*entry;
  const char* file;
};

constexpr SingleSpec kSingles[] = {
    {&ImageSet::greenSquare, "greensquare.png"},     {&ImageSet::purpleSquare1, "purplesquare1.png"},
    {&ImageSet::purpleSquare2, "purplesquare2.png"}, {&ImageSet::blueDiamond, "bluediamond.png"},
    {&ImageSet::pinkPinwheel, "pinkpinwheel.png"},   {&ImageSet::indigoTriangle, "indigotriangle.png"},
    {&ImageSet::blueCircle, "bluecircle.png"},       {&ImageSet::redClone, "redclone.png"},
    {&ImageSet::orangeTriangle, "orangetriangle.png"}, {&ImageSet::redCircle, "redcircle.png"},
    {&ImageSet::whitePlayer, "whiteplayer.png"},     {&ImageSet::yellowShot, "yellowshot.png"},
    {&ImageSet::whiteStar, "whitestar.png"},         {&ImageSet::snakeHead, "snakehead.png"},
    {&ImageSet::particle, "particle.png"},
};

constexpr const char* kFolders[kImageSetCount] = {"gfx/solid/", "gfx/low/", "gfx/med/", "gfx/high/", "gfx/user/"};

}  // namespace

const char* ImageSetFolder(int gfxSet) {
  return kFolders[(gfxSet >= 0 && gfxSet < kImageSetCount) ? gfxSet : 0];
}

void LoadImageSet(Graphics& gfx, ImageSet& images, int gfxSet, const std::string& dataFolder) {
  const int set = (gfxSet >= 0 && gfxSet < kImageSetCount) ? gfxSet : 0;
  images = ImageSet{};
  const std::string folder = ImageSetFolder(set);
  const bool userSet = set == kImageSetCount - 1;
  const auto path = [&](const char* file) {
    const std::string own = folder + file;
    std::error_code ec;
    if (userSet && !dataFolder.empty() && std::filesystem::exists(own, ec)) return own;
    return dataFolder + own;
  };
  for (const StripSpec& s : kStrips) images.*s.entry = gfx.LoadImage(path(s.file), s.cell[set], s.cell[set], 0, s.frames);
  for (const SingleSpec& s : kSingles) images.*s.entry = gfx.LoadImage(path(s.file));
  images.colourPick = gfx.LoadImage(dataFolder + "gfx/colourpick.png", 122, 9, 0, 3);
}

}  // namespace qv
