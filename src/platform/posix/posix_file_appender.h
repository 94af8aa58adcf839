// The POSIX FileAppender: open(2) with O_APPEND, one writev(2) loop per
// Append or AppendPieces (no buffer in the process), rename(2) after the
// target is removed. Paths are UTF-8.
#pragma once

#include "platform/platform.h"

namespace kassivo {

class PosixFileAppender : public FileAppender {
 public:
  std::unique_ptr<AppendedFile> Open(const std::u16string& path, std::u16string& reason) override;
  bool Rename(const std::u16string& from, const std::u16string& to,
              std::u16string& reason) override;
};

}  // namespace kassivo
