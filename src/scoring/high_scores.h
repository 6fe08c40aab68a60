// The ten best games of each difficulty, and their file "hiscores.dat".
//
// The file is 150 lines with no header: for difficulty 0, 1, 2 and within it for places 0..9, five
// lines per row: score, play time, name, settings summary, checksum. Texts are whole lines, untrimmed;
// numbers are read leniently. Every row carries the sum of the character codes of its score (as
// decimal text), time, name and settings: one row failing that check, a short file included, and the
// whole table goes back to the built-in one. A loaded table is not re-sorted.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "settings/settings.h"

namespace qv {

inline constexpr std::string_view kHighScoreFileName = "hiscores.dat";
inline constexpr std::string_view kVersionText = "5.0";

inline constexpr int kHighScorePlaces = 10;
// One more row than places: an entry that beats none of the ten lands in the spare row 10, which is
// never saved, loaded or shown.
inline constexpr int kHighScoreRows = kHighScorePlaces + 1;
// The row reported for a game that may not enter the table; it highlights nothing.
inline constexpr int kNoHighScoreRow = -20;

// The name of a difficulty as the tables show it: "Easy", "Medium", "Hard"; empty text outside 0..2.
constexpr std::string_view DifficultyName(int difficulty) {
  constexpr std::string_view kNames[kDifficultyCount] = {"Easy", "Medium", "Hard"};
  return difficulty >= 0 && difficulty < kDifficultyCount ? kNames[difficulty] : std::string_view{};
}

struct HighScoreRow {
  int score = 0;
  std::string time;      // the play time as FormatPlayTime shows it
  std::string name;      // eight characters as entered, trailing spaces included
  std::string settings;  // the SettingsSummary of the game
  int checksum = 0;
  bool operator==(const HighScoreRow&) const = default;
};

struct HighScoreTable {
  // rows[row][column]: row 0 is the best; the column is the difficulty (0 Easy, 1 Medium, 2 Hard).
  std::array<std::array<HighScoreRow, kDifficultyCount>, kHighScoreRows> rows;  // every row starts 0 and empty
  bool operator==(const HighScoreTable&) const = default;
};

// The sum of the character codes of the score's decimal text, the time, the name and the settings.
// The sum wraps modulo 2^32 (as the checksum line is read), so no text is too long to check.
int RowChecksum(int score, std::string_view time, std::string_view name, std::string_view settings);

// Places 0..9 of every difficulty become the built-in entries; the spare row is left alone.
void BuildDefaultHighScores(HighScoreTable& table);

// No text the game writes into a row comes near this length (a name is eight characters, a settings
// summary at most about a hundred). A row with a longer time, name or settings text fails its check like
// a wrong checksum: such a row can only come from a forged file, and drawing megabytes of name on every
// frame of the top-scores screen would stall the game.
inline constexpr std::size_t kMaxHighScoreText = 255;

// True when every stored row matches its checksum and holds texts of at most kMaxHighScoreText
// characters; otherwise the whole table is rebuilt from the built-in entries, the good rows included,
// and the result is false.
bool VerifyHighScores(HighScoreTable& table);

// Reads the 150 lines into places 0..9 by position, lines missing at the end reading as empty text and
// 0. No check is made here: VerifyHighScores decides.
void ParseHighScores(std::string_view text, HighScoreTable& table);
std::string FormatHighScores(const HighScoreTable& table);

// Reads the file (the built-in table when it cannot be read), then verifies it. True when the file's
// own table was kept.
bool LoadHighScores(const std::string& path, HighScoreTable& table);
// Replaces the file; false when it cannot be written. Nothing is reported to the player either way.
bool SaveHighScores(const std::string& path, const HighScoreTable& table);

// Places a game in its difficulty's column: the row is the first, counting from the best, whose score
// is lower, so an equal score goes below the ones already there. Rows below move down one and the old
// tenth place is lost; a score beating none lands in the spare row 10 and nothing moves. tableLowScore
// becomes the column's tenth-place score. A column outside 0..2 changes nothing and gives
// kNoHighScoreRow.
int InsertScore(HighScoreTable& table, int score, std::string_view name, std::string_view time,
                std::string_view settings, int column, int& tableLowScore);

// The line of settings a game was played with: version, screen mode label (such as "1024X768"),
// playfield size, control scheme, scroll, image set, grid style, autofire and inertia in hundredths,
// comma-separated: "5.0,1024X768,1024X768,Dual Analog,0,0,0,0,0" for the defaults.
std::string SettingsSummary(const Settings& settings, std::string_view modeLabel, int playfieldWidth,
                            int playfieldHeight);

}  // namespace qv
