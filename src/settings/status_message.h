// The one-line message that file operations and the axis wizard leave for the player. Only the
// dual-stick screen shows it: it draws the text while the counter is above 0 and counts it down once per
// frame it draws, so a message waits, unshown, while the player is elsewhere.
#pragma once

#include <string>
#include <string_view>

namespace qv {

inline constexpr int kStatusMessageFrames = 120;  // 2.4 seconds of that screen

struct StatusMessage {
  std::string statusMessage;
  int statusMessageFrames = 0;

  void Show(std::string_view text, int frames = kStatusMessageFrames) {
    statusMessage = text;
    statusMessageFrames = frames;
  }
};

}  // namespace qv
