// A game set up on the headless devices the way start-up leaves it, ready for a new game: the font,
// default settings, the display opened at 1024 x 768, the default score table and an empty world.
#pragma once

#include "effects/particles.h"
#include "platform/headless/headless_platform.h"
#include "render/display.h"
#include "render/vector_font.h"
#include "scoring/high_scores.h"
#include "shell/game.h"

namespace qv::test {

struct GameFixture {
  explicit GameFixture(std::uint32_t seed = 1) : hp(seed), game(hp.platform) {
    BuildVectorFont(game.font);
    game.settings.windowed = true;
    BuildModeTable(game.display, game.settings);
    SelectModeFromSettings(game.display, game.settings);
    game.activeJoy = ApplyUsedPort(game.settings);
    OpenDisplay(game);
    BuildDefaultHighScores(game.scores);
    InitParticles(game);
  }
  HeadlessPlatform hp;
  Game game;
};

}  // namespace qv::test
