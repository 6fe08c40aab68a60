// A clock that never sleeps: Delay moves virtual time forward at once. `workPerRead` lets a test
// pretend that each frame's work takes time (every read of the clock advances it).
#pragma once

#include <vector>

#include "platform/clock.h"

namespace qv {

class HeadlessClock : public Clock {
 public:
  std::int64_t Millisecs() override {
    now_ += workPerRead;
    return now_;
  }
  void Delay(int ms) override {
    if (ms > 0) now_ += ms;
    delays_.push_back(ms);
  }
  void Advance(std::int64_t ms) { now_ += ms; }
  std::int64_t now() const { return now_; }
  const std::vector<int>& delays() const { return delays_; }
  void ClearDelays() { delays_.clear(); }

  int workPerRead = 0;

 private:
  std::int64_t now_ = 1000;
  std::vector<int> delays_;
};

}  // namespace qv
