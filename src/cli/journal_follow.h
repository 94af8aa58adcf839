// `kassivo show --follow JOURNAL`: a live tape. The journal's documents are
// drawn as they are appended (live_tape.h), and the file is watched for
// more (journal_tail.h: waited for while it does not exist, followed across
// rotation into a new file, and when cut short) until `wait` says to stop.
//
// Contract:
//  - `wait` is called whenever everything written so far has been drawn;
//    it waits a moment and answers true to look again, false to stop. The
//    open box is then closed, and the result is 0.
//  - a line replay would refuse: "kassivo: FILE:LINE: message" on `err`,
//    the open box closed, and kExitScriptError. So for a path that cannot
//    be read (a directory, no permission): "kassivo: cannot read journal
//    'FILE': reason".
//  - while the file does not exist, `err` says once that it is awaited.
#pragma once

#include <functional>
#include <ostream>
#include <string>

namespace kassivo::cli {

using FollowWait = std::function<bool()>;

int FollowJournal(const std::string& path, bool terminal, const FollowWait& wait, std::ostream& out,
                  std::ostream& err);

}  // namespace kassivo::cli
