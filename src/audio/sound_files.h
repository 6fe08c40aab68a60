// The game's 37 sound effects in bank order, and the file each one is loaded from (in the "sounds"
// folder beside the program). Two entries share "bonus1.wav": the power-up pick-up and the name entry
// each get their own copy. "Explo1.wav" (a black hole blown apart) and "explo1.wav" (the bomb) are
// two different files. Only the black hole's hum loops.
// Header-only so that the sound generator writes exactly the files the bank loads.
#pragma once

#include <array>
#include <cstddef>

namespace qv {

enum class Sound {
  Buzz3,        // a Square spawns
  Pop2,         // a Pinwheel spawns
  Pop3,         // a Diamond spawns
  Snake1,       // a whole Cube spawns
  GruntBorn,    // a Seeker spawns
  Sun1,         // a black hole spawns
  BondLoop,     // an awake black hole's hum (looping)
  SunHit1,      // a shot hits a black hole
  Sizzle1,      // a black hole swallows something
  SunExp,       // a black hole bursts
  Explo1Big,    // a black hole is shot to pieces ("Explo1.wav")
  Wee,          // a Snake spawns
  SnakeHit,     // a snake's tail segment bursts
  TailHit,      // a shot hits a snake's tail
  Warn1,        // an Interceptor spawns
  Shield1,      // an Interceptor comes out of a turn
  Butterfly,    // a Butterfly spawns
  Cat,          // a generator spawns
  GenHit1,      // a shot hits a generator
  GenKilled1,   // a generator is destroyed
  Buzz1,        // a Triangle spawns
  Echo1,        // a shot hits a bound Triangle, which survives
  Elastic,      // a Triangle dies
  Bonus1,       // a power-up is collected
  Startup,      // the get-ready sequence starts
  Die1,         // the ship is destroyed
  ShotBorn,     // a volley is fired
  ShotWall,     // a shot dies
  GameOver,     // the last ship is lost
  Explo1,       // a bomb goes off ("explo1.wav")
  BrainBorn,    // an extra-life score is passed
  Buzz2,        // an extra-bomb score is passed
  Bonus2,       // the multiplier rises
  BonusBorn,    // a score power-up appears
  Bonus1Entry,  // the high-score name entry opens (second copy of "bonus1.wav")
  QuarkHit,     // an enemy is shot dead (most kinds); a letter is edited in the name entry
  QuarkHit2,    // an Interceptor is shot dead
  Count
};

inline constexpr std::size_t kSoundCount = static_cast<std::size_t>(Sound::Count);

struct SoundFile {
  Sound sound;
  const char* file;
  bool loop;
};

inline constexpr std::array<SoundFile, kSoundCount> kSoundFiles{{
    {Sound::Buzz3, "buzz3.wav", false},
    {Sound::Pop2, "pop2.wav", false},
    {Sound::Pop3, "pop3.wav", false},
    {Sound::Snake1, "snake1.wav", false},
    {Sound::GruntBorn, "gruntborn.wav", false},
    {Sound::Sun1, "sun1.wav", false},
    {Sound::BondLoop, "bondloop.wav", true},
    {Sound::SunHit1, "sunhit1.wav", false},
    {Sound::Sizzle1, "sizzle1.wav", false},
    {Sound::SunExp, "sunexp.wav", false},
    {Sound::Explo1Big, "Explo1.wav", false},
    {Sound::Wee, "wee.wav", false},
    {Sound::SnakeHit, "snakehit.wav", false},
    {Sound::TailHit, "tailhit.wav", false},
    {Sound::Warn1, "warn1.wav", false},
    {Sound::Shield1, "shield1.wav", false},
    {Sound::Butterfly, "butterfly.wav", false},
    {Sound::Cat, "cat.wav", false},
    {Sound::GenHit1, "genhit1.wav", false},
    {Sound::GenKilled1, "genkilled1.wav", false},
    {Sound::Buzz1, "buzz1.wav", false},
    {Sound::Echo1, "echo1.wav", false},
    {Sound::Elastic, "elastic.wav", false},
    {Sound::Bonus1, "bonus1.wav", false},
    {Sound::Startup, "startup.wav", false},
    {Sound::Die1, "die1.wav", false},
    {Sound::ShotBorn, "shotborn.wav", false},
    {Sound::ShotWall, "shotwall.wav", false},
    {Sound::GameOver, "gameover.wav", false},
    {Sound::Explo1, "explo1.wav", false},
    {Sound::BrainBorn, "brainborn.wav", false},
    {Sound::Buzz2, "buzz2.wav", false},
    {Sound::Bonus2, "bonus2.wav", false},
    {Sound::BonusBorn, "bonusborn.wav", false},
    {Sound::Bonus1Entry, "bonus1.wav", false},
    {Sound::QuarkHit, "quarkhit.wav", false},
    {Sound::QuarkHit2, "quarkhit2.wav", false},
}};

// The table is in enum order, so an entry is found by index.
constexpr const SoundFile& SoundFileOf(Sound sound) { return kSoundFiles[static_cast<std::size_t>(sound)]; }

constexpr bool SoundTableInEnumOrder() {
  for (std::size_t i = 0; i < kSoundCount; ++i) {
    if (static_cast<std::size_t>(kSoundFiles[i].sound) != i) return false;
  }
  return true;
}
static_assert(SoundTableInEnumOrder(), "kSoundFiles must list the sounds in enum order");

}  // namespace qv
