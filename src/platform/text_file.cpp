#include "platform/text_file.h"

#include <fcntl.h>
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
  bool ok() const { return fd_ >= 0; }
  // Closes now and reports whether the close succeeded (a late write error can surface here).
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
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

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

}  // namespace

std::optional<std::string> ReadFileBytes(const std::string& path, std::size_t maxBytes) {
  Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
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
  // One game writes its own files; the process id keeps two running copies from sharing a temp name.
  const std::string temp = path + ".tmp" + std::to_string(::getpid());
  Fd fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0666));
  if (!fd.ok()) return false;

  const bool written = WriteAll(fd.get(), bytes) && ::fsync(fd.get()) == 0;
  const bool closed = fd.Close();
  if (!written || !closed || ::rename(temp.c_str(), path.c_str()) != 0) {
    ::unlink(temp.c_str());
    return false;
  }

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
