// The credits screen: the title "Quorvax 2" in many circling copies, built up over the first visit,
// the credit lines, and fireworks swirled by two demo black holes.
#pragma once

#include <string_view>

namespace qv {

struct Game;

inline constexpr int kCreditsLastFrame = 699;
inline constexpr int kCreditsTimerFull = 600;  // the title is complete from here on

inline constexpr std::string_view kCreditsTitle = "Quorvax 2";
// The lines sit at fixed offsets left of the centre, 16 pixels a character at 1024 wide: the credit
// line and the thanks are as long as those offsets centre; the makers' name is worth a few pixels.
inline constexpr std::string_view kCreditLine = "Quorvax for Linux, SDL";
inline constexpr std::string_view kAuthorLine = "by the Quorvax developers";
inline constexpr std::string_view kThanksLine = "everyone who plays, tests, breaks and helps mend Quorvax";

// What the screen does before its first frame: two more demo black holes near the centre, the whole
// screen as viewport, no scrolling.
void StartCredits(Game& game);

// Frame i of the credits screen, as the frame loop draws it; `creditsTimer` counts on by one.
void CreditsFrame(Game& game, int i);

}  // namespace qv
