#include "scoring/high_scores.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "scoring/play_time.h"
#include "temp_folder.h"

namespace qv {
namespace {

using test_files::SplitCrLf;
using test_files::TempFolder;
using test_files::WriteBytes;

HighScoreTable Defaults() {
  HighScoreTable table;
  BuildDefaultHighScores(table);
  return table;
}

// A table unlike the built-in one, every row with a good checksum.
HighScoreTable PlayedTable() {
  HighScoreTable table;
  for (int column = 0; column < kDifficultyCount; ++column) {
    for (int row = 0; row < kHighScorePlaces; ++row) {
      HighScoreRow& entry = table.rows[row][column];
      entry.score = 5000 * (column + 1) - 400 * row;
      entry.time = FormatPlayTime(100 * row + 3);
      entry.name = "Ada " + std::to_string(column) + std::to_string(row) + "  ";
      entry.settings = "5.0,800X600,1600X1200,Joypad-1,1,4,7,0,12";
      entry.checksum = RowChecksum(entry.score, entry.time, entry.name, entry.settings);
    }
  }
  return table;
}

HighScoreTable Loaded(std::string_view text) {
  HighScoreTable table;
  ParseHighScores(text, table);
  VerifyHighScores(table);
  return table;
}

TEST(HighScoreTable, DefaultsClimbDownEachColumn) {
  const HighScoreTable table = Defaults();
  struct Case {
    int column, row, score;
    std::string_view time;
  };
  const Case cases[] = {
      {0, 0, 200000, "11 mns, 0 sec"}, {0, 1, 181000, "10 mns, 20 secs"}, {0, 9, 29000, "5 mns, 0 sec"},
      {1, 0, 100000, "9 mns, 0 sec"},  {1, 9, 19000, "3 mns, 0 sec"},     {2, 0, 50000, "7 mns, 0 sec"},
      {2, 1, 45100, "6 mns, 20 secs"}, {2, 9, 5900, "1 mn, 0 sec"},
  };
  for (const Case& c : cases) {
    const HighScoreRow& entry = table.rows[c.row][c.column];
    EXPECT_EQ(entry.score, c.score) << c.column << "/" << c.row;
    EXPECT_EQ(entry.time, c.time) << c.column << "/" << c.row;
  }
  for (int column = 0; column < kDifficultyCount; ++column) {
    for (int row = 0; row < kHighScorePlaces; ++row) {
      EXPECT_EQ(table.rows[row][column].name, "Vornakel");
      EXPECT_EQ(table.rows[row][column].settings, "0,0,0,0,0,0,0,0,0,0");
    }
  }
  HighScoreTable checked = table;
  EXPECT_TRUE(VerifyHighScores(checked));
}

TEST(HighScoreTable, DefaultsLeaveTheSpareRowAlone) {
  HighScoreTable table;
  table.rows[10][1].name = "spare";
  BuildDefaultHighScores(table);
  EXPECT_EQ(table.rows[10][1].name, "spare");
}

TEST(HighScoreTable, ChecksumIsTheSumOfCharacterCodes) {
  EXPECT_EQ(RowChecksum(12, "", "A", ""), 49 + 50 + 65);
  EXPECT_EQ(RowChecksum(21, "", "A", ""), 164);  // order plays no part
  EXPECT_EQ(RowChecksum(-5, "", "", ""), '-' + '5');
  EXPECT_EQ(RowChecksum(0, "\xff", "", ""), '0' + 255);  // 8-bit text counts as unsigned codes
  // A very long text wraps instead of overflowing.
  EXPECT_EQ(RowChecksum(0, std::string(16843010, '\xff'), "", ""), '0' + 16843010LL * 255 - (1LL << 32));
}

TEST(HighScoreFile, HasFiveLinesPerRowColumnByColumn) {
  HighScoreTable table = PlayedTable();
  table.rows[10][0].name = "never saved";
  const std::vector<std::string> lines = SplitCrLf(FormatHighScores(table));
  ASSERT_EQ(lines.size(), 150u);
  const HighScoreRow& entry = table.rows[2][1];
  const std::size_t first = (1 * 10 + 2) * 5;
  EXPECT_EQ(lines[first], std::to_string(entry.score));
  EXPECT_EQ(lines[first + 1], entry.time);
  EXPECT_EQ(lines[first + 2], entry.name);
  EXPECT_EQ(lines[first + 3], entry.settings);
  EXPECT_EQ(lines[first + 4], std::to_string(entry.checksum));
}

TEST(HighScoreFile, SavedTableLoadsBackUnchanged) {
  const HighScoreTable saved = PlayedTable();
  EXPECT_EQ(Loaded(FormatHighScores(saved)), saved);
}

TEST(HighScoreFile, OneChangedDigitBringsBackTheDefaultsInEveryColumn) {
  std::string text = FormatHighScores(PlayedTable());
  const std::size_t line = (2 * 10 + 7) * 5;  // the score of "Hard" row 7
  std::size_t at = 0;
  for (std::size_t i = 0; i < line; ++i) at = text.find('\n', at) + 1;
  text[at] = text[at] == '9' ? '8' : '9';
  HighScoreTable table;
  ParseHighScores(text, table);
  EXPECT_FALSE(VerifyHighScores(table));
  EXPECT_EQ(table, Defaults());
}

TEST(HighScoreFile, SwappedCharactersWithinARowAreAccepted) {
  const HighScoreTable saved = PlayedTable();
  std::vector<std::string> lines = SplitCrLf(FormatHighScores(saved));
  const std::size_t row = (0 * 10 + 4) * 5;
  std::swap(lines[row + 2][0], lines[row + 2][1]);  // within the name
  std::swap(lines[row + 1][0], lines[row + 3][0]);  // between time and settings
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";

  const HighScoreTable table = Loaded(text);
  EXPECT_NE(table, Defaults());
  EXPECT_EQ(table.rows[4][0].name, lines[row + 2]);
  EXPECT_EQ(table.rows[4][0].time, lines[row + 1]);
}

TEST(HighScoreFile, ShortOrForeignFilesBringBackTheDefaults) {
  const std::string full = FormatHighScores(PlayedTable());
  const std::string withoutLastLine = full.substr(0, full.rfind('\n', full.size() - 2) + 1);
  ASSERT_EQ(SplitCrLf(withoutLastLine).size(), 149u);
  for (const std::string& text : {withoutLastLine, std::string(), std::string("\0\xff\n\n", 4)}) {
    EXPECT_EQ(Loaded(text), Defaults());
  }
}

TEST(HighScoreFile, TextsAreWholeUntrimmedLines) {
  HighScoreTable table = Defaults();
  HighScoreRow& entry = table.rows[0][0];
  entry.name = "  " + std::string(kMaxHighScoreText - 4, 'n') + "  ";
  entry.time = "\t";
  entry.checksum = RowChecksum(entry.score, entry.time, entry.name, entry.settings);
  EXPECT_EQ(Loaded(FormatHighScores(table)), table);
}

TEST(HighScoreFile, ARowWithAnOverlongTextBringsBackTheDefaultsEvenWithItsChecksumRight) {
  const std::string tooLong(kMaxHighScoreText + 1, 'x');
  for (std::string HighScoreRow::*text : {&HighScoreRow::time, &HighScoreRow::name, &HighScoreRow::settings}) {
    HighScoreTable table = PlayedTable();
    HighScoreRow& entry = table.rows[9][2];
    entry.*text = tooLong;
    entry.checksum = RowChecksum(entry.score, entry.time, entry.name, entry.settings);
    EXPECT_EQ(Loaded(FormatHighScores(table)), Defaults());
  }
}

// Scores 1000, 900, ... 100 in the "Medium" column.
HighScoreTable LadderTable() {
  HighScoreTable table = Defaults();
  for (int row = 0; row < kHighScorePlaces; ++row) {
    HighScoreRow& entry = table.rows[row][1];
    entry.score = 1000 - 100 * row;
    entry.name = "row " + std::to_string(row);
  }
  return table;
}

TEST(InsertScore, PlacesTheGameBelowEqualScoresAndShiftsTheRest) {
  struct Case {
    int score;
    int row;
    int tableLowScore;
  };
  const Case cases[] = {
      {1001, 0, 200},  // everything moves down; the old tenth place is lost
      {700, 4, 200},   // equal to row 3: goes below it
      {150, 9, 150},
      {100, 10, 100},  // equal to the tenth place: the spare row, nothing moves
      {-5, 10, 100},
  };
  for (const Case& c : cases) {
    HighScoreTable table = LadderTable();
    const HighScoreTable before = table;
    int tableLowScore = -1;
    EXPECT_EQ(InsertScore(table, c.score, "NEWNAME ", "2 secs", "5.0,x", 1, tableLowScore), c.row) << c.score;
    EXPECT_EQ(tableLowScore, c.tableLowScore) << c.score;

    const HighScoreRow& entry = table.rows[c.row][1];
    EXPECT_EQ(entry.score, c.score);
    EXPECT_EQ(entry.name, "NEWNAME ");
    EXPECT_EQ(entry.time, "2 secs");
    EXPECT_EQ(entry.settings, "5.0,x");
    EXPECT_EQ(entry.checksum, RowChecksum(c.score, "2 secs", "NEWNAME ", "5.0,x"));
    for (int row = 0; row < kHighScorePlaces; ++row) {
      if (row == c.row) continue;
      const int from = row < c.row ? row : row - 1;  // rows below the new one moved down by one
      EXPECT_EQ(table.rows[row][1], before.rows[from][1]) << c.score << " row " << row;
    }
    for (int row = 0; row < kHighScoreRows; ++row) {
      EXPECT_EQ(table.rows[row][0], before.rows[row][0]);
      EXPECT_EQ(table.rows[row][2], before.rows[row][2]);
    }
  }
}

TEST(InsertScore, IgnoresADifficultyTheTableDoesNotHave) {
  for (const int column : {-1, 3}) {
    HighScoreTable table = LadderTable();
    int tableLowScore = 77;
    EXPECT_EQ(InsertScore(table, 5000, "x", "", "", column, tableLowScore), kNoHighScoreRow);
    EXPECT_EQ(table, LadderTable());
    EXPECT_EQ(tableLowScore, 77);
  }
}

TEST(SettingsSummary, DescribesTheGameSettings) {
  EXPECT_EQ(SettingsSummary(Settings{}, "1024X768", 1024, 768), "5.0,1024X768,1024X768,Dual Analog,0,0,0,0,0");

  Settings settings;
  settings.controlType = ControlType::Joypad;
  settings.joypadMode = 1;
  settings.scroll = 1;
  settings.gfxSet = 4;
  settings.gridStyle = 20;
  settings.autofire = 1;
  settings.inertia = 0.9f;
  EXPECT_EQ(SettingsSummary(settings, "800X600", 1600, 1200), "5.0,800X600,1600X1200,Joypad-1,1,4,20,1,89");

  settings.controlType = ControlType::Hybrid;
  settings.hybridMode = 2;
  EXPECT_EQ(SettingsSummary(settings, "640X480", 640, 480), "5.0,640X480,640X480,Hybrid-2,1,4,20,1,89");
  settings.controlType = ControlType::Mouse;
  settings.inertia = 0.5f;
  EXPECT_EQ(SettingsSummary(settings, "640X480", 640, 480), "5.0,640X480,640X480,Mouse,1,4,20,1,50");
}

TEST(FormatPlayTime, CountsHoursMinutesAndSecondsOfFiftyFrames) {
  struct Case {
    int frames;
    std::string_view text;
  };
  const Case cases[] = {
      {50, "1 sec"},
      {250, "5 secs"},
      {3050, "1 mn, 1 sec"},
      {6050, "2 mns, 1 sec"},
      {0, ""},
      {49, ""},
      {-100, ""},
      {3000, "1 mn, 0 sec"},
      {180000, "1 hr, 0 mn, 0 sec"},
      {366150, "2 hrs, 2 mns, 3 secs"},
      {std::numeric_limits<int>::max(), "11930 hrs, 27 mns, 52 secs"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatPlayTime(c.frames), c.text) << c.frames;
}

class HighScoreFileOnDisk : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(folder.Made()); }
  TempFolder folder;
};

TEST_F(HighScoreFileOnDisk, MissingFileGivesTheDefaults) {
  HighScoreTable table = PlayedTable();
  EXPECT_FALSE(LoadHighScores(folder.File("hiscores.dat"), table));
  EXPECT_EQ(table, Defaults());
}

TEST_F(HighScoreFileOnDisk, SavedTableIsLoadedAtTheNextStart) {
  const HighScoreTable saved = PlayedTable();
  ASSERT_TRUE(SaveHighScores(folder.File("hiscores.dat"), saved));
  HighScoreTable table;
  EXPECT_TRUE(LoadHighScores(folder.File("hiscores.dat"), table));
  EXPECT_EQ(table, saved);
}

TEST_F(HighScoreFileOnDisk, DamagedFileGivesTheDefaults) {
  WriteBytes(folder.File("hiscores.dat"), "12\r\n\r\nA\r\n\r\n165\r\n");
  HighScoreTable table;
  EXPECT_FALSE(LoadHighScores(folder.File("hiscores.dat"), table));
  EXPECT_EQ(table, Defaults());
}

TEST_F(HighScoreFileOnDisk, SaveIntoAMissingFolderFails) {
  EXPECT_FALSE(SaveHighScores(folder.File("gone/hiscores.dat"), Defaults()));
}

}  // namespace
}  // namespace qv
