#include "scoring/play_time.h"

namespace qv {

std::string FormatPlayTime(int frames) {
  const int seconds = frames > 0 ? frames / 50 : 0;
  const int minutes = seconds / 60;
  const int hours = minutes / 60;
  // A unit is shown whenever the total reaches it, even when its remainder is 0: one minute exactly
  // reads "1 mn, 0 sec", as the table has always shown it.
  std::string text;
  if (hours > 0) text += std::to_string(hours) + " hr" + (hours > 1 ? "s, " : ", ");
  if (minutes > 0) text += std::to_string(minutes % 60) + " mn" + (minutes % 60 > 1 ? "s, " : ", ");
  if (seconds > 0) text += std::to_string(seconds % 60) + " sec" + (seconds % 60 > 1 ? "s" : "");
  return text;
}

}  // namespace qv
