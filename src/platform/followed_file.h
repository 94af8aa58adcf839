// A file read while others append to it, rename it or cut it: what
// `kassivo show --follow` needs of the system to follow a journal.
//
// Contract:
//  - OpenFollowed opens the path for reading only, never waiting (a FIFO
//    or a device is refused as "not a regular file") and never keeping a
//    writer from renaming or removing it (Windows: every share mode). It
//    answers kMissing when nothing has that path, kFailed with the reason
//    in `reason` for anything else.
//  - the identity of an open file stays with the file when it is renamed;
//    IdentifyPath gives the identity of the file the path names now
//    (nullopt: none), to tell that the path was rotated or replaced.
//  - Read reads at `offset` at most `size` bytes; 0 at the end; -1 on an
//    error. Size is the file's size now.
// Paths are UTF-8.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace kassivo {

struct FileIdentity {
  std::uint64_t device = 0;
  std::uint64_t index = 0;
  bool operator==(const FileIdentity&) const = default;
};

class FollowedFile {
 public:
  virtual ~FollowedFile() = default;
  virtual FileIdentity identity() const = 0;
  virtual std::optional<std::uint64_t> Size() = 0;
  virtual std::ptrdiff_t Read(std::uint64_t offset, char* buffer, std::size_t size) = 0;
};

enum class OpenResult { kOpened, kMissing, kFailed };

OpenResult OpenFollowed(const std::string& path, std::unique_ptr<FollowedFile>& file,
                        std::string& reason);
std::optional<FileIdentity> IdentifyPath(const std::string& path);

}  // namespace kassivo
