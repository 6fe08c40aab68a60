#include "settings/colours.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "temp_folder.h"

namespace qv {
namespace {

using test_files::SplitCrLf;
using test_files::TempFolder;
using test_files::WriteBytes;

ColourTable Parsed(std::string_view text) {
  ColourTable table;
  ParseColours(text, table);
  return table;
}

TEST(ColourFile, DefaultFileHasFourLinesPerEntryStartingWithSquares) {
  const std::vector<std::string> lines = SplitCrLf(FormatColours(ColourTable{}));
  ASSERT_EQ(lines.size(), 76u);
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 4),
            (std::vector<std::string>{"squares", "32", "255", "32"}));
  EXPECT_EQ(std::vector<std::string>(lines.end() - 4, lines.end()),
            (std::vector<std::string>{"trail", "240", "240", "100"}));
  EXPECT_EQ(lines[8 * 4], "snake head");
}

TEST(ColourFile, SavedTableLoadsBackAndNamesPlayNoPart) {
  ColourTable saved;
  for (int i = 0; i < kColourSlotCount; ++i) saved.colours[static_cast<std::size_t>(i)] = {i, 100 + i, 300 - i};
  std::string text = FormatColours(saved);
  EXPECT_EQ(Parsed(text).colours, saved.colours);

  // Rename every entry: the file still loads by position.
  std::vector<std::string> lines = SplitCrLf(text);
  std::string renamed;
  for (std::size_t i = 0; i < lines.size(); ++i) renamed += (i % 4 == 0 ? "whatever" : lines[i]) + "\r\n";
  EXPECT_EQ(Parsed(renamed).colours, saved.colours);
}

TEST(ColourFile, EmptyTextSetsEveryComponentToZero) {
  for (const Rgb& colour : Parsed("").colours) EXPECT_EQ(colour, (Rgb{0, 0, 0}));
}

TEST(ColourFile, DeletedLineShiftsEveryLaterValue) {
  const std::string text = FormatColours(ColourTable{});
  const ColourTable table = Parsed(text.substr(text.find('\n') + 1));  // without "squares"
  EXPECT_EQ(table[kSquareColour], (Rgb{255, 32, 0}));     // 32 taken as the name, "pinwheels" as blue
  EXPECT_EQ(table[kPinwheelColour], (Rgb{64, 255, 0}));   // 200 taken as the name
  EXPECT_EQ(table[kTrailColour], (Rgb{240, 100, 0}));     // the last line is missing
}

TEST(ColourFile, ComponentsAreKeptAsReadAndReadLeniently) {
  const ColourTable table = Parsed("x\n300\n-5\n$10\nx\n 7 apples\n\ngreen\n");
  EXPECT_EQ(table[kSquareColour], (Rgb{300, -5, 16}));
  EXPECT_EQ(table[kPinwheelColour], (Rgb{7, 0, 0}));
}

class ColourFileOnDisk : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(folder.Made()); }
  TempFolder folder;
  StatusMessage status;
};

TEST_F(ColourFileOnDisk, MissingFileKeepsTheColours) {
  ColourTable table;
  table[kBombColour] = {1, 2, 3};
  const ColourTable before = table;
  EXPECT_FALSE(LoadColours(folder.File("Colours.txt"), table, status));
  EXPECT_EQ(table.colours, before.colours);
  EXPECT_EQ(status.statusMessage, "Colour file load failed.");
  EXPECT_EQ(status.statusMessageFrames, 120);
}

TEST_F(ColourFileOnDisk, SaveThenLoadReportsBothAndRestoresTheTable) {
  ColourTable saved;
  saved[kTrailColour] = {9, 8, 7};
  ASSERT_TRUE(SaveColours(folder.File("Colours.txt"), saved, status));
  EXPECT_EQ(status.statusMessage, "Colour file saved.");

  ColourTable loaded;
  ASSERT_TRUE(LoadColours(folder.File("Colours.txt"), loaded, status));
  EXPECT_EQ(loaded.colours, saved.colours);
  EXPECT_EQ(status.statusMessage, "Colour file loaded.");
}

TEST_F(ColourFileOnDisk, EmptyFileLoads) {
  WriteBytes(folder.File("Colours.txt"), "");
  ColourTable table;
  EXPECT_TRUE(LoadColours(folder.File("Colours.txt"), table, status));
  EXPECT_EQ(table[kPlayerColour], (Rgb{0, 0, 0}));
}

TEST_F(ColourFileOnDisk, FailedSaveLeavesTheMessageAlone) {
  status.Show("Config file saved.");
  EXPECT_FALSE(SaveColours(folder.File("gone/Colours.txt"), ColourTable{}, status));
  EXPECT_EQ(status.statusMessage, "Config file saved.");
}

}  // namespace
}  // namespace qv
