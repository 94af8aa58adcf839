// kassivo faults: the faults a driver process begins with, kept in the
// options store as the Faults option, and the catalogue of faults.
//
//   kassivo faults [--store=PATH|memory]             what is set, and from
//                                                    where (store or
//                                                    KASSIVO_FAULTS)
//   kassivo faults [--store=PATH|memory] set FAULTS  saves FAULTS (it replaces
//                                                    what the store held)
//   kassivo faults [--store=PATH|memory] clear       saves none
//   kassivo faults list                              the catalogue: names,
//                                                    values, what they
//                                                    refuse, messages
//
// A saved change reaches the host processes started afterwards; one that
// runs keeps its faults (its receipt window, a script or a host's action
// changes them). Exit status: 0 done, 1 the store cannot be written; a bad
// FAULTS or bad arguments throw UsageError naming the item.
#pragma once

#include <string>
#include <vector>

#include "cli/commands.h"

namespace kassivo::cli {

// `args` starts with "faults".
int FaultsCommand(const std::vector<std::string>& args, Console& console);

}  // namespace kassivo::cli
