// The kassivo host's message window: it records the texts a call shows so
// the session runner can print them as "  M" lines after the call. It never
// blocks.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/platform.h"

namespace kassivo::cli {

class MessageRecorder : public MessagePresenter {
 public:
  void Show(std::u16string_view text) override { shown_.emplace_back(text); }

  // The texts shown since the last Take, oldest first.
  std::vector<std::u16string> Take() { return std::exchange(shown_, {}); }

 private:
  std::vector<std::u16string> shown_;
};

}  // namespace kassivo::cli
