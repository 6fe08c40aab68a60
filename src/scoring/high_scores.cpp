#include "scoring/high_scores.h"

#include <cstdint>
#include <optional>

#include "platform/text_file.h"
#include "scoring/play_time.h"
#include "settings/text_values.h"

namespace qv {
namespace {

std::uint32_t SumOfCodes(std::string_view text) {
  std::uint32_t sum = 0;
  for (const char c : text) sum += static_cast<unsigned char>(c);
  return sum;
}

// The built-in table: a score ladder per difficulty, and play times that shrink down the ladder and
// from Easy to Hard (33000 frames, eleven minutes, at the top of Easy).
HighScoreRow DefaultRow(int row, int column) {
  static constexpr int kTopScore[kDifficultyCount] = {200000, 100000, 50000};
  static constexpr int kScoreStep[kDifficultyCount] = {19000, 9000, 4900};
  HighScoreRow entry;
  entry.score = kTopScore[column] - kScoreStep[column] * row;
  entry.time = FormatPlayTime(33000 - 2000 * row - 6000 * column);
  entry.name = "Vornakel";
  entry.settings = "0,0,0,0,0,0,0,0,0,0";
  entry.checksum = RowChecksum(entry.score, entry.time, entry.name, entry.settings);
  return entry;
}

}  // namespace

int RowChecksum(int score, std::string_view time, std::string_view name, std::string_view settings) {
  const std::uint32_t sum =
      SumOfCodes(std::to_string(score)) + SumOfCodes(time) + SumOfCodes(name) + SumOfCodes(settings);
  return static_cast<int>(sum);
}

void BuildDefaultHighScores(HighScoreTable& table) {
  for (int column = 0; column < kDifficultyCount; ++column) {
    for (int row = 0; row < kHighScorePlaces; ++row) table.rows[row][column] = DefaultRow(row, column);
  }
}

bool VerifyHighScores(HighScoreTable& table) {
  for (int column = 0; column < kDifficultyCount; ++column) {
    for (int row = 0; row < kHighScorePlaces; ++row) {
      const HighScoreRow& entry = table.rows[row][column];
      const bool tooLong = entry.time.size() > kMaxHighScoreText || entry.name.size() > kMaxHighScoreText ||
                           entry.settings.size() > kMaxHighScoreText;
      if (tooLong || entry.checksum != RowChecksum(entry.score, entry.time, entry.name, entry.settings)) {
        BuildDefaultHighScores(table);
        return false;
      }
    }
  }
  return true;
}

void ParseHighScores(std::string_view text, HighScoreTable& table) {
  LineReader in(text);
  for (int column = 0; column < kDifficultyCount; ++column) {
    for (int row = 0; row < kHighScorePlaces; ++row) {
      HighScoreRow& entry = table.rows[row][column];
      entry.score = ParseLenientInt(in.Next());
      entry.time = in.Next();
      entry.name = in.Next();
      entry.settings = in.Next();
      entry.checksum = ParseLenientInt(in.Next());
    }
  }
}

std::string FormatHighScores(const HighScoreTable& table) {
  LineWriter out;
  for (int column = 0; column < kDifficultyCount; ++column) {
    for (int row = 0; row < kHighScorePlaces; ++row) {
      const HighScoreRow& entry = table.rows[row][column];
      out.Line(entry.score);
      out.Line(entry.time);
      out.Line(entry.name);
      out.Line(entry.settings);
      out.Line(entry.checksum);
    }
  }
  return out.Text();
}

bool LoadHighScores(const std::string& path, HighScoreTable& table) {
  const std::optional<std::string> text = ReadFileBytes(path);
  if (!text) {
    BuildDefaultHighScores(table);
    return false;
  }
  ParseHighScores(*text, table);
  return VerifyHighScores(table);
}

bool SaveHighScores(const std::string& path, const HighScoreTable& table) {
  return WriteFileAtomic(path, FormatHighScores(table));
}

int InsertScore(HighScoreTable& table, int score, std::string_view name, std::string_view time,
                std::string_view settings, int column, int& tableLowScore) {
  if (column < 0 || column >= kDifficultyCount) return kNoHighScoreRow;
  int place = kHighScorePlaces;  // the spare row
  for (int row = kHighScorePlaces - 1; row >= 0; --row) {
    if (table.rows[row][column].score < score) place = row;
  }
  for (int row = kHighScorePlaces - 1; row > place; --row) {
    table.rows[row][column] = table.rows[row - 1][column];
  }
  HighScoreRow& entry = table.rows[place][column];
  entry.score = score;
  entry.time = time;
  entry.name = name;
  entry.settings = settings;
  entry.checksum = RowChecksum(score, time, name, settings);
  tableLowScore = table.rows[kHighScorePlaces - 1][column].score;
  return place;
}

std::string SettingsSummary(const Settings& settings, std::string_view modeLabel, int playfieldWidth,
                            int playfieldHeight) {
  std::string summary(kVersionText);
  summary += ',';
  summary += modeLabel;
  summary += ',' + std::to_string(playfieldWidth) + 'X' + std::to_string(playfieldHeight) + ',';
  summary += ControlTypeName(settings.controlType);
  // The two schemes with sub-modes name the one in use.
  if (settings.controlType == ControlType::Joypad) summary += '-' + std::to_string(settings.joypadMode);
  if (settings.controlType == ControlType::Hybrid) summary += '-' + std::to_string(settings.hybridMode);
  summary += ',';
  for (const int value : {settings.scroll, settings.gfxSet, settings.gridStyle, settings.autofire}) {
    summary += std::to_string(value) + ',';
  }
  // In double precision from the stored float, so an inertia of 0.9 reads 89.
  summary += std::to_string(TruncateToInt(static_cast<double>(settings.inertia) * 100.0));
  return summary;
}

}  // namespace qv
