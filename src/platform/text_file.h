// Whole-file reads and crash-safe writes, and the line discipline of the game's text files:
// lines are written with CR LF; a reader ends a line at LF (or at the end of the text) and drops every
// CR, and a line read past the end is empty, so a short file reads as if padded with empty lines.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace qv {

// None of the game's files comes near this size; a bigger one is treated as unreadable rather than
// pulled into memory.
inline constexpr std::size_t kMaxTextFileBytes = 16u << 20;

// The whole content of a regular file, or nothing when it is missing, unreadable, a folder, or larger
// than maxBytes.
std::optional<std::string> ReadFileBytes(const std::string& path,
                                         std::size_t maxBytes = kMaxTextFileBytes);

// Replaces the file at path with bytes so that a crash, a kill or a full disk leaves either the old
// file or the new one, never a truncated mix: the bytes go to the temporary file TemporaryPathFor(path)
// in the same folder, are flushed to the disk, and the temporary file is then renamed over the target.
// On any failure the old file is untouched, the temporary file is removed, and the result is false.
//
// The temporary file's name is fixed, so a save cut short by a kill or a power cut leaves at most one
// stale temporary file beside its target, and the next save of that target takes it over. Two copies of
// the game saving the same file at once take turns (the temporary file is locked while in use).
// A target that exists but may not be written (made read-only) is left alone and the result is false;
// a replaced file keeps its permissions.
bool WriteFileAtomic(const std::string& path, std::string_view bytes);
// "Config.txt" saves through "Config.txt.tmp".
std::string TemporaryPathFor(const std::string& path);

class LineReader {
 public:
  explicit LineReader(std::string_view text) : text_(text) {}

  // The next line without its LF and without any CR; empty once the text is used up.
  std::string Next();
  bool AtEnd() const { return pos_ >= text_.size(); }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

class LineWriter {
 public:
  void Line(std::string_view line);
  void Line(int value);

  const std::string& Text() const { return text_; }

 private:
  std::string text_;
};

}  // namespace qv
