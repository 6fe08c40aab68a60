// The millisecond clock and sleep. The game counts frames, never elapsed time; the clock only paces
// frames to 20 ms and feeds the timing overlay.
#pragma once

#include <cstdint>

namespace qv {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::int64_t Millisecs() = 0;
  virtual void Delay(int ms) = 0;
};

}  // namespace qv
