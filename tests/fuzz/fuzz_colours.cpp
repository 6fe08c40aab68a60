// Any bytes as "Colours.txt": reading must not crash, and the table it reads must save and load back
// unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "settings/colours.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  qv::ColourTable table;
  qv::ParseColours(std::string_view(reinterpret_cast<const char*>(data), size), table);
  qv::ColourTable reloaded;
  qv::ParseColours(qv::FormatColours(table), reloaded);
  if (reloaded.colours != table.colours) std::abort();
  return 0;
}
