#include "platform/text_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace qv {
namespace {

// Closes a descriptor on every path out of a function.
class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  int Release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
  }
  bool ok() const { return fd_ >= 0; }
  void Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }

 private:
  int fd_;
};

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// Opens the temporary file of a save, creating it if need be, and locks it against another copy of the
// game saving the same file at the same moment. The lock is taken on the file the name pointed to; should
// another saver have renamed that file over its target in the meantime, the name is opened afresh.
// Returns the descriptor, or -1 when the temporary file cannot be made (an unwritable folder, or
// something that is not a plain file standing in its place).
int OpenLockedTemporary(const std::string& temp) {
  for (int attempt = 0; attempt < 16; ++attempt) {
    // O_NONBLOCK: a pipe standing in the temporary file's place fails at once instead of waiting for a
    // reader. It changes nothing for a plain file.
    Fd fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0666));
    if (!fd.ok()) return -1;
    struct stat held {};
    if (::fstat(fd.get(), &held) != 0 || !S_ISREG(held.st_mode)) return -1;
    // A folder whose file system has no locks is written unlocked.
    while (::flock(fd.get(), LOCK_EX) != 0 && errno == EINTR) {
    }
    struct stat named {};
    if (::lstat(temp.c_str(), &named) == 0 && named.st_dev == held.st_dev && named.st_ino == held.st_ino) {
      return fd.Release();
    }
  }
  return -1;
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

}  // namespace

std::string TemporaryPathFor(const std::string& path) { return path + ".tmp"; }

std::optional<std::string> ReadFileBytes(const std::string& path, std::size_t maxBytes) {
  // O_NONBLOCK: a pipe in the file's place is refused below instead of waiting for a writer forever.
  Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (!fd.ok()) return std::nullopt;
  struct stat info {};
  if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  if (static_cast<unsigned long long>(info.st_size) > maxBytes) return std::nullopt;

  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(info.st_size));
  char chunk[16384];
  for (;;) {
    const ssize_t n = ::read(fd.get(), chunk, sizeof chunk);
    if (n < 0) {
      if (errno == EINTR) continue;
      return std::nullopt;
    }
    if (n == 0) break;
    // the file may grow while it is read; the cap still holds
    if (bytes.size() + static_cast<std::size_t>(n) > maxBytes) return std::nullopt;
    bytes.append(chunk, static_cast<std::size_t>(n));
  }
  return bytes;
}

bool WriteFileAtomic(const std::string& path, std::string_view bytes) {
  // A file the player made read-only stays as it is, just as writing into it in place would fail.
  struct stat old {};
  const bool replacing = ::stat(path.c_str(), &old) == 0;
  if (replacing && ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) return false;

  const std::string temp = TemporaryPathFor(path);
  Fd fd(OpenLockedTemporary(temp));
  if (!fd.ok()) return false;
  // The new file keeps the old one's permissions, so a private file stays private.
  const bool keepMode = replacing && S_ISREG(old.st_mode);
  const bool saved = ::ftruncate(fd.get(), 0) == 0 && WriteAll(fd.get(), bytes) &&
                     (!keepMode || ::fchmod(fd.get(), old.st_mode & 07777) == 0) && ::fsync(fd.get()) == 0 &&
                     ::rename(temp.c_str(), path.c_str()) == 0;
  if (!saved) ::unlink(temp.c_str());
  // The lock is let go only now: until the rename, no other saver may take the temporary file over.
  fd.Close();
  if (!saved) return false;

  // Make the rename itself durable; the new file is already complete, so a failure here changes nothing.
  Fd folder(::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.ok()) ::fsync(folder.get());
  return true;
}

std::string LineReader::Next() {
  if (AtEnd()) return {};
  std::size_t end = text_.find('\n', pos_);
  if (end == std::string_view::npos) end = text_.size();
  std::string line(text_.substr(pos_, end - pos_));
  pos_ = end + 1;
  std::erase(line, '\r');
  return line;
}

void LineWriter::Line(std::string_view line) {
  text_.append(line);
  text_.append("\r\n");
}

void LineWriter::Line(int value) { Line(std::to_string(value)); }

}  // namespace qv
