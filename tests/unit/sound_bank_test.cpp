// The sound bank over the recording sink: what the game asks of the audio device for each effect.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "audio/sound_bank.h"
#include "platform/headless/headless_audio.h"

namespace qv {
namespace {

constexpr float kSfx = 0.5f;

class SoundBankTest : public ::testing::Test {
 protected:
  void SetUp() override {
    bank.Load();
    audio.ClearLog();
  }
  std::vector<AudioOp> Ops() const {
    std::vector<AudioOp> ops;
    for (const AudioEvent& e : audio.Log()) ops.push_back(e.op);
    return ops;
  }

  HeadlessAudio audio{8};
  SoundBank bank{audio};
};

TEST_F(SoundBankTest, LoadsEveryEffectInBankOrderFromTheSoundsFolder) {
  HeadlessAudio fresh;
  SoundBank other(fresh);
  EXPECT_EQ(other.Load(), static_cast<int>(kSoundCount));
  ASSERT_EQ(fresh.Log().size(), kSoundCount);
  for (std::size_t i = 0; i < kSoundCount; ++i) {
    const AudioEvent& load = fresh.Log()[i];
    EXPECT_EQ(load.path, std::string("sounds/") + kSoundFiles[i].file);
    EXPECT_EQ(load.loop, kSoundFiles[i].sound == Sound::BondLoop) << load.path;
  }
  EXPECT_EQ(fresh.SamplePath(other.Sample(Sound::Explo1)), "sounds/explo1.wav");
  EXPECT_EQ(fresh.SamplePath(other.Sample(Sound::Explo1Big)), "sounds/Explo1.wav");
  // The name entry has its own copy of the power-up sound.
  EXPECT_NE(other.Sample(Sound::Bonus1), other.Sample(Sound::Bonus1Entry));
  EXPECT_EQ(fresh.SamplePath(other.Sample(Sound::Bonus1Entry)), "sounds/bonus1.wav");
}

TEST_F(SoundBankTest, AnEffectThatFailedToLoadStaysSilent) {
  HeadlessAudio broken;
  broken.FailLoadsOf("data/wee.wav");
  SoundBank other(broken);
  EXPECT_EQ(other.Load("data"), static_cast<int>(kSoundCount) - 1);
  broken.ClearLog();
  EXPECT_EQ(other.PlaySound(1.0f, 0.0f, 1.0f, Sound::Wee, kSfx), 0u);
  EXPECT_TRUE(broken.Log().empty());
  EXPECT_NE(other.PlaySound(1.0f, 0.0f, 1.0f, Sound::Pop2, kSfx), 0u);
}

TEST_F(SoundBankTest, PlayStartsPausedThenSetsPanAndScaledVolumeThenResumes) {
  const ChannelId channel = bank.PlaySound(1.0f, -0.25f, 0.8f, Sound::Pop3, kSfx);
  ASSERT_NE(channel, 0u);
  EXPECT_EQ(Ops(), (std::vector<AudioOp>{AudioOp::Start, AudioOp::Pan, AudioOp::Volume, AudioOp::Resume}));
  const HeadlessChannel* state = audio.Channel(channel);
  ASSERT_NE(state, nullptr);
  EXPECT_EQ(state->sample, bank.Sample(Sound::Pop3));
  EXPECT_FLOAT_EQ(state->pan, -0.25f);
  EXPECT_FLOAT_EQ(state->volume, kSfx * 0.8f);
  EXPECT_TRUE(audio.IsPlaying(channel));
}

TEST_F(SoundBankTest, OnlyARateOtherThanExactlyOneTouchesTheChannelRate) {
  struct Case {
    float rate;
    bool touched;
  };
  for (const Case c : {Case{1.0f, false}, Case{1.1f, true}, Case{0.98f, true}, Case{1.25f, true},
                       Case{std::nextafter(1.0f, 2.0f), true}}) {
    audio.ClearLog();
    const ChannelId channel = bank.PlaySound(c.rate, 0.0f, 1.0f, Sound::QuarkHit, kSfx);
    ASSERT_NE(channel, 0u);
    int rateCalls = 0;
    for (const AudioEvent& e : audio.Log()) {
      if (e.op != AudioOp::Rate) continue;
      ++rateCalls;
      EXPECT_EQ(e.value, c.rate);
    }
    EXPECT_EQ(rateCalls, c.touched ? 1 : 0) << "rate " << c.rate;
    EXPECT_FLOAT_EQ(audio.Channel(channel)->rate, c.rate);
    audio.Tick();  // a new frame, so the per-frame copy limit does not interfere
  }
}

TEST_F(SoundBankTest, NoEffectsVolumeMeansNoSoundAndNoChannel) {
  for (const float off : {0.0f, -0.5f, std::numeric_limits<float>::quiet_NaN()}) {
    audio.ClearLog();
    EXPECT_EQ(bank.PlaySound(1.0f, 0.0f, 1.0f, Sound::Die1, off), 0u) << off;
    // A waking black hole keeps no hum, and every later step on it is skipped.
    bank.StartHum(2, 0.1f, 0.9f, off);
    EXPECT_EQ(bank.humChannels[2], 0u);
    bank.SetHumRate(2, 1.5f);
    bank.SetHumPanVolume(2, 0.3f, 0.9f, off);
    bank.StopHum(2);
    EXPECT_TRUE(audio.Log().empty()) << off;
  }
}

TEST_F(SoundBankTest, TurningEffectsOffMidGameLeavesHumsAloneUntilApplied) {
  bank.StartHum(0, 0.0f, 1.0f, kSfx);
  const ChannelId hum = bank.humChannels[0];
  ASSERT_NE(hum, 0u);

  EXPECT_EQ(bank.PlaySound(1.0f, 0.0f, 1.0f, Sound::Sizzle1, 0.0f), 0u);
  bank.SetChannelPanVolume(0.5f, 1.0f, hum, 0.0f);
  EXPECT_FLOAT_EQ(audio.Channel(hum)->volume, kSfx);
  EXPECT_FLOAT_EQ(audio.Channel(hum)->pan, 0.0f);

  bank.ApplySfxVolumeToHums(0.0f);
  EXPECT_FLOAT_EQ(audio.Channel(hum)->volume, 0.0f);
  bank.ApplySfxVolumeToHums(0.8f);
  EXPECT_FLOAT_EQ(audio.Channel(hum)->volume, 0.8f);
}

TEST_F(SoundBankTest, PositionalRule) {
  struct Case {
    float eventX, eventY, shipX, shipY, fieldWidth, fieldHeight;
    float pan, volume;
  };
  const Case cases[] = {
      {400, 300, 400, 300, 800, 600, 0.0f, 1.0f},                    // on the ship: centred, full
      {800, 300, 400, 300, 800, 600, 0.5f, 0.95f},                   // half a field to the right
      {0, 300, 800, 300, 800, 600, -1.0f, 0.9f},                     // the far left wall
      {400, 900, 400, 300, 800, 600, 0.0f, 0.9f},                    // a field height below
      {1200, 0, 400, 600, 1600, 1200, 0.5f, 0.95f * 0.95f},          // both at once
      {500, 300, 400, 300, 0, 0, 0.0f, 1.0f},                        // a field of no size
  };
  for (const Case& c : cases) {
    const PanVolume pv = PositionalPanVolume(c.eventX, c.eventY, c.shipX, c.shipY, c.fieldWidth, c.fieldHeight);
    EXPECT_FLOAT_EQ(pv.pan, c.pan) << c.eventX << "," << c.eventY;
    EXPECT_FLOAT_EQ(pv.volume, c.volume) << c.eventX << "," << c.eventY;
  }
}

TEST_F(SoundBankTest, PositionalSoundReachesTheChannel) {
  const PanVolume pv = PositionalPanVolume(1000.0f, 500.0f, 600.0f, 100.0f, 1600.0f, 1000.0f);
  const ChannelId channel = bank.PlaySound(1.0f, pv.pan, pv.volume, Sound::ShotWall, kSfx);
  ASSERT_NE(channel, 0u);
  EXPECT_FLOAT_EQ(audio.Channel(channel)->pan, 0.25f);
  EXPECT_FLOAT_EQ(audio.Channel(channel)->volume, kSfx * 0.975f * 0.96f);
}

TEST_F(SoundBankTest, ANewHumOnAnOccupiedSlotStopsTheOldOne) {
  bank.StartHum(5, 0.0f, 1.0f, kSfx);
  const ChannelId first = bank.humChannels[5];
  bank.StartHum(5, 0.2f, 0.9f, kSfx);
  const ChannelId second = bank.humChannels[5];
  ASSERT_NE(second, 0u);
  EXPECT_NE(first, second);
  EXPECT_EQ(audio.Channel(first), nullptr);
  EXPECT_TRUE(audio.IsPlaying(second));
  EXPECT_EQ(audio.Channel(second)->sample, bank.Sample(Sound::BondLoop));

  // The hole that lost its slot now drives the new hum, as the game intends; the old id is dead.
  bank.SetHumRate(5, 2.0f);
  EXPECT_FLOAT_EQ(audio.Channel(second)->rate, 2.0f);
  audio.SetVolume(first, 0.0f);
  EXPECT_FLOAT_EQ(audio.Channel(second)->volume, kSfx * 0.9f);
}

TEST_F(SoundBankTest, HumSlotsOutsideTheEightAreIgnored) {
  for (const int slot : {-1, kHumSlots, 1000}) {
    bank.StartHum(slot, 0.0f, 1.0f, kSfx);
    bank.SetHumRate(slot, 2.0f);
    bank.StopHum(slot);
    EXPECT_EQ(bank.HumChannel(slot), 0u);
  }
  EXPECT_TRUE(audio.Log().empty());
}

TEST_F(SoundBankTest, StopHumsStopsEveryHumAndEmptiesTheSlots) {
  bank.StopHums();
  EXPECT_TRUE(audio.Log().empty());

  bank.StartHum(1, 0.0f, 1.0f, kSfx);
  audio.Tick();
  bank.StartHum(6, 0.0f, 1.0f, kSfx);
  const ChannelId a = bank.humChannels[1], b = bank.humChannels[6];
  audio.ClearLog();
  bank.StopHums();
  EXPECT_EQ(Ops(), (std::vector<AudioOp>{AudioOp::Stop, AudioOp::Stop}));
  EXPECT_FALSE(audio.IsPlaying(a));
  EXPECT_FALSE(audio.IsPlaying(b));
  for (const ChannelId slot : bank.humChannels) EXPECT_EQ(slot, 0u);
}

TEST_F(SoundBankTest, AVolleyOfKillsPlaysAtMostThreeCopiesAFrame) {
  int started = 0;
  for (int kill = 0; kill < 10; ++kill) started += bank.PlaySound(1.0f, 0.0f, 1.0f, Sound::QuarkHit, kSfx) != 0;
  EXPECT_EQ(started, 3);
  // A different effect, and the second copy of the power-up sound, are not held back.
  EXPECT_NE(bank.PlaySound(1.0f, 0.0f, 1.0f, Sound::QuarkHit2, kSfx), 0u);
  audio.Tick();
  EXPECT_NE(bank.PlaySound(1.0f, 0.0f, 1.0f, Sound::QuarkHit, kSfx), 0u);
}

TEST_F(SoundBankTest, WhenEveryVoiceIsBusyTheOldestEffectGivesWayButHumsPlayOn) {
  // Eight voices: two hums and six effects fill them.
  bank.StartHum(0, 0.0f, 1.0f, kSfx);
  bank.StartHum(1, 0.0f, 1.0f, kSfx);
  std::vector<ChannelId> effects;
  for (int i = 0; i < 6; ++i) {
    audio.Tick();
    effects.push_back(bank.PlaySound(1.0f, 0.0f, 1.0f, Sound::Pop2, kSfx));
  }
  ASSERT_EQ(audio.ActiveChannels(), 8);

  audio.ClearLog();
  const ChannelId late = bank.PlaySound(1.0f, 0.0f, 1.0f, Sound::Bonus1, kSfx);
  ASSERT_NE(late, 0u);
  ASSERT_FALSE(audio.Log().empty());
  EXPECT_EQ(audio.Log().front().op, AudioOp::Steal);
  EXPECT_EQ(audio.Log().front().channel, effects[0]);
  EXPECT_FALSE(audio.IsPlaying(effects[0]));
  EXPECT_TRUE(audio.IsPlaying(effects[1]));
  EXPECT_TRUE(audio.IsPlaying(bank.humChannels[0]));
  EXPECT_TRUE(audio.IsPlaying(bank.humChannels[1]));

  // A finished effect frees its voice, so nothing more is stolen.
  audio.Finish(effects[3]);
  audio.ClearLog();
  EXPECT_NE(bank.PlaySound(1.0f, 0.0f, 1.0f, Sound::Bonus2, kSfx), 0u);
  for (const AudioEvent& e : audio.Log()) EXPECT_NE(e.op, AudioOp::Steal);
}

TEST_F(SoundBankTest, MusicHooksDoNothing) {
  for (int theme = 0; theme < 3; ++theme) bank.SelectMusicTheme(theme);
  bank.ApplyMusicVolume(0.25f);
  bank.StopMusic();
  EXPECT_TRUE(audio.Log().empty());
  EXPECT_FLOAT_EQ(bank.MusicVolume(), 0.25f);
}

}  // namespace
}  // namespace qv
