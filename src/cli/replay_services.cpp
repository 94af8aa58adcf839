#include "cli/replay_services.h"

namespace kassivo::cli {

LocalDateTime FedClock::Now() {
  if (!queued_.empty()) {
    last_ = queued_.front();
    queued_.pop_front();
  }
  return last_;
}

void FedClock::Settle() {
  if (!queued_.empty()) last_ = queued_.back();
  queued_.clear();
}

int FedRandom::Next() {
  if (queued_.empty()) return fallback_.Next();
  const int number = queued_.front();
  queued_.pop_front();
  return number;
}

}  // namespace kassivo::cli
