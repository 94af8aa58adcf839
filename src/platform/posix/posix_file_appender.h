// The POSIX FileAppender: open(2) with O_APPEND, one write(2) loop per
// Append (no buffer in the process), rename(2). Paths are UTF-8.
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
