#include "platform/headless/headless_audio.h"

namespace qv {

HeadlessAudio::HeadlessAudio(int voices, int copiesPerFrame)
    : pool_(voices, copiesPerFrame) {
  voices_.resize(static_cast<std::size_t>(pool_.Capacity()));
}

SampleId HeadlessAudio::LoadSample(const std::string& path, bool loop) {
  SampleId id = 0;
  if (!path.empty() && failingPaths_.count(path) == 0) {
    samples_.push_back(Sample{path, loop});
    id = static_cast<SampleId>(samples_.size());
  }
  AudioEvent event;
  event.op = AudioOp::Load;
  event.sample = id;
  event.path = path;
  event.loop = loop;
  log_.push_back(event);
  return id;
}

ChannelId HeadlessAudio::StartPaused(SampleId sample) {
  ChannelGrant grant;
  if (sample != 0 && sample <= samples_.size()) grant = pool_.Acquire(sample, samples_[sample - 1].loop);
  if (grant.stolen != 0) Record(AudioOp::Steal, grant.stolen, 0.0f);
  if (grant.channel != 0) {
    voices_[static_cast<std::size_t>(grant.voice)] = HeadlessChannel{sample, 1.0f, 0.0f, 1.0f, false};
  }
  AudioEvent event;
  event.op = AudioOp::Start;
  event.sample = sample;
  event.channel = grant.channel;
  log_.push_back(event);
  return grant.channel;
}

void HeadlessAudio::SetRate(ChannelId channel, float rate) {
  Record(AudioOp::Rate, channel, rate);
  if (HeadlessChannel* c = LiveChannel(channel)) c->rate = SafeRate(rate);
}

void HeadlessAudio::SetPan(ChannelId channel, float pan) {
  Record(AudioOp::Pan, channel, pan);
  if (HeadlessChannel* c = LiveChannel(channel)) c->pan = SafePan(pan);
}

void HeadlessAudio::SetVolume(ChannelId channel, float volume) {
  Record(AudioOp::Volume, channel, volume);
  if (HeadlessChannel* c = LiveChannel(channel)) c->volume = SafeVolume(volume);
}

void HeadlessAudio::Resume(ChannelId channel) {
  Record(AudioOp::Resume, channel, 0.0f);
  if (HeadlessChannel* c = LiveChannel(channel)) c->resumed = true;
}

void HeadlessAudio::Stop(ChannelId channel) {
  Record(AudioOp::Stop, channel, 0.0f);
  pool_.Release(channel);
}

bool HeadlessAudio::IsPlaying(ChannelId channel) const {
  const HeadlessChannel* c = Channel(channel);
  return c != nullptr && c->resumed;
}

void HeadlessAudio::Tick() { pool_.NewFrame(); }

void HeadlessAudio::Finish(ChannelId channel) {
  const SampleId sample = pool_.SampleOf(channel);
  if (sample != 0 && !samples_[sample - 1].loop) pool_.Release(channel);
}

const HeadlessChannel* HeadlessAudio::Channel(ChannelId channel) const {
  const int voice = pool_.VoiceOf(channel);
  return voice < 0 ? nullptr : &voices_[static_cast<std::size_t>(voice)];
}

const std::string& HeadlessAudio::SamplePath(SampleId sample) const {
  static const std::string kNone;
  return sample != 0 && sample <= samples_.size() ? samples_[sample - 1].path : kNone;
}

HeadlessChannel* HeadlessAudio::LiveChannel(ChannelId channel) {
  const int voice = pool_.VoiceOf(channel);
  return voice < 0 ? nullptr : &voices_[static_cast<std::size_t>(voice)];
}

void HeadlessAudio::Record(AudioOp op, ChannelId channel, float value) {
  AudioEvent event;
  event.op = op;
  event.channel = channel;
  event.value = value;
  log_.push_back(event);
}

}  // namespace qv
