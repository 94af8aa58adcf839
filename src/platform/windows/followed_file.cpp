#include "platform/followed_file.h"

#include <windows.h>

#include "common/text.h"
#include "platform/windows/wide_text.h"

namespace kassivo {

namespace {

constexpr DWORD kEveryShare = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

HANDLE OpenShared(const std::string& path) {
  return CreateFileW(Wide(FromUtf8(path)), GENERIC_READ, kEveryShare, nullptr, OPEN_EXISTING,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

FileIdentity IdentityOf(const BY_HANDLE_FILE_INFORMATION& info) {
  return {info.dwVolumeSerialNumber,
          (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

class WindowsFollowedFile : public FollowedFile {
 public:
  WindowsFollowedFile(HANDLE handle, FileIdentity identity)
      : handle_(handle), identity_(identity) {}
  ~WindowsFollowedFile() override { CloseHandle(handle_); }
  WindowsFollowedFile(const WindowsFollowedFile&) = delete;
  WindowsFollowedFile& operator=(const WindowsFollowedFile&) = delete;

  FileIdentity identity() const override { return identity_; }

  std::optional<std::uint64_t> Size() override {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(handle_, &size)) return std::nullopt;
    return static_cast<std::uint64_t>(size.QuadPart);
  }

  std::ptrdiff_t Read(std::uint64_t offset, char* buffer, std::size_t size) override {
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    DWORD got = 0;
    const DWORD wanted = size > 0x10000000 ? 0x10000000 : static_cast<DWORD>(size);
    if (!ReadFile(handle_, buffer, wanted, &got, &at)) {
      return GetLastError() == ERROR_HANDLE_EOF ? 0 : -1;
    }
    return static_cast<std::ptrdiff_t>(got);
  }

 private:
  HANDLE handle_;
  FileIdentity identity_;
};

}  // namespace

OpenResult OpenFollowed(const std::string& path, std::unique_ptr<FollowedFile>& file,
                        std::string& reason) {
  const HANDLE handle = OpenShared(path);
  if (handle == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
      return OpenResult::kMissing;
    }
    reason = error == ERROR_ACCESS_DENIED ? "access denied" : "error " + std::to_string(error);
    return OpenResult::kFailed;
  }
  BY_HANDLE_FILE_INFORMATION info{};
  if (GetFileType(handle) != FILE_TYPE_DISK || !GetFileInformationByHandle(handle, &info) ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    CloseHandle(handle);
    reason = "not a regular file";
    return OpenResult::kFailed;
  }
  file = std::make_unique<WindowsFollowedFile>(handle, IdentityOf(info));
  return OpenResult::kOpened;
}

std::optional<FileIdentity> IdentifyPath(const std::string& path) {
  const HANDLE handle = OpenShared(path);
  if (handle == INVALID_HANDLE_VALUE) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION info{};
  const bool known = GetFileInformationByHandle(handle, &info) != 0;
  CloseHandle(handle);
  if (!known) return std::nullopt;
  return IdentityOf(info);
}

}  // namespace kassivo
