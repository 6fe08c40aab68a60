// A program folder that cannot be written (a read-only install, a full disk): the program starts, plays
// and leaves with status 0, the player's files stay exactly as they were, and one line on stderr names
// the files that could not be saved and the folder.
//
// Permissions do not bind the superuser, so the read-only folder is tried as the unprivileged user
// "nobody" when the tests run as root. A folder where no temporary file can be made stands in for a
// full disk and works for any user.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>

#include "platform/headless/headless_platform.h"
#include "platform/text_file.h"
#include "scoring/high_scores.h"
#include "settings/colours.h"
#include "settings/config_file.h"
#include "shell/game.h"
#include "shell/program.h"
#include "support/temp_dir.h"
#include "support/unprivileged.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

// The program with a game started by Space and the window closed a few hundred frames later. The
// child's exit status: 0 when it ran as it should, otherwise which part went wrong.
int RunAGame() {
  HeadlessPlatform hp;
  hp.input.TapKey(5, kKeySpace);
  hp.input.RequestQuit(400);
  auto game = std::make_unique<Game>(hp.platform);
  int playFrames = 0;
  hp.backend.onPresent = [&] { playFrames += game->state.startRequested && !game->state.shipInactive; };
  if (RunProgram(*game) != 0) return 1;
  return playFrames > 100 ? 0 : 2;
}

std::map<std::string, std::string> FolderContents(const fs::path& folder) {
  std::map<std::string, std::string> contents;
  for (const auto& entry : fs::directory_iterator(folder)) {
    const std::optional<std::string> bytes = ReadFileBytes(entry.path().string());
    contents[entry.path().filename().string()] = bytes ? *bytes : "(not a file)";
  }
  return contents;
}

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

enum class Obstacle { ReadOnlyFolder, NoRoomForTemporaryFiles };

struct UnwritableCase {
  const char* name;
  bool playersFiles;  // false: the first run, nothing saved before
  Obstacle obstacle;
};

class UnwritableFolder : public testing::TestWithParam<UnwritableCase> {
 protected:
  ~UnwritableFolder() override { ::chmod(dir.path().c_str(), 0755); }  // so it can be removed
  test::TempWorkDir dir;
};

TEST_P(UnwritableFolder, TheProgramPlaysAndLeavesCleanlySayingOnceWhatWasNotSaved) {
  const UnwritableCase c = GetParam();
  if (c.playersFiles) {
    Settings settings;
    settings.starCount = 777;
    StatusMessage status;
    ASSERT_TRUE(SaveConfig("Config.txt", settings, status));
    ASSERT_TRUE(SaveColours("Colours.txt", ColourTable{}, status));
    HighScoreTable scores;
    BuildDefaultHighScores(scores);
    ASSERT_TRUE(SaveHighScores("hiscores.dat", scores));
  }
  if (c.obstacle == Obstacle::NoRoomForTemporaryFiles) {
    for (const char* file : {"Config.txt", "Colours.txt", "hiscores.dat"}) fs::create_directory(TemporaryPathFor(file));
  }
  const auto before = FolderContents(dir.path());
  const fs::path stderrPath = dir.path().parent_path() / (dir.path().filename().string() + ".stderr");

  const bool readOnly = c.obstacle == Obstacle::ReadOnlyFolder;
  if (readOnly) test::LetNobodyIn(dir.path(), false);
  const int result = test::RunInChild(RunAGame, stderrPath.string(), readOnly);
  const std::string said = ReadAll(stderrPath);
  fs::remove(stderrPath);
  if (result == test::kCouldNotDropPrivileges) GTEST_SKIP() << "cannot run as an unprivileged user here";

  EXPECT_EQ(result, 0) << "1: the exit status was not 0; 2: no game was played";
  EXPECT_EQ(said, "quorvax: could not save Config.txt, Colours.txt, hiscores.dat in " + dir.path().string() + "\n");
  EXPECT_EQ(FolderContents(dir.path()), before) << "nothing in the folder may change";
}

const UnwritableCase kCases[] = {
    {"ReadOnlyFolderWithThePlayersFiles", true, Obstacle::ReadOnlyFolder},
    {"ReadOnlyFolderOnTheFirstRun", false, Obstacle::ReadOnlyFolder},
    {"NoRoomForTemporaryFiles", true, Obstacle::NoRoomForTemporaryFiles},
};

INSTANTIATE_TEST_SUITE_P(Each, UnwritableFolder, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<UnwritableCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace qv
