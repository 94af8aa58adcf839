// `kassivo replay [--compare] FILE...`: plays call journals
// (journal_script.h) again. The files are read as one journal, a rotated
// journal's older file first (journal_reading.h); each host process is
// played in a fresh driver process (in-memory store, no driver options, the
// recorded registration, separators, clock readings and random numbers), in
// the order of its first call. A process whose file continues an earlier one
// that is not given begins from the state its header describes.
//  - without --compare it prints each process's transcript (tape as
//    entries), as `kassivo run --tape=entries` would, then the summary;
//  - with --compare it prints, for each call whose transcript differs from
//    the recorded one, "LINE: CALL" (the call cut to 200 characters; "FILE:"
//    before LINE when several files are given), then each differing line as
//    "  line N, column C:" (the recorded line's number in the journal, the
//    first differing character), "  - recorded", "  + replayed", each cut to
//    200 characters around that column (at most kDiffLines of them), then
//    the summary. The XML parser's own failure wording is masked.
// The summary is "replay: N calls, M differ". The journal's own lines (where
// documents begin, documents printed with the window hidden) are not
// compared.
// The result: 0 when every call answered as recorded, 1 when one differed,
// kExitScriptError (with "FILE:LINE: message" on `err`) for a bad line, a
// journal cut inside a call, or a file that needs the one before it.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "cli/journal_reading.h"

namespace kassivo::cli {

inline constexpr std::size_t kDiffLines = 5;
inline constexpr std::size_t kShownColumns = 200;

int ReplayJournals(const std::vector<JournalSource>& sources, bool compare, std::ostream& out,
                   std::ostream& err);
// One journal file, read from `in`.
inline int ReplayJournal(std::istream& in, const std::string& name, bool compare, std::ostream& out,
                         std::ostream& err) {
  return ReplayJournals({{name, &in}}, compare, out, err);
}

// The text with every "Ошибка разбора XML:..." up to the next double quote
// replaced by "Ошибка разбора XML: ...".
std::string MaskParserWording(std::string text);

}  // namespace kassivo::cli
