// The rules that decide which sounds may play at once: voices, the per-frame copy limit, and
// which sound gives way when every voice is busy.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/channel_pool.h"

namespace qv {
namespace {

TEST(SoundPool, NoSampleGetsNoChannel) {
  ChannelPool pool(4);
  EXPECT_EQ(pool.Acquire(0, false).channel, 0u);
  EXPECT_EQ(pool.ActiveCount(), 0);
}

TEST(SoundPool, AtMostThreeCopiesOfOneSampleStartPerFrame) {
  ChannelPool pool(16);
  for (int i = 0; i < 3; ++i) EXPECT_NE(pool.Acquire(7, false).channel, 0u) << "copy " << i;
  EXPECT_EQ(pool.Acquire(7, false).channel, 0u);
  // Another sample is not held back by the first one's limit.
  EXPECT_NE(pool.Acquire(8, false).channel, 0u);
  pool.NewFrame();
  EXPECT_NE(pool.Acquire(7, false).channel, 0u);
}

TEST(SoundPool, RefusedStartsDoNotUseUpTheFrameLimit) {
  ChannelPool pool(1);
  ASSERT_NE(pool.Acquire(1, true).channel, 0u);  // the only voice holds a hum
  for (int i = 0; i < 5; ++i) EXPECT_EQ(pool.Acquire(2, false).channel, 0u);
  pool.Reset(4);
  for (int i = 0; i < 3; ++i) EXPECT_NE(pool.Acquire(2, false).channel, 0u);
}

TEST(SoundPool, FullPoolStealsTheOldestNonLoopingSound) {
  ChannelPool pool(3, 10);
  const ChannelId hum = pool.Acquire(1, true).channel;
  const ChannelId first = pool.Acquire(2, false).channel;
  const ChannelId second = pool.Acquire(3, false).channel;

  const ChannelGrant third = pool.Acquire(4, false);
  EXPECT_EQ(third.stolen, first);
  EXPECT_EQ(pool.VoiceOf(first), -1);
  EXPECT_GE(pool.VoiceOf(third.channel), 0);

  const ChannelGrant fourth = pool.Acquire(5, false);
  EXPECT_EQ(fourth.stolen, second);

  // The hum survives every round.
  EXPECT_GE(pool.VoiceOf(hum), 0);
  EXPECT_EQ(pool.Acquire(6, false).stolen, third.channel);
  EXPECT_GE(pool.VoiceOf(hum), 0);
}

TEST(SoundPool, HumsAreNeverStolenEvenWhenTheyFillThePool) {
  ChannelPool pool(2, 10);
  const ChannelId a = pool.Acquire(1, true).channel;
  const ChannelId b = pool.Acquire(1, true).channel;
  const ChannelGrant refused = pool.Acquire(2, false);
  EXPECT_EQ(refused.channel, 0u);
  EXPECT_EQ(refused.stolen, 0u);
  EXPECT_GE(pool.VoiceOf(a), 0);
  EXPECT_GE(pool.VoiceOf(b), 0);
}

TEST(SoundPool, AFreedVoiceIsReusedBeforeAnythingIsStolen) {
  ChannelPool pool(2, 10);
  const ChannelId a = pool.Acquire(1, false).channel;
  pool.Acquire(2, false);
  pool.Release(a);
  const ChannelGrant next = pool.Acquire(3, false);
  EXPECT_EQ(next.stolen, 0u);
  EXPECT_EQ(pool.ActiveCount(), 2);
}

TEST(SoundPool, AnIdOutlivingItsSoundNeverReachesTheNextSoundOnThatVoice) {
  ChannelPool pool(1, 10);
  const ChannelId old = pool.Acquire(1, false).channel;
  pool.Release(old);
  const ChannelId fresh = pool.Acquire(2, false).channel;
  ASSERT_NE(fresh, old);
  EXPECT_EQ(pool.VoiceOf(old), -1);
  pool.Release(old);  // a stale stop must leave the new sound alone
  EXPECT_GE(pool.VoiceOf(fresh), 0);
}

TEST(SoundPool, MadeUpIdsAreRejected) {
  ChannelPool pool(4);
  pool.Acquire(1, false);
  for (const ChannelId bogus : {0u, 1u, 127u, 0xffffffffu, 0x80u}) {
    EXPECT_EQ(pool.VoiceOf(bogus), -1) << bogus;
    EXPECT_EQ(pool.SampleOf(bogus), 0u) << bogus;
  }
}

TEST(SoundPool, VoiceCountIsClamped) {
  EXPECT_EQ(ChannelPool(-5).Capacity(), 0);
  EXPECT_EQ(ChannelPool(100000).Capacity(), ChannelPool::kMaxVoices);
  ChannelPool empty(0);
  EXPECT_EQ(empty.Acquire(1, false).channel, 0u);
}

TEST(SoundPool, MixerValuesAreMadeSafe) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  struct Case {
    float in, rate, pan, volume;
  };
  const Case cases[] = {
      {1.0f, 1.0f, 1.0f, 1.0f},        {0.25f, 0.25f, 0.25f, 0.25f}, {4.0f, 4.0f, 1.0f, 1.0f},
      {-2.0f, 1.0f / 64, -1.0f, 0.0f}, {nan, 1.0f, 0.0f, 0.0f},      {inf, 16.0f, 1.0f, 1.0f},
      {-inf, 1.0f / 64, -1.0f, 0.0f},
  };
  for (const Case& c : cases) {
    EXPECT_FLOAT_EQ(SafeRate(c.in), c.rate) << c.in;
    EXPECT_FLOAT_EQ(SafePan(c.in), c.pan) << c.in;
    EXPECT_FLOAT_EQ(SafeVolume(c.in), c.volume) << c.in;
  }
}

}  // namespace
}  // namespace qv
