#include "journal/journal_file.h"

#include <utility>

namespace kassivo {

namespace {

constexpr const char16_t* kTooLarge = u"превышен предел размера файла";

// How often a writer opens the path again in one append when, each time,
// another file has taken its place before the lock was had.
constexpr int kOpenAttempts = 8;

// What the system lets a file of `size` bytes grow by.
std::uint64_t Room(std::uint64_t size, std::uint64_t ceiling) {
  return ceiling > size ? ceiling - size : 0;
}

}  // namespace

JournalFile::JournalFile(FileAppender& files, std::u16string path, std::uint64_t size_limit,
                         HeaderMaker header)
    : files_(files), path_(std::move(path)), size_limit_(size_limit), header_(std::move(header)) {}

JournalFile::~JournalFile() {
  Close();
}

bool JournalFile::Begin(std::u16string& reason) {
  if (!OpenPath(reason) || !Hold(reason) || (file_->Size() >= size_limit_ && !Rotate(reason))) {
    Close();
    return false;
  }
  // Nothing waits to be written: the header alone.
  if (Append({}, reason) == Appended::kFailed) {
    Close();
    return false;
  }
  Release();
  return true;
}

JournalFile::Appended JournalFile::Append(std::span<const std::string_view> pieces,
                                          std::u16string& reason) {
  if (!file_) {
    reason = u"файл закрыт";
    return Appended::kFailed;
  }
  if (!Hold(reason)) return Failed();
  std::uint64_t bytes = 0;
  for (const std::string_view piece : pieces) bytes += piece.size();
  std::uint64_t size = file_->Size();
  const std::uint64_t ceiling = file_->SizeCeiling();
  if (!begun_in_hold_ && size > 0 && bytes > Room(size, ceiling)) {
    if (!Rotate(reason)) return Failed();
    size = file_->Size();
  }
  if (owes_header_) {
    if (!WriteHeader(size, ceiling, false, reason)) return Failed();
    size = file_->Size();
  }
  if (bytes > Room(size, ceiling)) {
    reason = kTooLarge;
    return Failed();
  }
  if (!Write(pieces, size, reason)) return Failed();
  size += bytes;
  if (bytes > 0 && size >= size_limit_) {
    if (!Rotate(reason) || !WriteHeader(file_->Size(), ceiling, true, reason)) return Failed();
  }
  Release();
  return Appended::kWritten;
}

void JournalFile::Release() noexcept {
  if (held_) file_->Unlock();
  held_ = false;
  begun_in_hold_ = false;
}

void JournalFile::Close() noexcept {
  Release();
  file_.reset();
}

bool JournalFile::Hold(std::u16string& reason) {
  if (held_) return true;
  for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
    if (!file_->Lock(reason)) return false;
    held_ = true;
    if (file_->IsAt(path_)) return true;
    if (!OpenPath(reason)) return false;
  }
  reason = u"файл всё время заменяют";
  return false;
}

bool JournalFile::OpenPath(std::u16string& reason) {
  Close();
  file_ = files_.Open(path_, reason);
  owes_header_ = true;
  return file_ != nullptr;
}

bool JournalFile::Rotate(std::u16string& reason) {
  // Under the lock of the file renamed: a writer waiting for it finds the
  // path naming another file, and opens that.
  if (!files_.Rename(path_, path_ + u".1", reason) || !OpenPath(reason) || !Hold(reason)) {
    return false;
  }
  begun_in_hold_ = true;
  return true;
}

bool JournalFile::WriteHeader(std::uint64_t size, std::uint64_t ceiling, bool after_block,
                              std::u16string& reason) {
  const std::string header = header_(after_block);
  owes_header_ = false;
  begun_in_hold_ = true;
  if (header.size() > Room(size, ceiling)) {
    reason = kTooLarge;
    return false;
  }
  const std::string_view text = header;
  return Write({&text, 1}, size, reason);
}

bool JournalFile::Write(std::span<const std::string_view> pieces, std::uint64_t size,
                        std::u16string& reason) {
  if (file_->AppendPieces(pieces, reason)) return true;
  // Whatever part went in is cut off: the next writer's lines must not
  // follow a cut one.
  std::u16string ignored;
  file_->Truncate(size, ignored);
  return false;
}

JournalFile::Appended JournalFile::Failed() {
  Release();
  return Appended::kFailed;
}

}  // namespace kassivo
