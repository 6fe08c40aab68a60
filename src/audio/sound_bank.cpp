#include "audio/sound_bank.h"

#include <cmath>

namespace qv {

PanVolume PositionalPanVolume(float eventX, float eventY, float shipX, float shipY, float fieldWidth,
                              float fieldHeight) {
  PanVolume result;
  // A playfield without size (never offered, but a bad settings file must not divide by zero)
  // leaves the sound centred and at full volume.
  if (fieldWidth > 0.0f) result.pan = (eventX - shipX) / fieldWidth;
  const float depth = fieldHeight > 0.0f ? std::fabs(eventY - shipY) / fieldHeight : 0.0f;
  result.volume = (1.0f - std::fabs(result.pan) / 10.0f) * (1.0f - depth / 10.0f);
  return result;
}

int SoundBank::Load(const std::string& folder) {
  StopHums();
  int loaded = 0;
  for (const SoundFile& entry : kSoundFiles) {
    const SampleId id = audio_.LoadSample(folder + "/" + entry.file, entry.loop);
    samples_[static_cast<std::size_t>(entry.sound)] = id;
    if (id != 0) ++loaded;
  }
  return loaded;
}

ChannelId SoundBank::PlaySound(float rate, float pan, float volume, Sound sound, float sfxVolume) {
  if (!(sfxVolume > 0.0f)) return 0;
  const SampleId sample = Sample(sound);
  if (sample == 0) return 0;
  const ChannelId channel = audio_.StartPaused(sample);
  if (channel == 0) return 0;
  if (rate != 1.0f) audio_.SetRate(channel, rate);
  audio_.SetPan(channel, pan);
  audio_.SetVolume(channel, sfxVolume * volume);
  audio_.Resume(channel);
  return channel;
}

void SoundBank::SetChannelPanVolume(float pan, float volume, ChannelId channel, float sfxVolume) {
  if (channel == 0 || !(sfxVolume > 0.0f)) return;
  audio_.SetPan(channel, pan);
  audio_.SetVolume(channel, sfxVolume * volume);
}

void SoundBank::StartHum(int slot, float pan, float volume, float sfxVolume) {
  if (!ValidSlot(slot)) return;
  StopHum(slot);
  humChannels[static_cast<std::size_t>(slot)] = PlaySound(1.0f, pan, volume, Sound::BondLoop, sfxVolume);
}

ChannelId SoundBank::HumChannel(int slot) const {
  return ValidSlot(slot) ? humChannels[static_cast<std::size_t>(slot)] : 0;
}

void SoundBank::StopHum(int slot) {
  if (!ValidSlot(slot)) return;
  ChannelId& channel = humChannels[static_cast<std::size_t>(slot)];
  if (channel != 0) audio_.Stop(channel);
  channel = 0;
}

void SoundBank::SetHumRate(int slot, float rate) {
  const ChannelId channel = HumChannel(slot);
  if (channel != 0) audio_.SetRate(channel, rate);
}

void SoundBank::SetHumPanVolume(int slot, float pan, float volume, float sfxVolume) {
  SetChannelPanVolume(pan, volume, HumChannel(slot), sfxVolume);
}

void SoundBank::StopHums() {
  for (int slot = 0; slot < kHumSlots; ++slot) StopHum(slot);
}

void SoundBank::ApplySfxVolumeToHums(float sfxVolume) {
  for (const ChannelId channel : humChannels) {
    if (channel != 0) audio_.SetVolume(channel, sfxVolume);
  }
}

SampleId SoundBank::Sample(Sound sound) const {
  const auto index = static_cast<std::size_t>(sound);
  return index < kSoundCount ? samples_[index] : 0;
}

}  // namespace qv
