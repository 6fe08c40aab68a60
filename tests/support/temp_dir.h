// A fresh temporary folder that becomes the working folder for the test's lifetime, since the game
// reads and writes its files in the working folder.
#pragma once

#include <filesystem>
#include <string>

namespace qv::test {

class TempWorkDir {
 public:
  TempWorkDir() {
    old_ = std::filesystem::current_path();
    std::string pattern = (std::filesystem::temp_directory_path() / "quorvax-test-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
    std::filesystem::current_path(path_);
  }
  ~TempWorkDir() {
    std::error_code ec;
    std::filesystem::current_path(old_, ec);
    std::filesystem::remove_all(path_, ec);
  }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path old_;
  std::filesystem::path path_;
};

}  // namespace qv::test
