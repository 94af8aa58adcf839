// kassivo options: the driver options as a process would read them, and
// saving them in the per-user options store.
//
//   kassivo options [--store=PATH|memory]                 prints each option
//   kassivo options [--store=PATH|memory] strict on|off   saves Strict
//   kassivo options [--store=PATH|memory] journal PATH|off  saves Journal
//   kassivo options [--store=PATH|memory] fault-actions on|off  saves
//                                                         FaultActions
// (the Faults option is listed here and set by kassivo faults)
//
// --store picks the registration store as for run; the options store is the
// one beside it (options.json in its folder; on Windows the key Options
// under it; in memory with an in-memory registration store).
//
// The listing has one line per option, "NAME: VALUE (ORIGIN)", the origin
// being default, store or environment. After a save the options are read
// again and listed, so a variable that overrides the store shows as such
// (with a line saying so); a KASSIVO_STRICT that is neither 1 nor 0 gets a
// line saying it is ignored. A journal path is saved absolute, resolved
// against the current folder.
//
// Exit status: 0 when listed or saved, 1 when the store cannot be written
// (message on the error stream); bad arguments throw UsageError.
#pragma once

#include <string>
#include <vector>

#include "cli/commands.h"

namespace kassivo::cli {

// `args` starts with "options".
int OptionsCommand(const std::vector<std::string>& args, Console& console);

}  // namespace kassivo::cli
