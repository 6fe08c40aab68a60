// Writes 16-bit mono PCM WAV files, and measures them for the level report.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qv::synth {

// RIFF/WAVE, one "fmt " chunk (PCM, 1 channel, 16 bits) and one "data" chunk, little-endian.
// Written to a temporary file beside the target and renamed over it, so a failed run never leaves a
// half-written sound. Returns false when the file could not be written.
bool WriteWav(const std::string& path, const std::vector<std::int16_t>& pcm, int sampleRate);

struct Levels {
  double milliseconds = 0.0;
  double peakDb = -120.0;  // dBFS of the largest sample
  double rmsDb = -120.0;   // dBFS of the root mean square over the whole file
};
Levels Measure(const std::vector<std::int16_t>& pcm, int sampleRate);

}  // namespace qv::synth
