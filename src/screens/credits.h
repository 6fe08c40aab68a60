// The credits screen: the title "Quorvax 2" in many circling copies, built up over the first visit,
// the credit lines, and fireworks swirled by two demo black holes.
#pragma once

#include <string_view>

namespace qv {

struct Game;

inline constexpr int kCreditsLastFrame = 699;
inline constexpr int kCreditsTimerFull = 600;  // the title is complete from here on

inline constexpr std::string_view kCreditsTitle = "Quorvax 2";
inline constexpr std::string_view kCreditLine = "Quorvax for Linux and SDL";
inline constexpr std::string_view kAuthorLine = "by the Quorvax developers";
inline constexpr std::string_view kThanksLine = "everyone who plays, tests, breaks and mends Quorvax";

// What the screen does before its first frame: two more demo black holes near the centre, the whole
// screen as viewport, no scrolling.
void StartCredits(Game& game);

// Frame i of the credits screen, as the frame loop draws it; `creditsTimer` counts on by one.
void CreditsFrame(Game& game, int i);

}  // namespace qv
