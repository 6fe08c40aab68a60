// The generated sound files, checked by numbers: each one a valid WAV the game can load, of a sensible
// length, audible, not clipped, and shaped like the event it stands for.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "audio/sound_files.h"

namespace qv {
namespace {

const std::string kSoundFolder = QV_BUILD_DIR "/sounds/";

struct WavFile {
  bool valid = false;
  std::string problem;
  int rate = 0;
  std::size_t fileBytes = 0;
  std::vector<std::int16_t> pcm;
};

std::uint32_t Le(const std::vector<unsigned char>& b, std::size_t at, int bytes) {
  std::uint32_t value = 0;
  for (int i = bytes - 1; i >= 0; --i) value = (value << 8) | b[at + static_cast<std::size_t>(i)];
  return value;
}

// Reads the one layout the game's sounds use: RIFF/WAVE with 16-bit mono PCM. Any chunk order is
// accepted, unknown chunks are skipped.
WavFile ReadWav(const std::string& path) {
  WavFile wav;
  std::ifstream in(path, std::ios::binary);
  const std::vector<unsigned char> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  wav.fileBytes = b.size();
  auto fail = [&](const std::string& why) {
    wav.problem = why;
    return wav;
  };
  if (b.size() < 12 || std::string(b.begin(), b.begin() + 4) != "RIFF" ||
      std::string(b.begin() + 8, b.begin() + 12) != "WAVE") {
    return fail("not a RIFF/WAVE file");
  }
  if (Le(b, 4, 4) != b.size() - 8) return fail("RIFF size does not match the file");
  bool haveFormat = false;
  for (std::size_t at = 12; at + 8 <= b.size();) {
    const std::string id(b.begin() + static_cast<long>(at), b.begin() + static_cast<long>(at) + 4);
    const std::size_t size = Le(b, at + 4, 4);
    if (size > b.size() - at - 8) return fail("chunk '" + id + "' runs past the end");
    if (id == "fmt ") {
      if (size < 16) return fail("short fmt chunk");
      if (Le(b, at + 8, 2) != 1) return fail("not PCM");
      if (Le(b, at + 10, 2) != 1) return fail("not mono");
      wav.rate = static_cast<int>(Le(b, at + 12, 4));
      if (Le(b, at + 16, 4) != static_cast<std::uint32_t>(wav.rate) * 2 || Le(b, at + 20, 2) != 2) {
        return fail("byte rate or block size inconsistent");
      }
      if (Le(b, at + 22, 2) != 16) return fail("not 16-bit");
      haveFormat = true;
    } else if (id == "data") {
      if (!haveFormat) return fail("data before fmt");
      for (std::size_t i = 0; i + 1 < size; i += 2) {
        wav.pcm.push_back(static_cast<std::int16_t>(Le(b, at + 8 + i, 2)));
      }
    }
    at += 8 + size + (size & 1);
  }
  if (!haveFormat || wav.pcm.empty()) return fail("no format or no samples");
  wav.valid = true;
  return wav;
}

double Db(double share) { return share > 0.0 ? 20.0 * std::log10(share) : -120.0; }
double Ms(const WavFile& w) { return 1000.0 * static_cast<double>(w.pcm.size()) / w.rate; }

double PeakDb(const std::vector<std::int16_t>& pcm) {
  int peak = 0;
  for (const int s : pcm) peak = std::max(peak, std::abs(s));
  return Db(peak / 32768.0);
}

double RmsDb(const std::vector<std::int16_t>& pcm, std::size_t from = 0, std::size_t to = SIZE_MAX) {
  to = std::min(to, pcm.size());
  double sum = 0.0;
  for (std::size_t i = from; i < to; ++i) sum += (pcm[i] / 32768.0) * (pcm[i] / 32768.0);
  return to > from ? Db(std::sqrt(sum / static_cast<double>(to - from))) : -120.0;
}

// How bright a stretch sounds: the energy of the sample-to-sample steps against the energy of the
// samples. For a sine it grows with the frequency; for noise, with the filter's cutoff.
double Brightness(const std::vector<std::int16_t>& pcm, std::size_t from, std::size_t to) {
  double steps = 0.0, level = 0.0;
  for (std::size_t i = std::max<std::size_t>(from, 1); i < to; ++i) {
    const double d = static_cast<double>(pcm[i]) - pcm[i - 1];
    steps += d * d;
    level += static_cast<double>(pcm[i]) * pcm[i];
  }
  return level > 0.0 ? std::sqrt(steps / level) : 0.0;
}

// The audible stretch: up to the last sample within 30 dB of the peak.
std::size_t AudibleEnd(const std::vector<std::int16_t>& pcm) {
  int peak = 0;
  for (const int s : pcm) peak = std::max(peak, std::abs(s));
  const double floor = peak * std::pow(10.0, -30.0 / 20.0);
  std::size_t end = pcm.size();
  while (end > 0 && std::abs(pcm[end - 1]) < floor) --end;
  return end;
}

class SoundFiles : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    files_ = new std::map<std::string, WavFile>;
    for (const SoundFile& entry : kSoundFiles) (*files_)[entry.file] = ReadWav(kSoundFolder + entry.file);
  }
  static void TearDownTestSuite() {
    delete files_;
    files_ = nullptr;
  }
  static const WavFile& Of(Sound sound) { return files_->at(SoundFileOf(sound).file); }
  static std::map<std::string, WavFile>* files_;
};

std::map<std::string, WavFile>* SoundFiles::files_ = nullptr;

TEST_F(SoundFiles, EveryBankFileIsAValidMonoPcmWav) {
  for (const auto& [name, wav] : *files_) {
    EXPECT_TRUE(wav.valid) << name << ": " << wav.problem;
    EXPECT_TRUE(wav.rate == 22050 || wav.rate == 44100) << name << " at " << wav.rate << " Hz";
  }
  // Two files that differ only in case, and one file shared by two entries.
  EXPECT_EQ(files_->size(), 36u);
  EXPECT_NE(Of(Sound::Explo1).pcm, Of(Sound::Explo1Big).pcm);
}

TEST_F(SoundFiles, LengthsSuitAnArcadeGame) {
  int underHalfASecond = 0;
  std::size_t totalBytes = 0;
  for (const auto& [name, wav] : *files_) {
    ASSERT_TRUE(wav.valid) << name;
    EXPECT_GE(Ms(wav), 30.0) << name;
    EXPECT_LE(Ms(wav), 2000.0) << name;
    if (Ms(wav) < 500.0) ++underHalfASecond;
    totalBytes += wav.fileBytes;
  }
  EXPECT_GT(underHalfASecond, static_cast<int>(files_->size()) / 2);
  EXPECT_LT(totalBytes, 4u << 20);
}

TEST_F(SoundFiles, EveryFileIsAudibleAndBelowFullScale) {
  for (const auto& [name, wav] : *files_) {
    ASSERT_TRUE(wav.valid) << name;
    EXPECT_GT(RmsDb(wav.pcm), -35.0) << name << " is all but silent";
    EXPECT_LT(PeakDb(wav.pcm), -1.0) << name << " reaches full scale";
  }
}

TEST_F(SoundFiles, NoTwoFilesAreTheSameSound) {
  std::set<std::vector<std::int16_t>> seen;
  for (const auto& [name, wav] : *files_) EXPECT_TRUE(seen.insert(wav.pcm).second) << name << " repeats another file";
}

TEST_F(SoundFiles, ShotsAreShortAndLight) {
  for (const Sound shot : {Sound::ShotBorn, Sound::ShotWall}) {
    const WavFile& wav = Of(shot);
    EXPECT_LT(Ms(wav), 120.0) << SoundFileOf(shot).file;
    EXPECT_LT(PeakDb(wav.pcm), -9.0) << SoundFileOf(shot).file;
  }
}

TEST_F(SoundFiles, TheBombIsBig) {
  const WavFile& bomb = Of(Sound::Explo1);
  EXPECT_GE(Ms(bomb), 1000.0);
  EXPECT_GT(RmsDb(bomb.pcm), RmsDb(Of(Sound::QuarkHit).pcm) + 3.0);
}

TEST_F(SoundFiles, SweepsGoTheWayTheirEventsDo) {
  struct Case {
    Sound sound;
    bool rises;
  };
  const Case cases[] = {
      {Sound::Explo1, false},    {Sound::Explo1Big, false}, {Sound::SunExp, false},  {Sound::Die1, false},
      {Sound::GenKilled1, false}, {Sound::QuarkHit, false},  {Sound::QuarkHit2, false}, {Sound::GameOver, false},
      {Sound::Bonus2, true},     {Sound::Sun1, true},
  };
  for (const Case& c : cases) {
    const WavFile& wav = Of(c.sound);
    ASSERT_TRUE(wav.valid);
    const std::size_t end = AudibleEnd(wav.pcm);
    const double early = Brightness(wav.pcm, 0, end / 3);
    const double late = Brightness(wav.pcm, end - end / 3, end);
    if (c.rises) {
      EXPECT_GT(late, early * 1.3) << SoundFileOf(c.sound).file;
    } else {
      EXPECT_LT(late, early / 1.3) << SoundFileOf(c.sound).file;
    }
  }
}

TEST_F(SoundFiles, TheHumLoopsWithoutAClick) {
  const std::vector<std::int16_t>& pcm = Of(Sound::BondLoop).pcm;
  ASSERT_GT(pcm.size(), 100u);
  // Around the loop the wave must carry on as it does everywhere else: the step from the last sample
  // back to the first, and the bend at that point, no bigger than inside the file.
  int biggestStep = 0, biggestBend = 0;
  for (std::size_t i = 2; i < pcm.size(); ++i) {
    biggestStep = std::max(biggestStep, std::abs(pcm[i] - pcm[i - 1]));
    biggestBend = std::max(biggestBend, std::abs(pcm[i] - 2 * pcm[i - 1] + pcm[i - 2]));
  }
  const std::size_t n = pcm.size();
  EXPECT_LE(std::abs(pcm[0] - pcm[n - 1]), biggestStep);
  EXPECT_LE(std::abs(pcm[0] - 2 * pcm[n - 1] + pcm[n - 2]), biggestBend);
  EXPECT_LE(std::abs(pcm[1] - 2 * pcm[0] + pcm[n - 1]), biggestBend);
  // And it holds steady: no swell or fade from one end of the loop to the other.
  EXPECT_NEAR(RmsDb(pcm, 0, n / 4), RmsDb(pcm, n - n / 4, n), 2.0);
}

}  // namespace
}  // namespace qv
