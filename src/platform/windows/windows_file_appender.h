// The Windows FileAppender: CreateFileW with FILE_APPEND_DATA, shared for
// reading, writing and deletion so a viewer can open the journal (and
// rotate or delete it) while the host writes; WriteFile per Append;
// MoveFileExW with MOVEFILE_REPLACE_EXISTING.
#pragma once

#include "platform/platform.h"

namespace kassivo {

class WindowsFileAppender : public FileAppender {
 public:
  std::unique_ptr<AppendedFile> Open(const std::u16string& path, std::u16string& reason) override;
  bool Rename(const std::u16string& from, const std::u16string& to,
              std::u16string& reason) override;
};

}  // namespace kassivo
