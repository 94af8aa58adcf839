// A message presenter for a host without a desktop: it prints each message
// as UTF-8 on a stream (standard error by default), one message followed by
// a line break, and returns at once.
#pragma once

#include <cstdio>

#include "platform/platform.h"

namespace kassivo {

class StreamMessagePresenter : public MessagePresenter {
 public:
  explicit StreamMessagePresenter(std::FILE* stream = stderr) : stream_(stream) {}
  void Show(std::u16string_view text) override;

 private:
  std::FILE* stream_;
};

}  // namespace kassivo
