// A message window that records the texts it is shown until they are taken,
// and never blocks: the kassivo host prints them as "  M" lines after each
// call; the test process (testing/) keeps them for the tests to read.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/platform.h"

namespace kassivo {

class MessageRecorder : public MessagePresenter {
 public:
  void Show(std::u16string_view text) override { shown_.emplace_back(text); }

  // The texts shown since the last Take, oldest first.
  std::vector<std::u16string> Take() { return std::exchange(shown_, {}); }

 private:
  std::vector<std::u16string> shown_;
};

}  // namespace kassivo
