#include "platform/followed_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace kassivo {

namespace {

FileIdentity IdentityOf(const struct stat& status) {
  return {static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino)};
}

class PosixFollowedFile : public FollowedFile {
 public:
  PosixFollowedFile(int fd, FileIdentity identity) : fd_(fd), identity_(identity) {}
  ~PosixFollowedFile() override { ::close(fd_); }
  PosixFollowedFile(const PosixFollowedFile&) = delete;
  PosixFollowedFile& operator=(const PosixFollowedFile&) = delete;

  FileIdentity identity() const override { return identity_; }

  std::optional<std::uint64_t> Size() override {
    struct stat status {};
    if (::fstat(fd_, &status) != 0) return std::nullopt;
    return static_cast<std::uint64_t>(status.st_size);
  }

  std::ptrdiff_t Read(std::uint64_t offset, char* buffer, std::size_t size) override {
    for (;;) {
      const ssize_t got = ::pread(fd_, buffer, size, static_cast<off_t>(offset));
      if (got >= 0 || errno != EINTR) return got;
    }
  }

 private:
  int fd_;
  FileIdentity identity_;
};

}  // namespace

OpenResult OpenFollowed(const std::string& path, std::unique_ptr<FollowedFile>& file,
                        std::string& reason) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    if (errno == ENOENT) return OpenResult::kMissing;
    reason = std::strerror(errno);
    return OpenResult::kFailed;
  }
  struct stat status {};
  if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
    reason = S_ISDIR(status.st_mode) ? "a directory" : "not a regular file";
    ::close(fd);
    return OpenResult::kFailed;
  }
  file = std::make_unique<PosixFollowedFile>(fd, IdentityOf(status));
  return OpenResult::kOpened;
}

std::optional<FileIdentity> IdentifyPath(const std::string& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) return std::nullopt;
  return IdentityOf(status);
}

}  // namespace kassivo
