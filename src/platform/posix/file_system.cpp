#include "platform/posix/file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>

namespace kassivo {

namespace {

// Closes a descriptor on scope exit.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  // Closes now and reports whether the close succeeded.
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

int OpenRetrying(const char* path, int flags, mode_t mode = 0) {
  int fd;
  do {
    fd = ::open(path, flags | O_CLOEXEC, mode);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

bool SyncDescriptor(int fd) {
  int result;
  do {
    result = ::fsync(fd);
  } while (result != 0 && errno == EINTR);
  return result == 0;
}

}  // namespace

FileSystem::ReadResult PosixFileSystem::ReadFile(const std::string& path, std::string& contents) {
  contents.clear();
  Descriptor fd(OpenRetrying(path.c_str(), O_RDONLY));
  if (fd.get() < 0) return errno == ENOENT ? ReadResult::kMissing : ReadResult::kFailed;
  char buffer[65536];
  while (true) {
    const ssize_t got = ::read(fd.get(), buffer, sizeof buffer);
    if (got < 0) {
      if (errno == EINTR) continue;
      return ReadResult::kFailed;
    }
    if (got == 0) break;
    contents.append(buffer, static_cast<std::size_t>(got));
  }
  return ReadResult::kOk;
}

bool PosixFileSystem::Exists(const std::string& path) {
  struct stat info;
  return ::lstat(path.c_str(), &info) == 0;
}

bool PosixFileSystem::CreateDirectories(const std::string& path) {
  if (path.empty()) return true;
  struct stat info;
  if (::stat(path.c_str(), &info) == 0) return S_ISDIR(info.st_mode);
  const std::size_t slash = path.find_last_of('/');
  if (slash != std::string::npos && slash > 0) {
    if (!CreateDirectories(path.substr(0, slash))) return false;
  }
  if (::mkdir(path.c_str(), 0700) == 0) return true;
  // Another process may have created it in the meantime.
  return errno == EEXIST && ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool PosixFileSystem::WriteFile(const std::string& path, const std::string& contents) {
  Descriptor fd(OpenRetrying(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600));
  if (fd.get() < 0) return false;
  std::size_t done = 0;
  while (done < contents.size()) {
    const ssize_t put = ::write(fd.get(), contents.data() + done, contents.size() - done);
    if (put < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<std::size_t>(put);
  }
  return fd.Close();
}

bool PosixFileSystem::SyncFile(const std::string& path) {
  Descriptor fd(OpenRetrying(path.c_str(), O_RDONLY));
  if (fd.get() < 0) return false;
  return SyncDescriptor(fd.get());
}

bool PosixFileSystem::SyncDirectory(const std::string& path) {
  Descriptor fd(OpenRetrying(path.empty() ? "." : path.c_str(), O_RDONLY | O_DIRECTORY));
  if (fd.get() < 0) return false;
  if (SyncDescriptor(fd.get())) return true;
  // Some file systems cannot flush a directory; the rename is all they offer.
  return errno == EINVAL || errno == ENOTSUP;
}

bool PosixFileSystem::Rename(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0;
}

bool PosixFileSystem::Remove(const std::string& path) {
  return ::unlink(path.c_str()) == 0;
}

std::string PosixFileSystem::TemporaryPathFor(const std::string& path) {
  static std::atomic<unsigned> counter{0};
  return path + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
}

}  // namespace kassivo
