// Numbered versions of the three files the game saves at exit, for the kill test: generation g of each
// file differs from every other in its contents and in its length, and the generation can be read back
// from the file itself, so a reader can tell exactly which complete version a file should be.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "scoring/high_scores.h"
#include "settings/colours.h"
#include "settings/config_file.h"

namespace qv::kill_test {

inline constexpr int kScoreBase = 1000000;

inline Settings ConfigOf(int generation) {
  Settings s;
  s.starCount = generation;
  s.windowed = generation % 2 == 1;
  s.controlType = static_cast<ControlType>(generation % kControlTypeCount);  // names of different lengths
  s.keyBomb = generation % 256;
  s.particleCount = (generation * 37) % 50001;
  s.joyPorts[generation % kJoyPortCount].moveXCentre = static_cast<float>(generation % 100) / 128.0f;
  return s;
}

inline ColourTable ColoursOf(int generation) {
  ColourTable table;
  table.colours[0].red = generation;
  for (std::size_t i = 1; i < table.colours.size(); ++i) {
    table.colours[i].green = static_cast<int>((static_cast<std::size_t>(generation) * (i + 7)) % 100000);
  }
  return table;
}

inline HighScoreTable ScoresOf(int generation) {
  HighScoreTable table;
  BuildDefaultHighScores(table);
  HighScoreRow& top = table.rows[0][0];
  top.score = kScoreBase + generation;
  top.name = "gen" + std::to_string(generation % 100000);
  top.settings = std::string(static_cast<std::size_t>(generation % 200), 's');
  top.checksum = RowChecksum(top.score, top.time, top.name, top.settings);
  return table;
}

// The file names, their complete text for a generation, and the generation a text claims to be.
struct SavedFile {
  std::string_view name;
  std::string (*text)(int generation);
  int (*generation)(std::string_view text);
};

inline constexpr SavedFile kSavedFiles[] = {
    {kConfigFileName, [](int g) { return FormatConfig(ConfigOf(g)); },
     [](std::string_view text) {
       Settings s;
       ParseConfig(text, s);
       return s.starCount;
     }},
    {kColourFileName, [](int g) { return FormatColours(ColoursOf(g)); },
     [](std::string_view text) {
       ColourTable table;
       ParseColours(text, table);
       return table.colours[0].red;
     }},
    {kHighScoreFileName, [](int g) { return FormatHighScores(ScoresOf(g)); },
     [](std::string_view text) {
       HighScoreTable table;
       ParseHighScores(text, table);
       return table.rows[0][0].score - kScoreBase;
     }},
};

// Saves generation g of all three files through the game's own save functions, in the exit sequence's
// order. False when any of them could not be saved.
inline bool SaveGeneration(const std::string& folder, int generation) {
  StatusMessage status;
  const bool config = SaveConfig(folder + "/" + std::string(kConfigFileName), ConfigOf(generation), status);
  const bool colours = SaveColours(folder + "/" + std::string(kColourFileName), ColoursOf(generation), status);
  const bool scores = SaveHighScores(folder + "/" + std::string(kHighScoreFileName), ScoresOf(generation));
  return config && colours && scores;
}

}  // namespace qv::kill_test
