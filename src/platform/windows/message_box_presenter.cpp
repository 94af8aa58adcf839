#include "platform/windows/message_box_presenter.h"

#include <windows.h>

#include "platform/windows/wide_text.h"

namespace kassivo {

void MessageBoxPresenter::Show(std::u16string_view text) {
  const std::u16string message(text);
  MessageBoxW(nullptr, Wide(message), L"Kassivo", MB_OK | MB_TASKMODAL | MB_SETFOREGROUND);
}

}  // namespace kassivo
