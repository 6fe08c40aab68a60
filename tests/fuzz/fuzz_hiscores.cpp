// Any bytes as "hiscores.dat": reading and checking must not crash, the table left behind must pass
// its own check with no over-long text, and it must save and load back unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "scoring/high_scores.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  qv::HighScoreTable table;
  qv::ParseHighScores(std::string_view(reinterpret_cast<const char*>(data), size), table);
  qv::VerifyHighScores(table);

  qv::HighScoreTable checked = table;
  if (!qv::VerifyHighScores(checked)) std::abort();
  for (const auto& row : table.rows) {
    for (const qv::HighScoreRow& entry : row) {
      if (entry.time.size() > qv::kMaxHighScoreText || entry.name.size() > qv::kMaxHighScoreText ||
          entry.settings.size() > qv::kMaxHighScoreText) {
        std::abort();
      }
    }
  }

  qv::HighScoreTable reloaded;
  qv::ParseHighScores(qv::FormatHighScores(table), reloaded);
  if (!qv::VerifyHighScores(reloaded) || reloaded != table) std::abort();
  return 0;
}
