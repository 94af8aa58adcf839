// kassivo replay over arbitrary journals: the whole text is parsed and
// played (and compared) in fresh processes; a bad line ends the replay with
// its message and status 2. Nothing may crash or escape.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "cli/journal_replay.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::istringstream journal(std::string(reinterpret_cast<const char*>(data), size));
  std::ostringstream out, err;
  kassivo::cli::ReplayJournal(journal, "fuzz", true, out, err);
  return 0;
}
