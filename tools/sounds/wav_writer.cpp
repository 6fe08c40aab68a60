#include "wav_writer.h"

#include <cmath>
#include <cstdio>
#include <fstream>

namespace qv::synth {
namespace {

void Put16(std::ofstream& out, std::uint32_t value) {
  const char bytes[2] = {static_cast<char>(value & 0xff), static_cast<char>((value >> 8) & 0xff)};
  out.write(bytes, 2);
}

void Put32(std::ofstream& out, std::uint32_t value) {
  Put16(out, value & 0xffff);
  Put16(out, value >> 16);
}

double ToDb(double fullScaleShare) { return fullScaleShare > 0.0 ? 20.0 * std::log10(fullScaleShare) : -120.0; }

}  // namespace

bool WriteWav(const std::string& path, const std::vector<std::int16_t>& pcm, int sampleRate) {
  const std::string temporary = path + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    const auto dataBytes = static_cast<std::uint32_t>(pcm.size() * 2);
    out.write("RIFF", 4);
    Put32(out, 36 + dataBytes);
    out.write("WAVE", 4);
    out.write("fmt ", 4);
    Put32(out, 16);
    Put16(out, 1);  // PCM
    Put16(out, 1);  // mono
    Put32(out, static_cast<std::uint32_t>(sampleRate));
    Put32(out, static_cast<std::uint32_t>(sampleRate) * 2);  // bytes per second
    Put16(out, 2);                                           // bytes per frame
    Put16(out, 16);                                          // bits per sample
    out.write("data", 4);
    Put32(out, dataBytes);
    for (const std::int16_t s : pcm) Put16(out, static_cast<std::uint16_t>(s));
    out.flush();
    if (!out) return false;
  }
  return std::rename(temporary.c_str(), path.c_str()) == 0;
}

Levels Measure(const std::vector<std::int16_t>& pcm, int sampleRate) {
  Levels levels;
  if (pcm.empty() || sampleRate <= 0) return levels;
  double peak = 0.0, sumSquares = 0.0;
  for (const std::int16_t s : pcm) {
    const double v = s / 32768.0;
    peak = std::fmax(peak, std::fabs(v));
    sumSquares += v * v;
  }
  levels.milliseconds = 1000.0 * static_cast<double>(pcm.size()) / sampleRate;
  levels.peakDb = ToDb(peak);
  levels.rmsDb = ToDb(std::sqrt(sumSquares / static_cast<double>(pcm.size())));
  return levels;
}

}  // namespace qv::synth
