// `kassivo replay [--compare] FILE`: plays a call journal (journal_script.h)
// again, each ":process" in a fresh driver process (in-memory store, no
// driver options, the recorded registration, separators, clock readings and
// random numbers), and
//  - without --compare prints the transcript (tape as entries), as
//    `kassivo run --tape=entries` would;
//  - with --compare prints, for each call whose transcript differs from the
//    recorded one, "LINE: CALL" and the differing lines ("  - recorded",
//    "  + replayed", at most kDiffLines of each), then a summary line. The
//    XML parser's own failure wording is masked on both sides.
// A bad line, or a call without its recorded result line (a journal cut
// short), stops the replay with "NAME:LINE: message" (ScriptError).
// The result: 0 when the replay ran to the end (and, comparing, everything
// matched), 1 when a call differed, kExitScriptError for a bad journal.
#pragma once

#include <istream>
#include <ostream>
#include <string>

namespace kassivo::cli {

inline constexpr std::size_t kDiffLines = 5;

int ReplayJournal(std::istream& in, const std::string& name, bool compare, std::ostream& out,
                  std::ostream& err);

// The text with every "Ошибка разбора XML:..." up to the next double quote
// replaced by "Ошибка разбора XML: ...".
std::string MaskParserWording(std::string text);

}  // namespace kassivo::cli
