#include "platform/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include "settings/text_values.h"
#include "support/unprivileged.h"
#include "temp_folder.h"

namespace qv {
namespace {

using test_files::ReadBytes;
using test_files::TempFolder;
using test_files::WriteBytes;

std::vector<std::string> AllLines(std::string_view text) {
  LineReader in(text);
  std::vector<std::string> lines;
  while (!in.AtEnd()) lines.push_back(in.Next());
  return lines;
}

TEST(LineReader, EndsLinesAtLineFeedsAndDropsEveryCarriageReturn) {
  struct Case {
    std::string_view text;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"", {}},
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\nb", {"a", "b"}},
      {"\n", {""}},
      {"\r\n\r\n", {"", ""}},
      {"x\ry\r\r\nz", {"xy", "z"}},
      {"\r", {""}},
      {std::string_view("a\0b\n", 4), {std::string("a\0b", 3)}},
  };
  for (const Case& c : cases) EXPECT_EQ(AllLines(c.text), c.lines) << testing::PrintToString(c.text);
}

TEST(LineReader, ReadsEmptyLinesPastTheEnd) {
  LineReader in("only");
  EXPECT_EQ(in.Next(), "only");
  EXPECT_TRUE(in.AtEnd());
  EXPECT_EQ(in.Next(), "");
  EXPECT_EQ(in.Next(), "");
  EXPECT_TRUE(in.AtEnd());
}

TEST(LineWriter, EndsEveryLineWithCrLf) {
  LineWriter out;
  out.Line("[Key Bomb]");
  out.Line(-12);
  out.Line("");
  EXPECT_EQ(out.Text(), "[Key Bomb]\r\n-12\r\n\r\n");
}

TEST(ParseLenientInt, ReadsTheLeadingNumber) {
  struct Case {
    std::string_view text;
    int value;
  };
  const Case cases[] = {
      {"42", 42},
      {"  -12abc", -12},
      {"\t+7", 7},
      {"12 34", 12},
      {"", 0},
      {"abc", 0},
      {"- 5", 0},
      {"0x1A", 0},
      {"$ff", 255},
      {"$FF", 255},
      {"-$10", -16},
      {"$", 0},
      {"$g1", 0},
      {"%101", 5},
      {"%102", 2},
      {"-2147483648", std::numeric_limits<int>::min()},
      // wider numbers wrap modulo 2^32
      {"2147483648", std::numeric_limits<int>::min()},
      {"4294967295", -1},
      {"4294967296", 0},
      {"$FFFFFFFF", -1},
      {"100000000000000000000", 1661992960},
      {"99999999999999999999", 1661992959},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseLenientInt(c.text), c.value) << c.text;
}

TEST(ParseReal, ReadsLikeStrtodButNeverYieldsANonFiniteFloat) {
  struct Case {
    std::string_view text;
    float value;
  };
  const Case cases[] = {
      {"0.949999988", 0.95f},
      {"  -1.5e2", -150.0f},
      {"1.5abc", 1.5f},
      {"+.25", 0.25f},
      {"0x1p-2", 0.25f},
      {"", 0.0f},
      {"abc", 0.0f},
      {"nan", 0.0f},
      {"-nan(1)", 0.0f},
      {"inf", 0.0f},
      {"-Infinity", 0.0f},
      {"1e999", 0.0f},
      {"1e39", 0.0f},  // finite as a double, too big for a float
      {"3.40282347e+38", std::numeric_limits<float>::max()},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseReal(c.text), c.value) << c.text;
}

TEST(FormatReal, WritesNineSignificantDigitsOfTheFloat) {
  struct Case {
    float value;
    std::string_view text;
  };
  const Case cases[] = {
      {0.95f, "0.949999988"}, {0.0f, "0.00000000"},        {1.0f, "1.00000000"},
      {-0.5f, "-0.500000000"}, {0.01f, "0.00999999978"},   {180.0f, "180.000000"},
      {1e-10f, "1.00000001e-10"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatReal(c.value), c.text);
}

TEST(FormatReal, ReadsBackTheSameFloat) {
  for (const float value : {0.95f, 0.1f, -0.33333334f, 1e-38f, 123456.789f, std::numeric_limits<float>::max()}) {
    EXPECT_EQ(ParseReal(FormatReal(value)), value) << FormatReal(value);
  }
}

TEST(ToHundredths, TruncatesTheDecimalValue) {
  struct Case {
    float value;
    int hundredths;
  };
  const Case cases[] = {
      {0.5f, 50},
      {0.85f, 85},
      {0.8399999f, 83},
      {0.53f, 53},  // held as 0.529999971
      {0.59f, 59},
      {0.9f, 90},
      {1.0f, 100},
      {0.0f, 0},
      {-0.05f, -5},
      {-0.8399999f, -83},
      {2.5f, 250},
      {123.456f, 12345},
      {1e-5f, 0},
      {21474836.0f, 2147483600},
      {1e30f, std::numeric_limits<int>::max()},
      {-1e30f, std::numeric_limits<int>::min()},
      {std::numeric_limits<float>::infinity(), std::numeric_limits<int>::max()},
      {std::numeric_limits<float>::quiet_NaN(), 0},
  };
  for (const Case& c : cases) EXPECT_EQ(ToHundredths(c.value), c.hundredths) << c.value;
}

TEST(TruncateToInt, TruncatesTowardZeroAndSaturates) {
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    double value;
    int result;
  };
  const Case cases[] = {
      {1.9, 1},
      {-1.9, -1},
      {2147483647.5, std::numeric_limits<int>::max()},
      {3e9, std::numeric_limits<int>::max()},
      {-3e9, std::numeric_limits<int>::min()},
      {inf, std::numeric_limits<int>::max()},
      {-inf, std::numeric_limits<int>::min()},
      {std::nan(""), 0},
  };
  for (const Case& c : cases) EXPECT_EQ(TruncateToInt(c.value), c.result) << c.value;
}

class TextFileTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(folder.Made()); }
  TempFolder folder;
};

TEST_F(TextFileTest, ReadsEveryByteOfAFile) {
  const std::string bytes("a\r\nb\0\xff", 6);
  WriteBytes(folder.File("f"), bytes);
  EXPECT_EQ(ReadFileBytes(folder.File("f")), bytes);
}

TEST_F(TextFileTest, ReadsNothingFromAMissingFileAFolderOrAnOversizedFile) {
  EXPECT_EQ(ReadFileBytes(folder.File("missing")), std::nullopt);
  EXPECT_EQ(ReadFileBytes(folder.File("")), std::nullopt);
  WriteBytes(folder.File("big"), std::string(100, 'x'));
  EXPECT_EQ(ReadFileBytes(folder.File("big"), 99), std::nullopt);
  EXPECT_EQ(ReadFileBytes(folder.File("big"), 100), std::string(100, 'x'));
}

TEST_F(TextFileTest, AtomicWriteReplacesTheWholeFileAndLeavesNoTemporaryFile) {
  const std::string path = folder.File("Config.txt");
  WriteBytes(path, std::string(1000, 'o'));
  ASSERT_TRUE(WriteFileAtomic(path, "new\r\n"));
  EXPECT_EQ(ReadBytes(path), "new\r\n");
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"Config.txt"});

  ASSERT_TRUE(WriteFileAtomic(path, ""));
  EXPECT_EQ(ReadBytes(path), "");
}

TEST_F(TextFileTest, AtomicWriteIntoAMissingFolderFailsAndLeavesNothing) {
  EXPECT_FALSE(WriteFileAtomic(folder.File("no-such-folder/hiscores.dat"), "x"));
  EXPECT_TRUE(folder.Entries().empty());
}

TEST_F(TextFileTest, AtomicWriteThatCannotReplaceTheTargetKeepsItAndRemovesTheTemporaryFile) {
  // A folder in the target's place cannot be replaced by a file: the rename is the step that fails.
  std::filesystem::create_directory(folder.File("Colours.txt"));
  WriteBytes(folder.File("Colours.txt/inside"), "kept");
  EXPECT_FALSE(WriteFileAtomic(folder.File("Colours.txt"), "x"));
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"Colours.txt"});
  EXPECT_EQ(ReadBytes(folder.File("Colours.txt/inside")), "kept");
}

TEST_F(TextFileTest, ReadsNothingFromAPipeWithoutWaitingForAWriter) {
  const std::string path = folder.File("Config.txt");
  ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
  EXPECT_EQ(ReadFileBytes(path), std::nullopt);
}

TEST_F(TextFileTest, AStaleTemporaryFileLeftByAnInterruptedSaveIsTakenOverByTheNextSave) {
  const std::string path = folder.File("hiscores.dat");
  WriteBytes(path, "old");
  // A save killed half-way: a longer, partial temporary file is left behind.
  WriteBytes(TemporaryPathFor(path), std::string(5000, 'p'));
  ASSERT_TRUE(WriteFileAtomic(path, "new"));
  EXPECT_EQ(ReadBytes(path), "new");
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"hiscores.dat"});
}

TEST_F(TextFileTest, SomethingOtherThanAFileWhereTheTemporaryFileGoesFailsTheSaveAndIsLeftAlone) {
  const std::string path = folder.File("Config.txt");
  WriteBytes(path, "old");
  std::filesystem::create_directory(TemporaryPathFor(path));
  EXPECT_FALSE(WriteFileAtomic(path, "new"));
  EXPECT_EQ(ReadBytes(path), "old");
  EXPECT_TRUE(std::filesystem::is_directory(TemporaryPathFor(path)));

  std::filesystem::remove(TemporaryPathFor(path));
  ASSERT_EQ(::mkfifo(TemporaryPathFor(path).c_str(), 0600), 0);
  EXPECT_FALSE(WriteFileAtomic(path, "new"));  // and does not wait for a reader
  EXPECT_EQ(ReadBytes(path), "old");
}

TEST_F(TextFileTest, AReplacedFileKeepsItsPermissions) {
  const std::string path = folder.File("Config.txt");
  WriteBytes(path, "old");
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  ASSERT_TRUE(WriteFileAtomic(path, "new"));
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST_F(TextFileTest, AFileMadeReadOnlyIsNotReplaced) {
  const std::string path = folder.File("Colours.txt");
  WriteBytes(path, "the player's own colours");
  ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
  // The folder itself may be written: only the file's own permission stops the save.
  test::LetNobodyIn(folder.File(""), true);
  const int result = test::RunUnprivileged([&] { return WriteFileAtomic(path, "new") ? 1 : test::kBodyPassed; });
  if (result == test::kCouldNotDropPrivileges) GTEST_SKIP() << "cannot run as an unprivileged user here";
  EXPECT_EQ(result, test::kBodyPassed) << "the save should have been refused";
  EXPECT_EQ(ReadBytes(path), "the player's own colours");
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"Colours.txt"});
}

// Two copies of the game saving one file at the same moment take turns: whenever the file is read it
// is one of the two complete versions.
TEST_F(TextFileTest, TwoProcessesSavingTheSameFileNeverMixTheirVersions) {
  const std::string path = folder.File("Config.txt");
  const std::string versions[] = {std::string(300000, 'a'), std::string(200000, 'b')};
  ASSERT_TRUE(WriteFileAtomic(path, versions[0]));
  pid_t savers[2];
  for (int i = 0; i < 2; ++i) {
    savers[i] = ::fork();
    ASSERT_GE(savers[i], 0);
    if (savers[i] == 0) {
      for (int n = 0; n < 60; ++n) {
        if (!WriteFileAtomic(path, versions[i])) ::_exit(1);
      }
      ::_exit(0);
    }
  }
  int reads = 0, mixed = 0;
  int status[2] = {-1, -1};
  for (int alive = 2; alive > 0;) {
    const std::optional<std::string> now = ReadFileBytes(path);
    ++reads;
    if (!now || (*now != versions[0] && *now != versions[1])) ++mixed;
    alive = 0;
    for (int i = 0; i < 2; ++i) {
      if (status[i] == -1 && ::waitpid(savers[i], &status[i], WNOHANG) == 0) status[i] = -1;
      alive += status[i] == -1;
    }
  }
  EXPECT_EQ(mixed, 0) << "of " << reads << " reads";
  for (const int s : status) EXPECT_TRUE(WIFEXITED(s) && WEXITSTATUS(s) == 0) << "every save succeeds in its turn";
  EXPECT_TRUE(ReadBytes(path) == versions[0] || ReadBytes(path) == versions[1]);
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"Config.txt"});
}

}  // namespace
}  // namespace qv
