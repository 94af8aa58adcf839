#include "platform/posix/posix_file_appender.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <string>
#include <vector>

#include "common/text.h"

namespace kassivo {

namespace {

std::u16string ReasonOf(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      return u"папка не найдена";
    case EACCES:
    case EPERM:
    case EROFS:
      return u"нет прав на запись";
    case ENOSPC:
    case EDQUOT:
      return u"диск заполнен";
    default:
      return u"ошибка записи " + FromUtf8(std::to_string(error));
  }
}

// Below every system's IOV_MAX.
constexpr std::size_t kMaxVectors = 64;

class PosixAppendedFile : public AppendedFile {
 public:
  PosixAppendedFile(int descriptor, std::uint64_t size) : descriptor_(descriptor), size_(size) {}
  ~PosixAppendedFile() override { ::close(descriptor_); }

  bool Append(std::string_view bytes, std::u16string& reason) override {
    return AppendPieces({&bytes, 1}, reason);
  }
  // One writev for all the pieces (a few at a time past the system's limit),
  // continued where the system stopped after a partial write.
  bool AppendPieces(std::span<const std::string_view> pieces, std::u16string& reason) override {
    std::vector<iovec> vectors;
    vectors.reserve(pieces.size());
    for (const std::string_view piece : pieces) {
      if (!piece.empty()) vectors.push_back({const_cast<char*>(piece.data()), piece.size()});
    }
    std::size_t next = 0;
    while (next < vectors.size()) {
      const int count = static_cast<int>(std::min<std::size_t>(vectors.size() - next, kMaxVectors));
      const ssize_t written = ::writev(descriptor_, vectors.data() + next, count);
      if (written < 0) {
        if (errno == EINTR) continue;
        reason = ReasonOf(errno);
        return false;
      }
      size_ += static_cast<std::uint64_t>(written);
      for (auto left = static_cast<std::size_t>(written); left > 0;) {
        iovec& vector = vectors[next];
        const std::size_t taken = std::min(left, vector.iov_len);
        vector.iov_base = static_cast<char*>(vector.iov_base) + taken;
        vector.iov_len -= taken;
        left -= taken;
        if (vector.iov_len == 0) ++next;
      }
    }
    return true;
  }
  std::uint64_t Size() const override { return size_; }

 private:
  int descriptor_;
  std::uint64_t size_;
};

}  // namespace

std::unique_ptr<AppendedFile> PosixFileAppender::Open(const std::u16string& path,
                                                      std::u16string& reason) {
  const int descriptor =
      ::open(ToUtf8(path).c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  if (descriptor < 0) {
    reason = ReasonOf(errno);
    return nullptr;
  }
  struct stat status {};
  if (::fstat(descriptor, &status) != 0) {
    reason = ReasonOf(errno);
    ::close(descriptor);
    return nullptr;
  }
  return std::make_unique<PosixAppendedFile>(descriptor,
                                             static_cast<std::uint64_t>(status.st_size));
}

bool PosixFileAppender::Rename(const std::u16string& from, const std::u16string& to,
                               std::u16string& reason) {
  // The target goes first: renaming over an existing file makes ext4 start
  // writing the renamed file's data out at once, on the caller's thread.
  // (Only once the file to rename is known to be there.)
  const std::string source = ToUtf8(from);
  const std::string target = ToUtf8(to);
  struct stat status {};
  if (::lstat(source.c_str(), &status) != 0 || (::unlink(target.c_str()) != 0 && errno != ENOENT)) {
    reason = ReasonOf(errno);
    return false;
  }
  if (std::rename(source.c_str(), target.c_str()) == 0) return true;
  reason = ReasonOf(errno);
  return false;
}

}  // namespace kassivo
