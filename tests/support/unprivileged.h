// File permissions do not bind the superuser, and CI runs as root. A test of what the game does with a
// file or folder it may not write runs its body here: in a child process that, when the tests run as
// root, first becomes the unprivileged user "nobody". The folders the body uses must be reachable by
// that user (see LetNobodyIn).
#pragma once

#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

namespace qv::test {

inline constexpr uid_t kNobody = 65534;
inline constexpr gid_t kNoGroup = 65534;

// What a body run by RunUnprivileged returns when all its checks held, and what the child reports when
// it could not give up its privileges (a container without the right to change users).
inline constexpr int kBodyPassed = 0;
inline constexpr int kCouldNotDropPrivileges = 77;

// Lets the unprivileged user enter and read a folder (and write it too when writable is true); as
// any other user the folder is simply made read-only or writable for its owner.
inline void LetNobodyIn(const std::filesystem::path& folder, bool writable) {
  if (::geteuid() == 0) (void)::chown(folder.c_str(), writable ? kNobody : 0, writable ? kNoGroup : 0);
  (void)::chmod(folder.c_str(), writable ? 0755 : 0555);
}

// Runs body in a child process, with its standard error going to stderrPath when one is given, and
// unprivileged when asked. Returns the body's result (the child's exit status), or
// kCouldNotDropPrivileges.
inline int RunInChild(const std::function<int()>& body, const std::string& stderrPath, bool unprivileged) {
  std::fflush(nullptr);
  const pid_t child = ::fork();
  if (child < 0) return -1;
  if (child == 0) {
    if (!stderrPath.empty()) {
      const int fd = ::open(stderrPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
      if (fd < 0 || ::dup2(fd, STDERR_FILENO) < 0) ::_exit(126);
    }
    if (unprivileged && ::geteuid() == 0) {
      if (::setgroups(0, nullptr) != 0 || ::setgid(kNoGroup) != 0 || ::setuid(kNobody) != 0) {
        ::_exit(kCouldNotDropPrivileges);
      }
    }
    ::_exit(body());
  }
  int status = 0;
  if (::waitpid(child, &status, 0) != child) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

inline int RunUnprivileged(const std::function<int()>& body, const std::string& stderrPath = "") {
  return RunInChild(body, stderrPath, true);
}

}  // namespace qv::test
