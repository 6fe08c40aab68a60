// A sound device that plays nothing: for a run that cannot show a picture either, so it never opens
// a sound device it will not use.
#pragma once

#include "platform/audio.h"

namespace qv {

class NullAudio final : public Audio {
 public:
  SampleId LoadSample(const std::string&, bool) override { return 0; }
  ChannelId StartPaused(SampleId) override { return 0; }
  void SetRate(ChannelId, float) override {}
  void SetPan(ChannelId, float) override {}
  void SetVolume(ChannelId, float) override {}
  void Resume(ChannelId) override {}
  void Stop(ChannelId) override {}
  bool IsPlaying(ChannelId) const override { return false; }
  void Tick() override {}
};

}  // namespace qv
