/* The comparison of a played transcript with the kassivo CLI's.
 *
 * The expected transcript is NAME.out beside NAME.session, filtered to the
 * lines a host can see: those that start with "> ", "= ", "  [" or "  M "
 * (the tape's lines are the CLI's own). The two must be equal byte for
 * byte (on Windows, once the XML parser's own failure wording is masked in
 * both, as the CLI's session tests do, since MSXML words its failures its
 * own way); when they are not, the first differing line is reported (report.h)
 * as expected and actual, and the whole actual transcript is written to
 * NAME.actual in the current folder.
 */
#pragma once

void compare_transcript(const char* session_path, const char* actual);
