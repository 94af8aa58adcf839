// The POSIX FileAppender: open(2) with O_APPEND (and O_NONBLOCK until the
// file is known to be a regular one), one writev(2) loop per Append or
// AppendPieces (no buffer in the process) with SIGPIPE and SIGXFSZ blocked
// in the writing thread, flock(2) for the writers' lock, rename(2) after the
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
