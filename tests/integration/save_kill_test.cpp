// A save must survive being killed at any moment: a child process saves "Config.txt", "Colours.txt" and
// "hiscores.dat" over and over with changing contents, and is killed with SIGKILL hundreds of times at
// random moments. After every kill each file must be one complete version, the one seen before or a
// newer one, byte for byte, and only the one temporary file per target that a save uses may be left.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <filesystem>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "kill/generations.h"
#include "platform/text_file.h"
#include "support/temp_dir.h"

extern char** environ;

namespace qv {
namespace {

using kill_test::kSavedFiles;

struct Child {
  pid_t pid = -1;
  int out = -1;  // the read end of the child's standard output: a byte per generation saved
};

Child StartSaver(const std::string& folder, int firstGeneration) {
  int fds[2];
  if (::pipe2(fds, O_CLOEXEC) != 0) return {};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
  const std::string generation = std::to_string(firstGeneration);
  char* argv[] = {const_cast<char*>(QV_SAVE_LOOP_TOOL), const_cast<char*>(folder.c_str()),
                  const_cast<char*>(generation.c_str()), nullptr};
  Child child;
  if (posix_spawn(&child.pid, QV_SAVE_LOOP_TOOL, &actions, nullptr, argv, environ) != 0) child.pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  ::close(fds[1]);
  child.out = fds[0];
  return child;
}

// Reads what the pipe holds, up to its end (the child is dead when this is called); the byte count.
int DrainTicks(int fd) {
  int ticks = 0;
  char buffer[4096];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n > 0) {
      ticks += static_cast<int>(n);
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else {
      return ticks;
    }
  }
}

std::string ReadWhole(const std::filesystem::path& path) {
  const std::optional<std::string> bytes = ReadFileBytes(path.string());
  return bytes ? *bytes : std::string();
}

TEST(SaveKill, EveryFileIsAlwaysACompleteOldOrNewVersionAndNoTemporaryFilesPileUp) {
  test::TempWorkDir dir;
  const std::string folder = dir.path().string();
  ASSERT_TRUE(kill_test::SaveGeneration(folder, 0));

  std::set<std::string> allowed;
  for (const auto& file : kSavedFiles) {
    allowed.insert(std::string(file.name));
    allowed.insert(TemporaryPathFor(std::string(file.name)));
  }

  std::mt19937 random(20240611);
  std::array<int, std::size(kSavedFiles)> seen{};  // the newest generation of each file seen so far
  int nextGeneration = 1;
  int interrupted = 0;  // kills that left a save half done (its temporary file still there)
  // How long one generation of saves takes here, measured as the test goes, to spread the kills over
  // the whole of a generation.
  double microsPerGeneration = 2000.0;
  long long measuredMicros = 0, measuredGenerations = 0;

  constexpr int kKills = 500;
  for (int kill = 0; kill < kKills; ++kill) {
    const Child child = StartSaver(folder, nextGeneration);
    ASSERT_GT(child.pid, 0);
    char tick = 0;
    ASSERT_EQ(::read(child.out, &tick, 1), 1) << "the saver did not start";
    // The moment of the kill: somewhere in the first generation the child saves, or now and then in the
    // one after it. (Saves flush to the disk, so whole generations are kept few to keep the test short.)
    const int wholeGenerations = std::bernoulli_distribution(0.25)(random) ? 1 : 0;
    const auto start = std::chrono::steady_clock::now();
    for (int g = 0; g < wholeGenerations; ++g) ASSERT_EQ(::read(child.out, &tick, 1), 1);
    if (wholeGenerations > 0) {
      measuredMicros +=
          std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start).count();
      measuredGenerations += wholeGenerations;
      microsPerGeneration = std::max(50.0, static_cast<double>(measuredMicros) / measuredGenerations);
    }
    std::uniform_real_distribution<double> within(0.0, 1.2 * microsPerGeneration);
    std::this_thread::sleep_for(std::chrono::microseconds(static_cast<long long>(within(random))));
    ::kill(child.pid, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child.pid, &status, 0), child.pid);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "the saver stopped by itself: " << status;
    const int saved = wholeGenerations + DrainTicks(child.out);
    ::close(child.out);

    // The child may have begun generation nextGeneration + saved, but none after it.
    const int newestPossible = nextGeneration + saved;
    bool halfDone = false;
    for (std::size_t f = 0; f < std::size(kSavedFiles); ++f) {
      const auto& file = kSavedFiles[f];
      const std::filesystem::path path = dir.path() / file.name;
      ASSERT_TRUE(std::filesystem::is_regular_file(path)) << file.name << " is missing after kill " << kill;
      const std::string text = ReadWhole(path);
      const int generation = file.generation(text);
      ASSERT_GE(generation, seen[f]) << file.name << " went back to an older version after kill " << kill;
      ASSERT_LE(generation, newestPossible) << file.name << " after kill " << kill;
      ASSERT_EQ(text, file.text(generation)) << file.name << " is not a complete version after kill " << kill;
      seen[f] = generation;
      halfDone = halfDone || std::filesystem::exists(dir.path() / TemporaryPathFor(std::string(file.name)));
    }
    interrupted += halfDone;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
      ASSERT_TRUE(allowed.count(entry.path().filename().string()))
          << "stray file " << entry.path().filename() << " after kill " << kill;
    }
    nextGeneration = *std::max_element(seen.begin(), seen.end()) + 1;
  }

  // The kills must have hit saves in the middle, and the saves must have got somewhere between them;
  // otherwise this test proved nothing.
  EXPECT_GT(interrupted, kKills / 10);
  EXPECT_GT(nextGeneration, kKills / 5);

  // The next save takes over whatever temporary file the last kill left.
  ASSERT_TRUE(kill_test::SaveGeneration(folder, nextGeneration));
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir.path())) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"Colours.txt", "Config.txt", "hiscores.dat"}));
  for (const auto& file : kSavedFiles) EXPECT_EQ(ReadWhole(dir.path() / file.name), file.text(nextGeneration));
}

}  // namespace
}  // namespace qv
