// Which sounds may play at once. Shared by the OpenAL device and the headless sink so that the
// rules below are the same in the game and in tests:
//  - a fixed number of voices (well under what the mixer allows), each playing one channel;
//  - at most a few copies of one sample may start in one frame (a volley of kills is one sound,
//    not thirty stacked on top of each other); further starts that frame get no channel;
//  - when every voice is busy, the oldest non-looping sound is cut short to make room;
//    looping hums are never cut: if only hums are left, the new sound gets no channel.
// Channel ids carry their voice and a serial number, so an id kept after its sound ended (a black
// hole's hum slot, say) never reaches the sound that took the voice over.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "platform/audio.h"

namespace qv {

struct ChannelGrant {
  ChannelId channel = 0;  // 0: the start is refused
  int voice = -1;         // the device voice that plays it
  ChannelId stolen = 0;   // a sound cut short to make room; its voice must be silenced first
};

class ChannelPool {
 public:
  static constexpr int kMaxVoices = 127;  // the voice number must fit in the id's low 7 bits
  static constexpr int kDefaultVoices = 48;
  static constexpr int kCopiesPerFrame = 3;

  explicit ChannelPool(int voices = kDefaultVoices, int copiesPerFrame = kCopiesPerFrame);

  // Forgets every channel and sets the number of voices (clamped to 0..kMaxVoices).
  void Reset(int voices);
  ChannelGrant Acquire(SampleId sample, bool looping);
  // The voice playing the channel, or -1 when it ended, was stopped, stolen or never existed.
  int VoiceOf(ChannelId channel) const;
  SampleId SampleOf(ChannelId channel) const;
  ChannelId ChannelOnVoice(int voice) const;
  void Release(ChannelId channel);
  // Starts a new frame: the per-sample start counts begin again.
  void NewFrame();

  int Capacity() const { return static_cast<int>(voices_.size()); }
  int ActiveCount() const;

 private:
  struct Voice {
    ChannelId channel = 0;
    SampleId sample = 0;
    bool looping = false;
    std::uint64_t startOrder = 0;
  };

  int FreeVoice() const;
  int OldestNonLoopingVoice() const;
  int& StartsThisFrame(SampleId sample);

  std::vector<Voice> voices_;
  std::vector<std::pair<SampleId, int>> startsThisFrame_;
  int copiesPerFrame_;
  std::uint64_t nextStartOrder_ = 1;
  std::uint32_t nextSerial_ = 1;
};

// Values from the game made safe for a mixer: NaN and out-of-range numbers land inside the range.
float SafeRate(float rate);      // 1/64 .. 16 (NaN: 1)
float SafePan(float pan);        // -1 .. 1 (NaN: 0)
float SafeVolume(float volume);  // 0 .. 1 (NaN: 0)

}  // namespace qv
