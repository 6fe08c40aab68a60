// quorvax_gen_sounds <out-folder> [--report]
// Synthesises every sound file the game loads into <out-folder>. With --report it also prints each
// file's length and levels, to check the mix by numbers rather than by ear.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>

#include "recipes.h"
#include "wav_writer.h"

int main(int argc, char** argv) {
  using namespace qv;
  using namespace qv::synth;
  if (argc < 2 || argc > 3 || (argc == 3 && std::strcmp(argv[2], "--report") != 0)) {
    std::fprintf(stderr, "usage: quorvax_gen_sounds <out-folder> [--report]\n");
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  const bool report = argc == 3;
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) {
    std::fprintf(stderr, "quorvax_gen_sounds: cannot create %s: %s\n", folder.c_str(), error.message().c_str());
    return 1;
  }

  // Every file the bank loads must have exactly one recipe.
  std::set<std::string> wanted;
  for (const SoundFile& entry : kSoundFiles) wanted.insert(entry.file);
  std::set<std::string> made;
  for (const Recipe& recipe : Recipes()) made.insert(SoundFileOf(recipe.sound).file);
  if (made != wanted || made.size() != Recipes().size()) {
    std::fprintf(stderr, "quorvax_gen_sounds: the recipes do not match the sound bank's files\n");
    return 1;
  }

  if (report) std::printf("| file | length (ms) | peak (dBFS) | RMS (dBFS) |\n|---|---:|---:|---:|\n");
  for (const Recipe& recipe : Recipes()) {
    const SoundFile& entry = SoundFileOf(recipe.sound);
    Wave wave = recipe.make();
    Finish(wave, recipe.peakDb, entry.loop);
    const auto pcm = Quantise(wave);
    const std::string path = (folder / entry.file).string();
    if (!WriteWav(path, pcm, kRate)) {
      std::fprintf(stderr, "quorvax_gen_sounds: cannot write %s\n", path.c_str());
      return 1;
    }
    if (report) {
      const Levels levels = Measure(pcm, kRate);
      std::printf("| %s | %.0f | %.1f | %.1f |\n", entry.file, levels.milliseconds, levels.peakDb, levels.rmsDb);
    }
  }
  return 0;
}
