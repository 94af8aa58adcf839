// The file-system effects the JSON registration store needs.
//
// Every step of an atomic save (write a file, flush it, rename it, flush the
// directory) is one call, so a test can replace the real file system and
// make any single step fail. Paths are native byte strings. Every call
// reports failure by its result and never throws.
#pragma once

#include <string>

namespace kassivo {

class FileSystem {
 public:
  enum class ReadResult { kOk, kMissing, kFailed };

  virtual ~FileSystem() = default;

  // Reads the whole file into `contents`. kMissing when no file has that
  // path; kFailed for any other error (no permission, a directory, I/O).
  virtual ReadResult ReadFile(const std::string& path, std::string& contents) = 0;
  // True when something (file or directory) has that path.
  virtual bool Exists(const std::string& path) = 0;
  // Creates the directory and its missing parents (mode 0700 for new ones);
  // true when the directory exists afterwards.
  virtual bool CreateDirectories(const std::string& path) = 0;
  // Creates or truncates the file (mode 0600 when created) and writes all of
  // `contents` to it.
  virtual bool WriteFile(const std::string& path, const std::string& contents) = 0;
  // Flushes the file's data and metadata to the device.
  virtual bool SyncFile(const std::string& path) = 0;
  // Flushes the directory's entries (the result of a rename) to the device.
  virtual bool SyncDirectory(const std::string& path) = 0;
  // Renames `from` to `to` atomically, replacing `to` when it exists.
  virtual bool Rename(const std::string& from, const std::string& to) = 0;
  virtual bool Remove(const std::string& path) = 0;
  // A path next to `path`, in the same directory, that no other process
  // writing the same file uses at the same time.
  virtual std::string TemporaryPathFor(const std::string& path) = 0;
};

// The real file system, through POSIX calls.
class PosixFileSystem : public FileSystem {
 public:
  ReadResult ReadFile(const std::string& path, std::string& contents) override;
  bool Exists(const std::string& path) override;
  bool CreateDirectories(const std::string& path) override;
  bool WriteFile(const std::string& path, const std::string& contents) override;
  bool SyncFile(const std::string& path) override;
  bool SyncDirectory(const std::string& path) override;
  bool Rename(const std::string& from, const std::string& to) override;
  bool Remove(const std::string& path) override;
  std::string TemporaryPathFor(const std::string& path) override;
};

}  // namespace kassivo
