// The OpenAL device for real, rendered by OpenAL Soft's wave-file writer instead of a sound card, so it
// runs the same on a desk and on CI. Each test opens the device, plays, closes it, and then reads what
// the mixer wrote.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "audio/sound_bank.h"
#include "platform/sdl/openal_audio.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

// OpenAL Soft reads its settings once per process, before the first device opens. Each test process
// gets its own folder, so parallel test runs never share an output file.
fs::path TestFolder() {
  static const fs::path folder = fs::temp_directory_path() / ("quorvax_openal_" + std::to_string(getpid()));
  return folder;
}
fs::path OutputFile() { return TestFolder() / "out.wav"; }

class WaveWriterEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    fs::create_directories(TestFolder());
    const fs::path conf = TestFolder() / "alsoft.conf";
    std::ofstream(conf) << "[general]\ndrivers = wave\nchannels = stereo\nfrequency = 44100\nsample-type = int16\n"
                        << "[wave]\nfile = " << OutputFile().string() << "\n";
    setenv("ALSOFT_CONF", conf.c_str(), 1);
    setenv("ALSOFT_DRIVERS", "wave", 1);
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(TestFolder(), ignored);
  }
};
::testing::Environment* const kWaveWriter = ::testing::AddGlobalTestEnvironment(new WaveWriterEnvironment);

void Put(std::ofstream& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.put(static_cast<char>((value >> (8 * i)) & 0xff));
}

// A plain PCM WAV of a sine, for checks that need a known input.
fs::path WriteSine(const std::string& name, double hz, double seconds, int channels = 1, int bits = 16) {
  const fs::path path = TestFolder() / name;
  const int rate = 22050;
  const auto frames = static_cast<std::uint32_t>(seconds * rate);
  const std::uint32_t frameBytes = static_cast<std::uint32_t>(channels * bits / 8);
  std::ofstream out(path, std::ios::binary);
  out.write("RIFF", 4);
  Put(out, 36 + frames * frameBytes, 4);
  out.write("WAVEfmt ", 8);
  Put(out, 16, 4);
  Put(out, 1, 2);
  Put(out, static_cast<std::uint32_t>(channels), 2);
  Put(out, rate, 4);
  Put(out, rate * frameBytes, 4);
  Put(out, frameBytes, 2);
  Put(out, static_cast<std::uint32_t>(bits), 2);
  out.write("data", 4);
  Put(out, frames * frameBytes, 4);
  for (std::uint32_t i = 0; i < frames; ++i) {
    const double v = 0.5 * std::sin(2.0 * M_PI * hz * i / rate);
    for (int c = 0; c < channels; ++c) {
      if (bits == 8) {
        Put(out, static_cast<std::uint32_t>(std::lround(128 + 127 * v)), 1);
      } else {
        Put(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(32767 * v))), 2);
      }
    }
  }
  return path;
}

struct Output {
  int rate = 0;
  std::vector<double> left, right;  // -1..1
};

// The wave writer's file: RIFF/WAVE, 16-bit interleaved stereo (plain or extensible format tag).
Output ReadOutput() {
  Output output;
  std::ifstream in(OutputFile(), std::ios::binary);
  const std::vector<unsigned char> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  auto le = [&](std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | b[at + static_cast<std::size_t>(i)];
    return v;
  };
  int channels = 0, bits = 0;
  for (std::size_t at = 12; at + 8 <= b.size();) {
    const std::string id(b.begin() + static_cast<long>(at), b.begin() + static_cast<long>(at) + 4);
    std::size_t size = le(at + 4, 4);
    if (id == "fmt ") {
      channels = static_cast<int>(le(at + 10, 2));
      output.rate = static_cast<int>(le(at + 12, 4));
      bits = static_cast<int>(le(at + 22, 2));
    } else if (id == "data") {
      size = std::min(size, b.size() - at - 8);
      if (channels != 2 || bits != 16) break;
      for (std::size_t i = 0; i + 3 < size; i += 4) {
        output.left.push_back(static_cast<std::int16_t>(le(at + 8 + i, 2)) / 32768.0);
        output.right.push_back(static_cast<std::int16_t>(le(at + 10 + i, 2)) / 32768.0);
      }
      break;
    }
    at += 8 + size + (size & 1);
  }
  return output;
}

double Rms(const std::vector<double>& x, std::size_t from = 0, std::size_t to = SIZE_MAX) {
  to = std::min(to, x.size());
  double sum = 0.0;
  for (std::size_t i = from; i < to; ++i) sum += x[i] * x[i];
  return to > from ? std::sqrt(sum / static_cast<double>(to - from)) : 0.0;
}

double Db(double share) { return share > 0.0 ? 20.0 * std::log10(share) : -120.0; }

// The frequency of a steady tone, from its rising zero crossings over the stretch where it sounds.
double ToneHz(const std::vector<double>& x, int rate) {
  std::size_t first = 0, last = 0, crossings = 0;
  for (std::size_t i = 1; i < x.size(); ++i) {
    if (x[i - 1] < 0.0 && x[i] >= 0.0 && std::fabs(x[i] - x[i - 1]) > 1e-3) {
      if (crossings == 0) first = i;
      last = i;
      ++crossings;
    }
  }
  return crossings > 2 ? (crossings - 1) * static_cast<double>(rate) / static_cast<double>(last - first) : 0.0;
}

// Runs the game's frame rhythm for a while: one Tick per 20 ms.
void RunFrames(Audio& audio, int frames) {
  for (int i = 0; i < frames; ++i) {
    audio.Tick();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

// The look for a device runs beside the frames: keeps the frame rhythm until it has answered.
bool TickUntilDevice(OpenAlAudio& audio) {
  for (int frame = 0; frame < 1000 && !audio.HasDevice(); ++frame) RunFrames(audio, 1);
  return audio.HasDevice();
}

TEST(OpenAl, OpensTheWaveWriterAndLoadsTheWholeBank) {
  OpenAlAudio audio;
  ASSERT_TRUE(audio.HasDevice());
  EXPECT_GE(audio.Voices(), 16);
  EXPECT_LE(audio.Voices(), 64);
  SoundBank bank(audio);
  EXPECT_EQ(bank.Load(QV_BUILD_DIR "/sounds"), static_cast<int>(kSoundCount));
}

TEST(OpenAl, PlayingEffectsFillsTheOutput) {
  {
    OpenAlAudio audio;
    ASSERT_TRUE(audio.HasDevice());
    SoundBank bank(audio);
    ASSERT_EQ(bank.Load(QV_BUILD_DIR "/sounds"), static_cast<int>(kSoundCount));
    EXPECT_NE(bank.PlaySound(1.0f, -0.3f, 1.0f, Sound::QuarkHit, 1.0f), 0u);
    EXPECT_NE(bank.PlaySound(1.1f, 0.4f, 0.9f, Sound::Bonus1, 1.0f), 0u);
    EXPECT_NE(bank.PlaySound(1.0f, 0.0f, 1.0f, Sound::Explo1, 1.0f), 0u);
    RunFrames(audio, 30);
  }
  const Output output = ReadOutput();
  ASSERT_EQ(output.rate, 44100);
  ASSERT_GT(output.left.size(), 10000u);
  EXPECT_GT(Db(Rms(output.left)), -40.0);
  EXPECT_GT(Db(Rms(output.right)), -40.0);
}

TEST(OpenAl, ALoopingHumPlaysUntilStopped) {
  {
    OpenAlAudio audio;
    ASSERT_TRUE(audio.HasDevice());
    const SampleId hum = audio.LoadSample(QV_BUILD_DIR "/sounds/bondloop.wav", true);  // one second long
    ASSERT_NE(hum, 0u);
    const ChannelId channel = audio.StartPaused(hum);
    ASSERT_NE(channel, 0u);
    EXPECT_FALSE(audio.IsPlaying(channel));
    audio.Resume(channel);
    RunFrames(audio, 75);  // one and a half times round
    EXPECT_TRUE(audio.IsPlaying(channel));
    audio.Stop(channel);
    EXPECT_FALSE(audio.IsPlaying(channel));
    RunFrames(audio, 25);
  }
  const Output output = ReadOutput();
  ASSERT_GT(output.left.size(), static_cast<std::size_t>(output.rate * 1.6));
  // Still humming after the sample's own length, silent once stopped.
  const auto at = [&](double seconds) { return static_cast<std::size_t>(seconds * output.rate); };
  EXPECT_GT(Db(Rms(output.left, at(1.1), at(1.4))), -40.0);
  EXPECT_LT(Db(Rms(output.left, output.left.size() - at(0.15), output.left.size())), -80.0);
}

TEST(OpenAl, RateIsPitchFromAQuarterToFourTimes) {
  const fs::path tone = WriteSine("tone441.wav", 441.0, 0.25);
  for (const float rate : {0.25f, 1.0f, 1.1f, 4.0f}) {
    {
      OpenAlAudio audio;
      ASSERT_TRUE(audio.HasDevice());
      const ChannelId channel = audio.StartPaused(audio.LoadSample(tone.string(), false));
      ASSERT_NE(channel, 0u);
      audio.SetRate(channel, rate);
      audio.Resume(channel);
      RunFrames(audio, 20);
    }
    const Output output = ReadOutput();
    EXPECT_NEAR(ToneHz(output.left, output.rate), 441.0 * rate, 441.0 * rate * 0.03) << "rate " << rate;
  }
}

TEST(OpenAl, PanMovesAMonoSoundBetweenTheSpeakers) {
  const fs::path tone = WriteSine("pan.wav", 441.0, 0.2);
  for (const float pan : {-1.0f, -0.5f, 0.0f, 0.5f, 1.0f}) {
    {
      OpenAlAudio audio;
      ASSERT_TRUE(audio.HasDevice());
      const ChannelId channel = audio.StartPaused(audio.LoadSample(tone.string(), false));
      audio.SetPan(channel, pan);
      audio.Resume(channel);
      RunFrames(audio, 15);
    }
    const Output output = ReadOutput();
    const double balance = Db(Rms(output.right)) - Db(Rms(output.left));  // positive: to the right
    if (pan == 0.0f) {
      EXPECT_NEAR(balance, 0.0, 0.5);
    } else {
      EXPECT_GT(balance * pan, 6.0 * std::fabs(pan)) << "pan " << pan << " balance " << balance << " dB";
    }
  }
}

TEST(OpenAl, VolumeScalesTheOutput) {
  const fs::path tone = WriteSine("loud.wav", 441.0, 0.3);
  auto peakAt = [&](float volume) {
    {
      OpenAlAudio audio;
      const ChannelId channel = audio.StartPaused(audio.LoadSample(tone.string(), false));
      audio.SetVolume(channel, volume);
      audio.Resume(channel);
      RunFrames(audio, 15);
    }
    double peak = 0.0;
    for (const double v : ReadOutput().left) peak = std::max(peak, std::fabs(v));
    return peak;
  };
  const double full = peakAt(1.0f);
  EXPECT_GT(full, 0.05);
  EXPECT_NEAR(peakAt(0.25f) / full, 0.25, 0.03);
  EXPECT_LT(peakAt(0.0f), 1e-4);
}

TEST(OpenAl, AScreenClearingVolleyDoesNotClip) {
  {
    OpenAlAudio audio;
    SoundBank bank(audio);
    ASSERT_EQ(bank.Load(QV_BUILD_DIR "/sounds"), static_cast<int>(kSoundCount));
    // The worst frame of a game at the default effects volume: the bomb, a generator and a wave of
    // kills all at once, every copy the per-frame limit allows, all starting on the same sample.
    const float sfxVolume = 0.5f;
    for (const Sound sound : {Sound::Explo1, Sound::GenKilled1, Sound::Bonus2}) {
      bank.PlaySound(1.0f, 0.0f, 1.0f, sound, sfxVolume);
    }
    for (int copy = 0; copy < 5; ++copy) {
      for (const Sound sound : {Sound::QuarkHit, Sound::QuarkHit2, Sound::ShotWall}) {
        bank.PlaySound(1.0f, 0.0f, 1.0f, sound, sfxVolume);
      }
    }
    RunFrames(audio, 25);
  }
  const Output output = ReadOutput();
  double peak = 0.0;
  for (const double v : output.left) peak = std::max(peak, std::fabs(v));
  EXPECT_GT(peak, 0.1);
  EXPECT_LT(peak, 0.98);
}

TEST(OpenAl, BrokenFilesLoadAsEmptySamples) {
  const fs::path folder = TestFolder();
  std::ofstream(folder / "empty.wav");
  std::ofstream(folder / "garbage.wav") << "this is not a sound at all, just some words";
  {
    std::ifstream good(WriteSine("good.wav", 441.0, 0.1), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(good)), std::istreambuf_iterator<char>());
    std::ofstream(folder / "truncated.wav", std::ios::binary) << bytes.substr(0, 30);
    std::string lying = bytes;
    lying[40] = lying[41] = lying[42] = lying[43] = '\xff';  // data chunk claims 4 GB
    std::ofstream(folder / "lying.wav", std::ios::binary) << lying;
  }
  OpenAlAudio audio;
  for (const char* name : {"missing.wav", "empty.wav", "garbage.wav", "truncated.wav"}) {
    EXPECT_EQ(audio.LoadSample((folder / name).string(), false), 0u) << name;
  }
  // A data size past the end is read as far as the file goes, or refused; either way nothing breaks.
  const SampleId lying = audio.LoadSample((folder / "lying.wav").string(), false);
  EXPECT_EQ(audio.StartPaused(lying) != 0, lying != 0);
  EXPECT_EQ(audio.StartPaused(0), 0u);
  EXPECT_EQ(audio.StartPaused(999), 0u);
  // Other layouts are mixed down to mono 16-bit and play.
  const SampleId stereo8 = audio.LoadSample(WriteSine("stereo8.wav", 441.0, 0.1, 2, 8).string(), false);
  EXPECT_NE(stereo8, 0u);
  ASSERT_TRUE(audio.HasDevice());
  EXPECT_NE(audio.StartPaused(stereo8), 0u);
}

TEST(OpenAl, NoDeviceMeansSilenceNotACrash) {
  ::testing::internal::CaptureStderr();
  OpenAlAudio audio("no such output device");
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_FALSE(audio.HasDevice());
  EXPECT_NE(said.find("sound"), std::string::npos);
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;

  SoundBank bank(audio);
  EXPECT_EQ(bank.Load(QV_BUILD_DIR "/sounds"), static_cast<int>(kSoundCount));
  EXPECT_EQ(bank.PlaySound(1.0f, 0.0f, 1.0f, Sound::Die1, 1.0f), 0u);
  bank.StartHum(0, 0.0f, 1.0f, 1.0f);
  EXPECT_EQ(bank.humChannels[0], 0u);
  bank.StopHums();
  for (int frame = 0; frame < 500; ++frame) audio.Tick();
  EXPECT_FALSE(audio.HasDevice());
}

TEST(OpenAl, ALostDeviceGoesSilentAndComesBack) {
  // Writing into a full disk makes the wave writer report its device disconnected, as an unplugged
  // headset would.
  fs::remove(OutputFile());
  fs::create_symlink("/dev/full", OutputFile());
  OpenAlAudio audio;
  ASSERT_TRUE(audio.HasDevice());
  const SampleId hum = audio.LoadSample(QV_BUILD_DIR "/sounds/bondloop.wav", true);
  const ChannelId channel = audio.StartPaused(hum);
  audio.Resume(channel);

  ::testing::internal::CaptureStderr();
  for (int frame = 0; frame < 100 && audio.HasDevice(); ++frame) RunFrames(audio, 1);
  const std::string said = ::testing::internal::GetCapturedStderr();
  ASSERT_FALSE(audio.HasDevice());
  EXPECT_NE(said.find("lost"), std::string::npos) << said;

  // Silent, but every call is still safe.
  EXPECT_FALSE(audio.IsPlaying(channel));
  audio.SetVolume(channel, 0.5f);
  audio.Stop(channel);
  EXPECT_EQ(audio.StartPaused(hum), 0u);

  // The device becomes writable again; within a few seconds of frames it is found and the samples
  // are loaded into it again.
  fs::remove(OutputFile());
  for (int frame = 0; frame < OpenAlAudio::kReopenTicks; ++frame) audio.Tick();
  EXPECT_EQ(audio.ReopenAttempts(), 1);
  EXPECT_TRUE(TickUntilDevice(audio));
  EXPECT_EQ(audio.ReopenAttempts(), 1);
  const ChannelId again = audio.StartPaused(hum);
  ASSERT_NE(again, 0u);
  audio.Resume(again);
  EXPECT_TRUE(audio.IsPlaying(again));
}

// A device plugged in after start-up (headphones, a USB card): the game looks for one every few seconds
// without ever holding up a frame, and the bank loaded while silent plays once the device is there.
TEST(OpenAl, ADeviceThatAppearsAfterStartUpIsFoundWithoutHoldingUpAFrame) {
  struct Socket {
    std::mutex mutex;
    std::condition_variable changed;
    bool plugged = false;
    bool answering = true;  // false: a slow sound server that keeps the look waiting
    int looks = 0;
  } socket;
  const auto gate = [&socket] {
    std::unique_lock lock(socket.mutex);
    ++socket.looks;
    socket.changed.notify_all();
    socket.changed.wait_for(lock, std::chrono::seconds(30), [&] { return socket.answering; });
    return socket.plugged && socket.answering;
  };

  ::testing::internal::CaptureStderr();
  OpenAlAudio audio("", gate);
  const std::string said = ::testing::internal::GetCapturedStderr();
  ASSERT_FALSE(audio.HasDevice());
  EXPECT_NE(said.find("no audio output"), std::string::npos) << said;
  SoundBank bank(audio);
  EXPECT_EQ(bank.Load(QV_BUILD_DIR "/sounds"), static_cast<int>(kSoundCount));
  EXPECT_EQ(bank.PlaySound(1.0f, 0.0f, 1.0f, Sound::Die1, 1.0f), 0u);

  // Nothing there at the first look after start-up.
  for (int frame = 0; frame < OpenAlAudio::kReopenTicks; ++frame) audio.Tick();
  EXPECT_EQ(audio.ReopenAttempts(), 1);
  for (int frame = 0; frame < 100; ++frame) RunFrames(audio, 1);
  EXPECT_FALSE(audio.HasDevice());

  // The device is plugged in, but the sound server is slow to answer the next look: frames go on
  // meanwhile (were a frame to wait for the look, this loop would never end, since the answer only
  // comes after it).
  {
    std::lock_guard lock(socket.mutex);
    socket.plugged = true;
    socket.answering = false;
  }
  const int looksBefore = socket.looks;
  for (int frame = 0; frame < 3 * OpenAlAudio::kReopenTicks; ++frame) audio.Tick();
  {
    std::unique_lock lock(socket.mutex);
    EXPECT_TRUE(socket.changed.wait_for(lock, std::chrono::seconds(30), [&] { return socket.looks > looksBefore; }));
    EXPECT_EQ(socket.looks, looksBefore + 1) << "one look at a time";
    socket.answering = true;
    socket.changed.notify_all();
  }
  EXPECT_FALSE(audio.HasDevice());

  ::testing::internal::CaptureStderr();
  ASSERT_TRUE(TickUntilDevice(audio));
  EXPECT_NE(::testing::internal::GetCapturedStderr().find("found"), std::string::npos);
  const ChannelId channel = bank.PlaySound(1.0f, 0.0f, 1.0f, Sound::Die1, 1.0f);
  ASSERT_NE(channel, 0u);
  EXPECT_TRUE(audio.IsPlaying(channel));
}

}  // namespace
}  // namespace qv
