#include "platform/windows/windows_file_appender.h"

#include <windows.h>

#include <string>

#include "common/text.h"
#include "platform/windows/wide_text.h"

namespace kassivo {

namespace {

std::u16string ReasonOf(DWORD error) {
  switch (error) {
    case ERROR_PATH_NOT_FOUND:
    case ERROR_FILE_NOT_FOUND:
    case ERROR_INVALID_NAME:
      return u"папка не найдена";
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_SHARING_VIOLATION:
      return u"нет прав на запись";
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return u"диск заполнен";
    default:
      return u"ошибка записи " + FromUtf8(std::to_string(error));
  }
}

class WindowsAppendedFile : public AppendedFile {
 public:
  WindowsAppendedFile(HANDLE handle, std::uint64_t size) : handle_(handle), size_(size) {}
  ~WindowsAppendedFile() override { CloseHandle(handle_); }

  bool Append(std::string_view bytes, std::u16string& reason) override {
    while (!bytes.empty()) {
      const DWORD chunk = bytes.size() > 0x10000000 ? 0x10000000 : static_cast<DWORD>(bytes.size());
      DWORD written = 0;
      if (!WriteFile(handle_, bytes.data(), chunk, &written, nullptr) || written == 0) {
        reason = ReasonOf(GetLastError());
        return false;
      }
      size_ += written;
      bytes.remove_prefix(written);
    }
    return true;
  }
  std::uint64_t Size() const override { return size_; }

 private:
  HANDLE handle_;
  std::uint64_t size_;
};

}  // namespace

std::unique_ptr<AppendedFile> WindowsFileAppender::Open(const std::u16string& path,
                                                        std::u16string& reason) {
  const HANDLE handle = CreateFileW(Wide(path), FILE_APPEND_DATA,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    reason = ReasonOf(GetLastError());
    return nullptr;
  }
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(handle, &size)) {
    reason = ReasonOf(GetLastError());
    CloseHandle(handle);
    return nullptr;
  }
  return std::make_unique<WindowsAppendedFile>(handle, static_cast<std::uint64_t>(size.QuadPart));
}

bool WindowsFileAppender::Rename(const std::u16string& from, const std::u16string& to,
                                 std::u16string& reason) {
  if (MoveFileExW(Wide(from), Wide(to), MOVEFILE_REPLACE_EXISTING)) return true;
  reason = ReasonOf(GetLastError());
  return false;
}

}  // namespace kassivo
