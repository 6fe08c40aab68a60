// The game's sound output on OpenAL Soft.
//
// Each channel is one OpenAL source: rate is the source's pitch, volume its gain, and pan places the
// source on a half circle in front of the listener (sources are mono, so they pan rather than sit in
// the middle). A fixed pool of sources is shared under ChannelPool's rules. The listener's gain
// leaves headroom so a screen-clearing volley does not clip, and OpenAL Soft's output limiter is
// switched on where it exists.
//
// No output device is an ordinary case: one line goes to stderr and the object plays nothing
// (StartPaused returns 0). While no device is open, whether it was missing from the start or went away
// while the game ran (a headset unplugged), the default device is looked for again every few seconds
// (counted in Tick calls, one per frame); when it opens, the samples are loaded into it and sound
// returns. The look happens on a helper thread, so no frame ever waits for a slow sound server.
// Samples stay decoded in memory for that reason, and so that a file loaded while silent plays once a
// device appears.
// The game makes one of these; it owns the process's current OpenAL context, so only one may exist at
// a time.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/audio.h"

namespace qv {

class OpenAlAudio final : public Audio {
 public:
  static constexpr int kVoices = 48;
  static constexpr float kMasterGain = 0.5f;
  static constexpr int kReopenTicks = 150;  // 3 seconds at 50 frames a second

  // Asked before every attempt to open a device (on the thread that makes it); false makes the attempt
  // fail as if no device were there. Tests use it to plug and unplug a device.
  using DeviceGate = std::function<bool()>;

  // Opens the named output device, or the system's default one when the name is empty.
  explicit OpenAlAudio(const std::string& deviceName = "", DeviceGate gate = {});
  ~OpenAlAudio() override;
  OpenAlAudio(const OpenAlAudio&) = delete;
  OpenAlAudio& operator=(const OpenAlAudio&) = delete;

  // Reads a WAV file (any format SDL reads), mixed down to mono 16-bit. 0 when it cannot be read.
  SampleId LoadSample(const std::string& path, bool loop) override;
  ChannelId StartPaused(SampleId sample) override;
  void SetRate(ChannelId channel, float rate) override;
  void SetPan(ChannelId channel, float pan) override;
  void SetVolume(ChannelId channel, float volume) override;
  void Resume(ChannelId channel) override;
  void Stop(ChannelId channel) override;
  bool IsPlaying(ChannelId channel) const override;
  void Tick() override;

  bool HasDevice() const;
  // How many times a missing device was looked for again (successfully or not).
  int ReopenAttempts() const;
  int Voices() const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace qv
