// kassivo replay [--compare] FILE...  and  kassivo show FILE... : the call
// journal's commands (journal_replay.h, journal_show.h), over the files in
// the order given (a rotated journal's older file first). "-" alone reads
// stdin. kassivo show --follow FILE: the live tape (journal_follow.h) until
// Ctrl-C (SIGINT) or SIGTERM, after which it closes the open receipt and
// exits 0.
// A file that cannot be read: message and status kExitScriptError; bad
// arguments throw UsageError.
#pragma once

#include <string>
#include <vector>

#include "cli/commands.h"

namespace kassivo::cli {

// `args` starts with "replay" or "show".
int JournalCommand(const std::vector<std::string>& args, Console& console);

}  // namespace kassivo::cli
