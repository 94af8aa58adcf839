// The Windows FileAppender: CreateFileW for writing, shared for reading,
// writing and deletion so a viewer can open the journal (and rotate or
// delete it) while the host writes; only a disk file opens. WriteFile at the
// end per Append, LockFileEx on a byte far past the end for the writers'
// lock, the file IDs to tell whether the path still names the file;
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
