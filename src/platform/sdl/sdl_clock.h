// The real clock. Delay sleeps precisely: the system sleep for most of the wait, then a short spin on
// the high-resolution counter, so a 20 ms frame is 20 ms and not 21 or 30.
#pragma once

#include "platform/clock.h"

namespace qv {

class SdlClock : public Clock {
 public:
  SdlClock();
  std::int64_t Millisecs() override;
  void Delay(int ms) override;
};

}  // namespace qv
