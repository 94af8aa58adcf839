// The clock and random generator of a replayed process: they answer what
// the journal recorded (journal_script.h). Feed queues a value for the next
// call; Settle, after each call, drops what the call left unused.
#pragma once

#include <deque>

#include "platform/platform.h"
#include "platform/seeded_random.h"

namespace kassivo::cli {

class FedClock : public Clock {
 public:
  LocalDateTime Now() override;
  void Feed(const LocalDateTime& moment) { queued_.push_back(moment); }
  // The clock stays at the last reading fed.
  void Settle();

 private:
  std::deque<LocalDateTime> queued_;
  LocalDateTime last_;
};

class FedRandom : public Random {
 public:
  int Next() override;
  void Feed(int number) { queued_.push_back(number); }
  void Settle() { queued_.clear(); }

 private:
  std::deque<int> queued_;
  SeededRandom fallback_{1};
};

}  // namespace kassivo::cli
