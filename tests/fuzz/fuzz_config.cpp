// Any bytes as "Config.txt": reading must not crash, and whatever it reads must save as a complete
// file that reads back to the same settings once the file form has settled.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "settings/config_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  qv::Settings settings;
  qv::ParseConfig(std::string_view(reinterpret_cast<const char*>(data), size), settings);

  const std::string saved = qv::FormatConfig(settings);
  std::size_t lines = 0;
  for (const char c : saved) lines += c == '\n';
  if (lines != 278) std::abort();

  // One save and load may round a value into its file form (a whole scale, whole hundredths);
  // from then on saving and loading must change nothing.
  qv::Settings settled;
  qv::ParseConfig(saved, settled);
  qv::Settings again = settled;
  qv::ParseConfig(qv::FormatConfig(settled), again);
  if (qv::FormatConfig(again) != qv::FormatConfig(settled)) std::abort();
  return 0;
}
