#include "cli/journal_tail.h"

#include <vector>

namespace kassivo::cli {

bool JournalTail::Poll(const LineSink& line, std::string& reason) {
  for (;;) {
    if (!file_) {
      switch (OpenFollowed(path_, file_, reason)) {
        case OpenResult::kMissing:
          return true;
        case OpenResult::kFailed:
          return false;
        case OpenResult::kOpened:
          offset_ = 0;
          partial_.clear();
          at_start_ = true;
          break;
      }
    }
    // What the path names is looked at before the file is read: a writer
    // renames the journal only after its last append to it, so once the
    // rename is seen, reading the old file to its end reads all of it.
    const std::optional<FileIdentity> named = IdentifyPath(path_);
    if (!Drain(line, reason)) return false;
    if (named == file_->identity()) return true;
    file_.reset();
    if (!named) return true;
  }
}

bool JournalTail::Drain(const LineSink& line, std::string& reason) {
  const std::optional<std::uint64_t> size = file_->Size();
  if (size && *size < offset_) {
    // Cut short: go on from its end (its start when emptied).
    const std::uint64_t line_start = offset_ - partial_.size();
    if (*size <= line_start) {
      partial_.clear();
    } else {
      partial_.resize(static_cast<std::size_t>(*size - line_start));
    }
    offset_ = *size;
    if (*size == 0) at_start_ = true;
  }
  std::vector<char> buffer(64 * 1024);
  for (;;) {
    const std::ptrdiff_t got = file_->Read(offset_, buffer.data(), buffer.size());
    if (got < 0) {
      reason = "a read failed";
      return false;
    }
    if (got == 0) return true;
    offset_ += static_cast<std::uint64_t>(got);
    Split(std::string_view(buffer.data(), static_cast<std::size_t>(got)), line);
  }
}

void JournalTail::Split(std::string_view bytes, const LineSink& line) {
  while (!bytes.empty()) {
    const std::size_t end = bytes.find('\n');
    if (end == std::string_view::npos) {
      partial_.append(bytes);
      return;
    }
    std::string_view text = bytes.substr(0, end);
    if (!partial_.empty()) {
      partial_.append(text);
      text = partial_;
    }
    line(text, at_start_);
    at_start_ = false;
    partial_.clear();
    bytes.remove_prefix(end + 1);
  }
}

}  // namespace kassivo::cli
