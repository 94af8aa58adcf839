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
    case ERROR_BAD_NETPATH:
      return u"папка не найдена";
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_SHARING_VIOLATION:
      return u"нет прав на запись";
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return u"нет места на диске";
    case ERROR_FILE_TOO_LARGE:
      return u"превышен предел размера файла";
    case ERROR_FILENAME_EXCED_RANGE:
      return u"слишком длинное имя файла";
    case ERROR_TOO_MANY_OPEN_FILES:
      return u"открыто слишком много файлов";
    case ERROR_PIPE_BUSY:
    case ERROR_BAD_PIPE:
    case ERROR_NO_DATA:
      return u"это не обычный файл";
    case ERROR_LOCK_VIOLATION:
      return u"файл нельзя заблокировать";
    default:
      return u"ошибка записи " + FromUtf8(std::to_string(error));
  }
}

// The writers' lock: one byte far past any journal's end, where no append
// and no reader ever reaches (a range lock on Windows stops others' reads
// and writes of the range).
OVERLAPPED LockedByte() {
  OVERLAPPED place{};
  place.Offset = 0;
  place.OffsetHigh = 0x40000000;
  return place;
}

bool SameFile(const BY_HANDLE_FILE_INFORMATION& a, const BY_HANDLE_FILE_INFORMATION& b) {
  return a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh &&
         a.nFileIndexLow == b.nFileIndexLow;
}

// Opened for writing (not FILE_APPEND_DATA, so that a cut part-way append can
// be taken back): every append moves to the end first, under the lock.
class WindowsAppendedFile : public AppendedFile {
 public:
  explicit WindowsAppendedFile(HANDLE handle) : handle_(handle) {}
  ~WindowsAppendedFile() override { CloseHandle(handle_); }

  bool Append(std::string_view bytes, std::u16string& reason) override {
    if (!SetFilePointerEx(handle_, LARGE_INTEGER{}, nullptr, FILE_END)) {
      reason = ReasonOf(GetLastError());
      return false;
    }
    while (!bytes.empty()) {
      const DWORD chunk = bytes.size() > 0x10000000 ? 0x10000000 : static_cast<DWORD>(bytes.size());
      DWORD written = 0;
      if (!WriteFile(handle_, bytes.data(), chunk, &written, nullptr) || written == 0) {
        reason = ReasonOf(GetLastError());
        return false;
      }
      bytes.remove_prefix(written);
    }
    return true;
  }

  std::uint64_t Size() const override {
    LARGE_INTEGER size{};
    return GetFileSizeEx(handle_, &size) ? static_cast<std::uint64_t>(size.QuadPart) : 0;
  }

  bool Lock(std::u16string& reason) override {
    OVERLAPPED place = LockedByte();
    if (LockFileEx(handle_, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &place)) return true;
    reason = ReasonOf(GetLastError());
    return false;
  }
  void Unlock() override {
    OVERLAPPED place = LockedByte();
    UnlockFileEx(handle_, 0, 1, 0, &place);
  }

  bool IsAt(const std::u16string& path) const override {
    BY_HANDLE_FILE_INFORMATION open{}, named{};
    if (!GetFileInformationByHandle(handle_, &open) || open.nNumberOfLinks == 0) return false;
    const HANDLE other =
        CreateFileW(Wide(path), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (other == INVALID_HANDLE_VALUE) return false;
    const bool same = GetFileInformationByHandle(other, &named) && SameFile(open, named);
    CloseHandle(other);
    return same;
  }

  bool Truncate(std::uint64_t size, std::u16string& reason) override {
    LARGE_INTEGER end{};
    end.QuadPart = static_cast<LONGLONG>(size);
    if (SetFilePointerEx(handle_, end, nullptr, FILE_BEGIN) && SetEndOfFile(handle_)) return true;
    reason = ReasonOf(GetLastError());
    return false;
  }

 private:
  HANDLE handle_;
};

}  // namespace

std::unique_ptr<AppendedFile> WindowsFileAppender::Open(const std::u16string& path,
                                                        std::u16string& reason) {
  const HANDLE handle =
      CreateFileW(Wide(path), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    const DWORD attributes = GetFileAttributesW(Wide(path));
    const bool folder =
        attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    reason = folder ? u"это папка" : ReasonOf(error);
    return nullptr;
  }
  // A device (CON, NUL, a COM port) or a pipe is no journal.
  BY_HANDLE_FILE_INFORMATION information{};
  if (GetFileType(handle) != FILE_TYPE_DISK || !GetFileInformationByHandle(handle, &information) ||
      (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    reason = (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0
                 ? u"это папка"
                 : u"это не обычный файл";
    CloseHandle(handle);
    return nullptr;
  }
  return std::make_unique<WindowsAppendedFile>(handle);
}

bool WindowsFileAppender::Rename(const std::u16string& from, const std::u16string& to,
                                 std::u16string& reason) {
  if (MoveFileExW(Wide(from), Wide(to), MOVEFILE_REPLACE_EXISTING)) return true;
  reason = ReasonOf(GetLastError());
  return false;
}

}  // namespace kassivo
