// The audio device as the game sees it: samples loaded from WAV files and channels that play them.
// Two implementations exist: OpenAL (the game) and a recording sink (tests). A missing sound card is an
// ordinary case: the OpenAL one then behaves like a sink that never returns a channel.
#pragma once

#include <cstdint>
#include <string>

namespace qv {

// A loaded sample. 0 is "no sample" (a file that failed to load): playing it gives no channel.
using SampleId = std::uint32_t;
// A playing (or paused) channel. 0 is "no channel". Once its sound has ended, been stopped or been cut
// short for a newer one, the id is dead: every call on it does nothing, it never reaches a later sound.
using ChannelId = std::uint32_t;

class Audio {
 public:
  virtual ~Audio() = default;

  virtual SampleId LoadSample(const std::string& path, bool loop) = 0;
  // Starts the sample on a fresh channel in the paused state; 0 when nothing can play.
  virtual ChannelId StartPaused(SampleId sample) = 0;
  virtual void SetRate(ChannelId channel, float rate) = 0;      // 1.0 = recorded pitch
  virtual void SetPan(ChannelId channel, float pan) = 0;        // -1 full left .. +1 full right
  virtual void SetVolume(ChannelId channel, float volume) = 0;  // 0..1
  virtual void Resume(ChannelId channel) = 0;
  virtual void Stop(ChannelId channel) = 0;
  // True while the channel is audibly running (resumed, not yet ended or stopped).
  virtual bool IsPlaying(ChannelId channel) const = 0;
  // Called once per frame: lets the device recycle finished channels, reset per-frame limits and
  // notice a lost or returning output device.
  virtual void Tick() = 0;
};

}  // namespace qv
