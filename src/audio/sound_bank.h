// The sound bank: every effect loaded once at start-up, and the one way the game plays them.
//
// PlaySound starts a fresh channel per effect with a rate (pitch, 1 = as recorded), a pan
// (-1 left .. +1 right) and a volume scaled by the effects volume. With the effects volume at 0
// nothing plays and no channel comes back; callers that keep a channel (a black hole's hum) then
// skip everything they would do with it. A rate of exactly 1 never touches the channel's rate.
//
// Black holes hum on eight reusable slots (humChannels). A hole owns slot humSlot; a newer hole
// given the same slot takes the hum over, and the older one goes quiet.
//
// The bank holds no settings: the caller passes the effects volume in. It refers to, but does not
// own, the audio device; both live in the Game.
#pragma once

#include <array>
#include <string>

#include "audio/sound_files.h"
#include "platform/audio.h"

namespace qv {

inline constexpr int kHumSlots = 8;

struct PanVolume {
  float pan = 0.0f;
  float volume = 1.0f;
};

// The positional rule for events in the playfield: panned by the horizontal offset from the ship as
// a share of the playfield's width, and a little quieter (at most about a fifth) the further away.
PanVolume PositionalPanVolume(float eventX, float eventY, float shipX, float shipY, float fieldWidth,
                              float fieldHeight);

class SoundBank {
 public:
  explicit SoundBank(Audio& audio) : audio_(audio) {}

  // Loads the 37 effects in bank order from folder/<file>; an effect that fails to load is an empty
  // entry that plays nothing. Returns the number loaded. Empties the hum slots.
  int Load(const std::string& folder = "sounds");

  ChannelId PlaySound(float rate, float pan, float volume, Sound sound, float sfxVolume);
  void SetChannelPanVolume(float pan, float volume, ChannelId channel, float sfxVolume);

  // A black hole wakes: any hum on its slot stops, and the looping hum starts there.
  void StartHum(int slot, float pan, float volume, float sfxVolume);
  ChannelId HumChannel(int slot) const;
  void StopHum(int slot);
  void SetHumRate(int slot, float rate);
  void SetHumPanVolume(int slot, float pan, float volume, float sfxVolume);
  // Stops every hum and empties every slot (the world is cleared).
  void StopHums();
  // The effects volume changed: running hums follow it at once (new effects follow it anyway).
  void ApplySfxVolumeToHums(float sfxVolume);

  // The game has no music: these mark where a theme would start (0 attract, 1 in game, 2 name
  // entry) and where it would stop, and do nothing. The music volume set on the audio screen is kept
  // for the music to play at; it touches no channel.
  void SelectMusicTheme(int /*theme*/) {}
  void StopMusic() {}
  void ApplyMusicVolume(float musicVolume) { musicVolume_ = musicVolume; }
  float MusicVolume() const { return musicVolume_; }

  SampleId Sample(Sound sound) const;

  std::array<ChannelId, kHumSlots> humChannels{};

 private:
  static bool ValidSlot(int slot) { return slot >= 0 && slot < kHumSlots; }

  Audio& audio_;
  std::array<SampleId, kSoundCount> samples_{};
  float musicVolume_ = 0.5f;
};

}  // namespace qv
