#include "platform/posix/posix_file_appender.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>

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

class PosixAppendedFile : public AppendedFile {
 public:
  PosixAppendedFile(int descriptor, std::uint64_t size) : descriptor_(descriptor), size_(size) {}
  ~PosixAppendedFile() override { ::close(descriptor_); }

  bool Append(std::string_view bytes, std::u16string& reason) override {
    while (!bytes.empty()) {
      const ssize_t written = ::write(descriptor_, bytes.data(), bytes.size());
      if (written < 0) {
        if (errno == EINTR) continue;
        reason = ReasonOf(errno);
        return false;
      }
      size_ += static_cast<std::uint64_t>(written);
      bytes.remove_prefix(static_cast<std::size_t>(written));
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
  if (std::rename(ToUtf8(from).c_str(), ToUtf8(to).c_str()) == 0) return true;
  reason = ReasonOf(errno);
  return false;
}

}  // namespace kassivo
