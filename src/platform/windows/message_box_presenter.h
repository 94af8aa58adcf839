// The modal message window with an OK button (MessageBoxW, task-modal). The
// call returns when the user has closed it.
#pragma once

#include "platform/platform.h"

namespace kassivo {

class MessageBoxPresenter : public MessagePresenter {
 public:
  void Show(std::u16string_view text) override;
};

}  // namespace kassivo
