#include "platform/channel_pool.h"

#include <algorithm>

namespace qv {
namespace {

constexpr int kVoiceBits = 7;
constexpr std::uint32_t kVoiceMask = (1u << kVoiceBits) - 1;
constexpr std::uint32_t kSerialMask = (1u << (32 - kVoiceBits)) - 1;

// NaN compares false with everything, so it falls to the low end.
float ClampOrLow(float value, float lo, float hi) {
  if (!(value >= lo)) return lo;
  return value > hi ? hi : value;
}

}  // namespace

ChannelPool::ChannelPool(int voices, int copiesPerFrame) : copiesPerFrame_(std::max(1, copiesPerFrame)) {
  Reset(voices);
}

void ChannelPool::Reset(int voices) {
  voices_.assign(static_cast<std::size_t>(std::clamp(voices, 0, kMaxVoices)), Voice{});
  startsThisFrame_.clear();
}

ChannelGrant ChannelPool::Acquire(SampleId sample, bool looping) {
  ChannelGrant grant;
  if (sample == 0) return grant;
  int& starts = StartsThisFrame(sample);
  if (starts >= copiesPerFrame_) return grant;

  int voice = FreeVoice();
  if (voice < 0) {
    voice = OldestNonLoopingVoice();
    if (voice < 0) return grant;
    grant.stolen = voices_[static_cast<std::size_t>(voice)].channel;
  }

  const std::uint32_t serial = nextSerial_;
  nextSerial_ = (nextSerial_ & kSerialMask) == kSerialMask ? 1 : nextSerial_ + 1;
  Voice& slot = voices_[static_cast<std::size_t>(voice)];
  slot.channel = (serial << kVoiceBits) | static_cast<std::uint32_t>(voice + 1);
  slot.sample = sample;
  slot.looping = looping;
  slot.startOrder = nextStartOrder_++;
  ++starts;

  grant.channel = slot.channel;
  grant.voice = voice;
  return grant;
}

int ChannelPool::VoiceOf(ChannelId channel) const {
  const int voice = static_cast<int>(channel & kVoiceMask) - 1;
  if (voice < 0 || voice >= Capacity()) return -1;
  return voices_[static_cast<std::size_t>(voice)].channel == channel ? voice : -1;
}

SampleId ChannelPool::SampleOf(ChannelId channel) const {
  const int voice = VoiceOf(channel);
  return voice < 0 ? 0 : voices_[static_cast<std::size_t>(voice)].sample;
}

ChannelId ChannelPool::ChannelOnVoice(int voice) const {
  if (voice < 0 || voice >= Capacity()) return 0;
  return voices_[static_cast<std::size_t>(voice)].channel;
}

void ChannelPool::Release(ChannelId channel) {
  const int voice = VoiceOf(channel);
  if (voice >= 0) voices_[static_cast<std::size_t>(voice)] = Voice{};
}

void ChannelPool::NewFrame() { startsThisFrame_.clear(); }

int ChannelPool::ActiveCount() const {
  return static_cast<int>(std::count_if(voices_.begin(), voices_.end(),
                                        [](const Voice& v) { return v.channel != 0; }));
}

int ChannelPool::FreeVoice() const {
  for (int i = 0; i < Capacity(); ++i) {
    if (voices_[static_cast<std::size_t>(i)].channel == 0) return i;
  }
  return -1;
}

int ChannelPool::OldestNonLoopingVoice() const {
  int oldest = -1;
  for (int i = 0; i < Capacity(); ++i) {
    const Voice& v = voices_[static_cast<std::size_t>(i)];
    if (v.looping) continue;
    if (oldest < 0 || v.startOrder < voices_[static_cast<std::size_t>(oldest)].startOrder) oldest = i;
  }
  return oldest;
}

int& ChannelPool::StartsThisFrame(SampleId sample) {
  for (auto& entry : startsThisFrame_) {
    if (entry.first == sample) return entry.second;
  }
  startsThisFrame_.emplace_back(sample, 0);
  return startsThisFrame_.back().second;
}

float SafeRate(float rate) { return rate != rate ? 1.0f : ClampOrLow(rate, 1.0f / 64.0f, 16.0f); }
float SafePan(float pan) { return pan != pan ? 0.0f : ClampOrLow(pan, -1.0f, 1.0f); }
float SafeVolume(float volume) { return ClampOrLow(volume, 0.0f, 1.0f); }

}  // namespace qv
