// The call journal's file on disk, shared with every other writer of its
// path (other host processes of the user write the same default file).
//
// Each append runs under the file's lock (AppendedFile::Lock), and there:
//  - a path that no longer names the open file (another writer rotated it,
//    or someone deleted or moved it) is opened again;
//  - the file's real size decides rotation: a file at the size limit, or
//    one the block would carry past the system's file size limit, is
//    renamed to PATH.1 (replacing an older one) and a new one begins;
//  - a file this writer begins writing in (the first, one it rotated, one
//    it opened again) gets the header first: `header(false)` is called for
//    it, and the block follows under the same hold;
//  - the block goes in with one write; a write that fails part-way is cut
//    back to where the block began, so the file ends after a whole block.
// After a block that brings the file to the size limit, it is rotated at
// once and the new file gets its header alone (`header(true)`: it follows
// the block). Release lets the lock go whatever happened.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace kassivo {

class JournalFile {
 public:
  // The header of a file this writer begins writing in; `after_block`: it
  // follows the block just written rather than preceding the one to write.
  using HeaderMaker = std::function<std::string(bool after_block)>;
  enum class Appended { kWritten, kFailed };

  JournalFile(FileAppender& files, std::u16string path, std::uint64_t size_limit,
              HeaderMaker header);
  ~JournalFile();
  JournalFile(const JournalFile&) = delete;
  JournalFile& operator=(const JournalFile&) = delete;

  // Opens the path and writes the first header (after rotating a file
  // already at the limit); false with the reason when it cannot.
  bool Begin(std::u16string& reason);
  Appended Append(std::span<const std::string_view> pieces, std::u16string& reason);
  void Release() noexcept;
  // Closes the file (letting its lock go).
  void Close() noexcept;

  bool open() const { return file_ != nullptr; }
  void set_size_limit(std::uint64_t bytes) { size_limit_ = bytes; }

 private:
  // Locks the file at the path, opening the path again (and so owing a
  // header) while it names another file or none.
  bool Hold(std::u16string& reason);
  bool OpenPath(std::u16string& reason);
  // Under the lock: renames the file to PATH.1 and holds a new one.
  bool Rotate(std::u16string& reason);
  // The header this writer owes the held file of `size` bytes.
  bool WriteHeader(std::uint64_t size, std::uint64_t ceiling, bool after_block,
                   std::u16string& reason);
  // Writes at the end of the held file of `size` bytes; cut back on failure.
  bool Write(std::span<const std::string_view> pieces, std::uint64_t size, std::u16string& reason);
  Appended Failed();

  FileAppender& files_;
  std::u16string path_;
  std::uint64_t size_limit_;
  HeaderMaker header_;
  std::unique_ptr<AppendedFile> file_;
  bool held_ = false;
  // The file is one this writer has not written a header in yet.
  bool owes_header_ = false;
  // This hold began the file: it is not rotated again before the lock goes.
  bool begun_in_hold_ = false;
};

}  // namespace kassivo
