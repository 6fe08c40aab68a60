// quorvax_gen_sprites <out-folder>
// quorvax_gen_sprites --icons <out-folder>
//
// Draws every image of the five image sets into <out-folder>/<set>/ and the shared colour picker
// into <out-folder>/colourpick.png; with --icons, the desktop icon in every size desktops use, as
// <out-folder>/<size>x<size>/quorvax.png. The output depends on nothing but this program: running it
// twice gives the same bytes. The "user" set is only filled in where a file is missing, so a
// player's own images survive a rebuild; every other file is rewritten.
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "catalogue.h"
#include "image_sets.h"
#include "platform/png_io.h"

namespace {

bool Save(const std::filesystem::path& path, const qv::RgbaImage& image) {
  if (qv::SavePngFile(path.string(), image)) return true;
  std::fprintf(stderr, "quorvax_gen_sprites: cannot write %s\n", path.string().c_str());
  return false;
}

int DrawIcons(const std::filesystem::path& out) {
  bool ok = true;
  for (const int size : qv::sprites::kDesktopIconSizes) {
    const std::string side = std::to_string(size);
    const std::filesystem::path folder = out / (side + "x" + side);
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    ok = Save(folder / "quorvax.png", qv::sprites::DrawDesktopIcon(size)) && ok;
  }
  return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--icons" && argv[2][0] != '\0') return DrawIcons(argv[2]);
  if (argc != 2 || argv[1][0] == '\0') {
    std::fprintf(stderr, "usage: quorvax_gen_sprites <out-folder>\n       quorvax_gen_sprites --icons <out-folder>\n");
    return 2;
  }
  const std::filesystem::path out = argv[1];
  bool ok = true;
  for (const qv::sprites::SetStyle& style : qv::sprites::ImageSets()) {
    const std::filesystem::path folder = out / style.folder;
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
      std::fprintf(stderr, "quorvax_gen_sprites: cannot create %s\n", folder.string().c_str());
      return 1;
    }
    for (const qv::sprites::SetImage& entry : qv::sprites::DrawImageSet(style)) {
      const std::filesystem::path path = folder / entry.file;
      if (style.writeOnlyIfMissing && std::filesystem::exists(path, error)) continue;
      ok = Save(path, entry.image) && ok;
    }
  }
  ok = Save(out / "colourpick.png", qv::sprites::DrawColourPicker()) && ok;
  return ok ? 0 : 1;
}
