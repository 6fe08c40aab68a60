#include "platform/sdl/program_folders.h"

#include <SDL.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace qv {

namespace {

namespace fs = std::filesystem;

std::string WithSlash(std::string folder) {
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

bool HoldsData(const fs::path& folder) {
  std::error_code ec;
  return fs::is_directory(folder / "gfx", ec) && fs::is_directory(folder / "sounds", ec);
}

// Whether a file can really be created there (a read-only mount refuses even the superuser).
bool CanWriteIn(const fs::path& folder) {
  std::string probe = (folder / ".quorvax-write-test-XXXXXX").string();
  const int fd = mkstemp(probe.data());
  if (fd < 0) return false;
  close(fd);
  unlink(probe.c_str());
  return true;
}

}  // namespace

ProgramFolders FindProgramFolders() {
  std::string base = "./";
  if (char* path = SDL_GetBasePath()) {
    base = WithSlash(path);
    SDL_free(path);
  }
  ProgramFolders folders;
  const fs::path installedData = fs::path(base) / ".." / "share" / kApplicationId;
  bool portable = true;
  if (HoldsData(base)) {
    folders.data = base;
  } else if (HoldsData(installedData)) {
    std::error_code ec;
    const fs::path canonical = fs::weakly_canonical(installedData, ec);
    folders.data = WithSlash(ec ? installedData.string() : canonical.string());
    portable = false;
  } else {
    std::fprintf(stderr, "quorvax: the game's data (gfx/, sounds/) is missing beside %s\n", base.c_str());
    folders.data = base;
  }

  if (portable && CanWriteIn(base)) {
    folders.files = base;
  } else if (char* pref = SDL_GetPrefPath("", kApplicationId)) {
    folders.files = WithSlash(pref);
    SDL_free(pref);
  } else {
    std::fprintf(stderr, "quorvax: no folder for the settings and scores (%s); they will not be saved\n",
                 SDL_GetError());
    folders.files = base;
  }
  return folders;
}

}  // namespace qv
