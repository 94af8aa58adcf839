// The lines appended to a journal file, as they come (`kassivo show
// --follow`): each Poll reads what was written since the one before.
//
// Contract:
//  - a path that names nothing yet is waited for: Poll reads nothing.
//  - only whole lines are handed on; a last line without its line break
//    is kept until the break comes.
//  - a path renamed away (rotation: FILE became FILE.1 and a new FILE
//    began) or replaced: the old file is read to its end first, then the
//    new one from its start. A path removed: the next file at it is read
//    from its start.
//  - a file shorter than what was read (cut short): reading goes on from
//    where it now ends, the part of a line read beyond it dropped; an
//    emptied file is read again from its start.
//  - Line(text, first) gets each line without its break; `first` marks the
//    first line of a file (its line 1), after which numbering starts again.
//  - a path that names a directory, a FIFO, or a file that cannot be read:
//    Poll answers false with the reason.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/followed_file.h"

namespace kassivo::cli {

class JournalTail {
 public:
  using LineSink = std::function<void(std::string_view text, bool first)>;

  explicit JournalTail(std::string path) : path_(std::move(path)) {}

  bool Poll(const LineSink& line, std::string& reason);
  // A file has been found at the path (and is being read).
  bool open() const { return file_ != nullptr; }

 private:
  // Reads the open file to its end; false on a read error.
  bool Drain(const LineSink& line, std::string& reason);
  void Split(std::string_view bytes, const LineSink& line);

  std::string path_;
  std::unique_ptr<FollowedFile> file_;
  std::uint64_t offset_ = 0;
  std::string partial_;
  bool at_start_ = true;
};

}  // namespace kassivo::cli
