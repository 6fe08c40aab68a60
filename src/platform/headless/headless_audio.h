// The sound sink of tests: no mixer, just a log of every call and the state of each channel.
// It applies the same voice, per-frame copy and stealing rules as the OpenAL device (ChannelPool),
// so tests see which starts the game would hear. Sounds never end on their own here: a test ends a
// non-looping sound with Finish.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "platform/audio.h"
#include "platform/channel_pool.h"

namespace qv {

enum class AudioOp { Load, Start, Steal, Rate, Pan, Volume, Resume, Stop };

struct AudioEvent {
  AudioOp op = AudioOp::Load;
  SampleId sample = 0;    // Load, Start
  ChannelId channel = 0;  // every op but Load; 0 for a refused Start
  float value = 0.0f;     // Rate, Pan, Volume: the value asked for
  std::string path;       // Load
  bool loop = false;      // Load
};

struct HeadlessChannel {
  SampleId sample = 0;
  float rate = 1.0f;
  float pan = 0.0f;
  float volume = 1.0f;
  bool resumed = false;
};

class HeadlessAudio final : public Audio {
 public:
  explicit HeadlessAudio(int voices = ChannelPool::kDefaultVoices,
                         int copiesPerFrame = ChannelPool::kCopiesPerFrame);

  SampleId LoadSample(const std::string& path, bool loop) override;
  ChannelId StartPaused(SampleId sample) override;
  void SetRate(ChannelId channel, float rate) override;
  void SetPan(ChannelId channel, float pan) override;
  void SetVolume(ChannelId channel, float volume) override;
  void Resume(ChannelId channel) override;
  void Stop(ChannelId channel) override;
  bool IsPlaying(ChannelId channel) const override;
  void Tick() override;

  // Loads of this path fail from now on (a missing or broken file).
  void FailLoadsOf(const std::string& path) { failingPaths_.insert(path); }
  // The channel's sound reached its end.
  void Finish(ChannelId channel);

  const std::vector<AudioEvent>& Log() const { return log_; }
  void ClearLog() { log_.clear(); }
  // The live state of a channel, or nullptr once it is dead.
  const HeadlessChannel* Channel(ChannelId channel) const;
  const std::string& SamplePath(SampleId sample) const;
  int ActiveChannels() const { return pool_.ActiveCount(); }

 private:
  struct Sample {
    std::string path;
    bool loop = false;
  };

  HeadlessChannel* LiveChannel(ChannelId channel);
  void Record(AudioOp op, ChannelId channel, float value);

  std::vector<Sample> samples_;  // SampleId n is samples_[n - 1]
  std::vector<HeadlessChannel> voices_;
  std::set<std::string> failingPaths_;
  std::vector<AudioEvent> log_;
  ChannelPool pool_;
};

}  // namespace qv
