#include "platform/posix/posix_file_appender.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <ctime>
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
    case EISDIR:
      return u"это папка";
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
      return u"нет прав на запись";
    case ENOSPC:
    case EDQUOT:
      return u"нет места на диске";
    case EFBIG:
      return u"превышен предел размера файла";
    case ENXIO:
    case ENODEV:
    case ESPIPE:
    case EPIPE:
      return u"это не обычный файл";
    case ENAMETOOLONG:
      return u"слишком длинное имя файла";
    case ELOOP:
      return u"ссылки в пути замкнуты в круг";
    case EMFILE:
    case ENFILE:
      return u"открыто слишком много файлов";
    case EIO:
      return u"ошибка ввода-вывода";
    case ENOLCK:
      return u"файл нельзя заблокировать";
    default:
      return u"ошибка записи " + FromUtf8(std::to_string(error));
  }
}

// Below every system's IOV_MAX.
constexpr std::size_t kMaxVectors = 64;

// Keeps SIGPIPE and SIGXFSZ from the calling thread while it writes: a write
// past the file size limit (or to a pipe without a reader) fails with
// EFBIG (EPIPE) instead of killing the process. The signal such a write
// raised is taken back before the thread's own mask returns. The process's
// dispositions are never touched.
class WriteSignalGuard {
 public:
  WriteSignalGuard() {
    sigset_t blocked;
    sigemptyset(&blocked);
    sigaddset(&blocked, SIGPIPE);
    sigaddset(&blocked, SIGXFSZ);
    pthread_sigmask(SIG_BLOCK, &blocked, &saved_);
  }
  ~WriteSignalGuard() { pthread_sigmask(SIG_SETMASK, &saved_, nullptr); }
  WriteSignalGuard(const WriteSignalGuard&) = delete;
  WriteSignalGuard& operator=(const WriteSignalGuard&) = delete;

  // After a write failed with `error`: consumes the signal it raised.
  static void TakeBack(int error) {
    const int signal = error == EFBIG ? SIGXFSZ : error == EPIPE ? SIGPIPE : 0;
    if (signal == 0) return;
    sigset_t raised;
    sigemptyset(&raised);
    sigaddset(&raised, signal);
    const timespec now{};
    while (sigtimedwait(&raised, nullptr, &now) < 0 && errno == EINTR) {
    }
  }

 private:
  sigset_t saved_{};
};

class PosixAppendedFile : public AppendedFile {
 public:
  explicit PosixAppendedFile(int descriptor) : descriptor_(descriptor) {}
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
    const WriteSignalGuard guard;
    std::size_t next = 0;
    while (next < vectors.size()) {
      const int count = static_cast<int>(std::min<std::size_t>(vectors.size() - next, kMaxVectors));
      const ssize_t written = ::writev(descriptor_, vectors.data() + next, count);
      if (written < 0) {
        const int error = errno;
        if (error == EINTR) continue;
        WriteSignalGuard::TakeBack(error);
        reason = ReasonOf(error);
        return false;
      }
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

  std::uint64_t Size() const override {
    struct stat status {};
    return ::fstat(descriptor_, &status) == 0 ? static_cast<std::uint64_t>(status.st_size) : 0;
  }

  // flock: held by the open file, so two writers in one process exclude
  // each other as two processes do.
  bool Lock(std::u16string& reason) override {
    while (::flock(descriptor_, LOCK_EX) != 0) {
      if (errno != EINTR) {
        reason = ReasonOf(errno);
        return false;
      }
    }
    return true;
  }
  void Unlock() override { ::flock(descriptor_, LOCK_UN); }

  bool IsAt(const std::u16string& path) const override {
    struct stat named {
    }, open{};
    if (::stat(ToUtf8(path).c_str(), &named) != 0 || ::fstat(descriptor_, &open) != 0) {
      return false;
    }
    return open.st_nlink > 0 && named.st_dev == open.st_dev && named.st_ino == open.st_ino;
  }

  bool Truncate(std::uint64_t size, std::u16string& reason) override {
    while (::ftruncate(descriptor_, static_cast<off_t>(size)) != 0) {
      if (errno != EINTR) {
        reason = ReasonOf(errno);
        return false;
      }
    }
    return true;
  }

  std::uint64_t SizeCeiling() const override {
    rlimit limit{};
    if (::getrlimit(RLIMIT_FSIZE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) {
      return UINT64_MAX;
    }
    return static_cast<std::uint64_t>(limit.rlim_cur);
  }

 private:
  int descriptor_;
};

}  // namespace

std::unique_ptr<AppendedFile> PosixFileAppender::Open(const std::u16string& path,
                                                      std::u16string& reason) {
  // Without waiting: a FIFO without a reader fails (ENXIO) instead of
  // blocking until one comes; one with a reader is refused below.
  const int descriptor =
      ::open(ToUtf8(path).c_str(),
             O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NONBLOCK | O_NOCTTY, 0644);
  if (descriptor < 0) {
    reason = ReasonOf(errno);
    return nullptr;
  }
  struct stat status {};
  if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode) ||
      ::fcntl(descriptor, F_SETFL, O_APPEND) != 0) {
    reason = S_ISDIR(status.st_mode) ? u"это папка" : u"это не обычный файл";
    ::close(descriptor);
    return nullptr;
  }
  return std::make_unique<PosixAppendedFile>(descriptor);
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
