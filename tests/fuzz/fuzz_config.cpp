// Any bytes as "Config.txt": reading must not crash, every value that indexes a table or sizes a pool
// must come out in range, and whatever it reads must save as a complete file that reads back to the
// same settings once the file form has settled.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "settings/config_file.h"

namespace {

void Require(bool holds) {
  if (!holds) std::abort();
}

bool Fraction(float value) { return value >= -1.0f && value <= 1.0f; }

// The promises the reader makes to the rest of the game, whatever the file held.
void RequireSafe(const qv::Settings& s) {
  Require(s.fullGrid == 0 || s.fullGrid == 1);
  Require(s.gfxSet >= 0 && s.gfxSet <= 4);
  Require(s.particleCount <= 50000);
  Require(s.particleLife <= 500);
  Require(s.particleDecay >= 0.01f && s.particleDecay <= 0.9999f);
  Require(s.difficulty >= 0 && s.difficulty < qv::kDifficultyCount);
  Require(s.usedPort >= 0 && s.usedPort < qv::kJoyPortCount);
  Require(!qv::ControlTypeName(s.controlType).empty());
  for (const float real : {s.sfxVolume, s.musicVolume, s.gridOpacity, s.mouseSensitivity, s.inertia}) {
    Require(std::isfinite(real));
  }
  for (const qv::JoyPortConfig& p : s.joyPorts) {
    for (const int invert : {p.moveXInvert, p.moveYInvert, p.fireXInvert, p.fireYInvert}) {
      Require(invert == 1 || invert == -1);
    }
    for (const float scale : {p.moveXScale, p.moveYScale, p.fireXScale, p.fireYScale}) {
      Require(scale != 0.0f && std::isfinite(scale));
    }
    for (const float f : {p.moveXCentre, p.moveYCentre, p.fireXCentre, p.fireYCentre, p.moveXDeadZone,
                          p.moveYDeadZone, p.fireXDeadZone, p.fireYDeadZone}) {
      Require(Fraction(f));
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  qv::Settings settings;
  qv::ParseConfig(std::string_view(reinterpret_cast<const char*>(data), size), settings);
  RequireSafe(settings);

  const std::string saved = qv::FormatConfig(settings);
  std::size_t lines = 0;
  for (const char c : saved) lines += c == '\n';
  Require(lines == 278);

  // One save and load may round a value into its file form (a whole scale, whole hundredths);
  // from then on saving and loading must change nothing.
  qv::Settings settled;
  qv::ParseConfig(saved, settled);
  RequireSafe(settled);
  qv::Settings again = settled;
  qv::ParseConfig(qv::FormatConfig(settled), again);
  Require(qv::FormatConfig(again) == qv::FormatConfig(settled));
  return 0;
}
