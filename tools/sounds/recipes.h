// How each of the game's effects is made: one recipe per sound file.
#pragma once

#include "audio/sound_files.h"
#include "synth.h"

namespace qv::synth {

struct Recipe {
  Sound sound;       // the bank entry whose file this makes
  double peakDb;     // how loud it sits in the mix (frequent sounds are quieter)
  Wave (*make)();
};

// One recipe per distinct file, in bank order ("bonus1.wav" appears once).
const std::vector<Recipe>& Recipes();

}  // namespace qv::synth
