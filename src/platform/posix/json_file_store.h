// The registration store as one JSON file per user.
//
// The file holds the one key and its values, text and DWORD kept apart:
//
//   {
//     "key": "Software\\Orvelle\\Kassivo",
//     "values": {
//       "Fiscal": {"type":"REG_DWORD","data":1},
//       "KKTNumber": {"type":"REG_SZ","data":"0000000000000"},
//       "Path": {"type":"REG_EXPAND_SZ","data":"%HOME%"}
//     }
//   }
//
// A value's "data" is a UTF-8 string for REG_SZ and REG_EXPAND_SZ (the
// empty string for an empty text, which is not the same as a missing value)
// and an integer 0..4294967295 for REG_DWORD. Nothing else may appear: a
// file of any other shape counts as corrupt. "key" names the store's key: the
// registration's by default; the driver options' file names its own
// (kOptionsFileKey), so neither file is taken for the other.
//
// Read(): no file gives nullopt (the key is missing). A file that cannot be
// read or is corrupt (not JSON, wrong shape, wrong key, a DWORD out of range)
// also gives nullopt, and is left in place untouched.
//
// OpenForWrite(): creates the parent directories (null when that is not
// possible) and starts from the values in the file, so writes accumulate on
// top of them. When the file then is corrupt or unreadable, Commit() first
// renames it aside to PATH.corrupt (PATH.corrupt.1, .2, ... when that name is
// taken), so it is never silently destroyed.
//
// Commit(): writes the values to a temporary file in the same directory,
// flushes it, renames it over PATH and flushes the directory. On any failure
// it returns false, the temporary file is removed, and the previous file is
// still in place, whole (a failure to flush the directory comes after the
// rename: the new file is in place, but its survival of a crash is not
// assured, so that too returns false).
#pragma once

#include <memory>
#include <string>

#include "platform/platform.h"
#include "platform/posix/file_system.h"

namespace kassivo {

inline constexpr const char* kRegistrationFileKey = "Software\\Orvelle\\Kassivo";
inline constexpr const char* kOptionsFileKey = "Software\\Orvelle\\Kassivo\\Options";

class JsonFileStore : public RegistrationStore {
 public:
  // Uses the real file system.
  explicit JsonFileStore(std::string path, std::string key = kRegistrationFileKey);
  JsonFileStore(std::string path, std::shared_ptr<FileSystem> file_system,
                std::string key = kRegistrationFileKey);

  std::optional<StoredValues> Read() override;
  std::unique_ptr<StoreWriter> OpenForWrite() override;

  const std::string& path() const { return path_; }

 private:
  friend class JsonFileWriter;

  enum class State { kMissing, kGood, kCorrupt };
  // Reads and checks the file; `values` is filled when it is good.
  State Load(StoredValues& values);
  bool Save(const StoredValues& values, bool set_corrupt_file_aside);
  bool SetCorruptFileAside();

  std::string path_;
  std::string key_;
  std::string directory_;
  std::shared_ptr<FileSystem> file_system_;
};

// The JSON text of the file for `values` under `key`: UTF-8, one value a
// line, names in their sorted order, as in the example above.
std::string StoreFileText(const StoredValues& values,
                          const std::string& key = kRegistrationFileKey);

// The values the JSON text holds; nullopt when it is not a well-formed store
// file of `key`.
std::optional<StoredValues> ParseStoreFileText(const std::string& text,
                                               const std::string& key = kRegistrationFileKey);

}  // namespace kassivo
