#include "platform/stream_message_presenter.h"

#include "common/text.h"

namespace kassivo {

void StreamMessagePresenter::Show(std::u16string_view text) {
  const std::string line = ToUtf8(text) + "\n";
  std::fwrite(line.data(), 1, line.size(), stream_);
  std::fflush(stream_);
}

}  // namespace kassivo
