// Platform services.
//
// The driver core never calls an operating-system API directly: everything it
// needs from the OS goes through these interfaces, gathered in Platform.
// POSIX implementations live in platform/posix/, the test process in testing/.
// Each interface is small so a test can wrap one to inject a fault.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "common/number_format.h"
#include "platform/xml.h"

namespace kassivo {

// One value of the per-user registration store. Text and 32-bit DWORD values
// are kept apart; kExpandText is a text stored as "expandable" (read
// unexpanded); kOther is a value of any other type (binary, 64-bit, a list of
// texts) that the store found under the key: the driver never writes one.
struct StoredValue {
  enum class Type { kText, kExpandText, kDWord, kOther };
  Type type = Type::kText;
  std::u16string text;
  std::uint32_t dword = 0;

  static StoredValue Text(std::u16string t) { return {Type::kText, std::move(t), 0}; }
  static StoredValue DWord(std::uint32_t d) { return {Type::kDWord, {}, d}; }
  bool operator==(const StoredValue&) const = default;
};

using StoredValues = std::map<std::u16string, StoredValue>;

// Writes values under the store's one key. A write either succeeds or fails;
// Commit makes the successful writes durable (the JSON store replaces its
// file atomically there; a registry writes through and commits nothing).
class StoreWriter {
 public:
  virtual ~StoreWriter() = default;
  virtual bool Write(const std::u16string& name, const StoredValue& value) = 0;
  virtual bool Commit() = 0;
};

// The per-user store of the registration data: one key, named values. The
// driver's own options are kept in a second store of the same kind.
class RegistrationStore {
 public:
  virtual ~RegistrationStore() = default;
  // The values under the key; nullopt when the key is missing or unreadable.
  virtual std::optional<StoredValues> Read() = 0;
  // Opens the key for writing, creating it; null when that is impossible.
  virtual std::unique_ptr<StoreWriter> OpenForWrite() = 0;
};

struct LocalDateTime {
  int year = 1970, month = 1, day = 1, hour = 0, minute = 0, second = 0, millisecond = 0;
  bool operator==(const LocalDateTime&) const = default;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalDateTime Now() = 0;
};

// Pseudo-random integers 0..999, uniformly; seeded once when created.
class Random {
 public:
  virtual ~Random() = default;
  virtual int Next() = 0;
};

// Full Unicode upper-case mapping (Cyrillic and Latin alike).
class UpperCaser {
 public:
  virtual ~UpperCaser() = default;
  virtual std::u16string ToUpper(std::u16string_view text) const = 0;
};

// A modal message window with an OK button. On a desktop-less host the
// presenter shows or records the text and returns at once.
class MessagePresenter {
 public:
  virtual ~MessagePresenter() = default;
  virtual void Show(std::u16string_view text) = 0;
};

// A file opened for appending, which other programs may open, read, rename
// or delete while it is written. Only a regular file opens (anything else:
// "это не обычный файл", "это папка"), and opening never waits on it.
// Append hands all of `bytes` to the system before it returns (nothing stays
// in a buffer of the process), so a crash of the process loses nothing
// appended; an append never raises a signal in the process (past the
// system's file size limit it fails instead). Failures come back as a short
// Russian reason ("нет прав на запись", "нет места на диске" ...), never
// thrown. AppendPieces appends the pieces one after another as Append would
// their concatenation (by default it joins them; a file may gather them into
// one write of the system instead).
//
// Writers of one path share it through Lock: while a writer holds the lock
// (a lock of the file, shared by every process that opened it), no other
// writer appends, renames it or cuts it. Size and IsAt ask the system, so
// they see what other writers did.
class AppendedFile {
 public:
  virtual ~AppendedFile() = default;
  virtual bool Append(std::string_view bytes, std::u16string& reason) = 0;
  virtual bool AppendPieces(std::span<const std::string_view> pieces, std::u16string& reason);
  // The file's size in bytes now, with what every writer appended.
  virtual std::uint64_t Size() const = 0;
  // Waits for the file's lock, then holds it until Unlock.
  virtual bool Lock(std::u16string& reason) = 0;
  virtual void Unlock() = 0;
  // Whether `path` still names this file: not renamed, replaced or deleted.
  virtual bool IsAt(const std::u16string& path) const = 0;
  // Cuts the file back to its first `size` bytes.
  virtual bool Truncate(std::uint64_t size, std::u16string& reason) = 0;
  // The largest size the system lets this process give a file.
  virtual std::uint64_t SizeCeiling() const { return UINT64_MAX; }
};

inline bool AppendedFile::AppendPieces(std::span<const std::string_view> pieces,
                                       std::u16string& reason) {
  std::string joined;
  std::size_t size = 0;
  for (const std::string_view piece : pieces) size += piece.size();
  joined.reserve(size);
  for (const std::string_view piece : pieces) joined += piece;
  return Append(joined, reason);
}

// Opens files for appending (creating them; never creating folders) and
// renames them, replacing the target.
class FileAppender {
 public:
  virtual ~FileAppender() = default;
  virtual std::unique_ptr<AppendedFile> Open(const std::u16string& path,
                                             std::u16string& reason) = 0;
  virtual bool Rename(const std::u16string& from, const std::u16string& to,
                      std::u16string& reason) = 0;
};

// The process's environment variables: the value of one, nullopt when it is
// not set. The POSIX hosts take the bytes as UTF-8; Windows reads the wide
// environment.
using EnvironmentReader = std::function<std::optional<std::u16string>(const char* name)>;

// The process the driver is loaded in, as the call journal names it: the
// system's process id and the host program's file name (without folders).
// Zero and empty where the platform does not say (a test's own platform).
struct ProcessIdentity {
  std::uint64_t id = 0;
  std::u16string program;
};

struct Platform {
  std::unique_ptr<RegistrationStore> store;
  // The driver options' store (null: none, the options keep their defaults).
  std::unique_ptr<RegistrationStore> options_store;
  // Empty: no environment (as in a test's own platform).
  EnvironmentReader environment;
  std::unique_ptr<XmlParser> xml;
  std::unique_ptr<Clock> clock;
  std::unique_ptr<Random> random;
  std::unique_ptr<UpperCaser> upper;
  std::unique_ptr<MessagePresenter> messages;
  // The call journal's files (null: no journal can be written).
  std::unique_ptr<FileAppender> files;
  NumberFormat number_format;
  ProcessIdentity process;
};

}  // namespace kassivo
