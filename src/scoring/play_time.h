// The play time of a game as the high-score table shows it, from a count of 50 Hz frames:
// "1 sec", "5 secs", "1 mn, 1 sec", "2 mns, 1 sec", "1 hr, ..."; no time at all is the empty text.
#pragma once

#include <string>

namespace qv {

// Negative counts read as 0 frames.
std::string FormatPlayTime(int frames);

}  // namespace qv
