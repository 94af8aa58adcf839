/* Plays a golden session (tests/sessions/NAME.session) as a host would,
 * and compares what a host sees with NAME.out.
 *
 * The session's options go to the environment (session_options.h), the
 * library is loaded, every line is played, every object is destroyed and
 * the library unloaded again. A call goes through FindMethod (a #N
 * reference gives N itself), GetNParams and CallAsFunc with exactly
 * GetNParams values read from the call's literals (literals.h). Objects are
 * made on first use (object 1 before the first call) with setMemManager
 * then Init; :init calls Init again, :done calls Done, :find NAME calls
 * FindMethod. The transcript has, per call, "> " and the call as written,
 * "= " and the result (" S_FALSE" appended when CallAsFunc answered false),
 * "  [i] " and every element after the call, "  M " and every Alert text
 * the call showed; per :find, "> :find ..." and "= N" (" S_FALSE" for -1).
 *
 * What only the kassivo CLI can do (:strict, :fault, :clock, a call whose
 * literal count differs from GetNParams, an option a host cannot give)
 * fails the session, as does any AddError, any check of the objects or
 * their memory, and a transcript that differs from the lines of NAME.out
 * that start with "> ", "= ", "  [" or "  M " (the first difference goes to
 * stderr, the whole transcript to NAME.actual in the current folder).
 */
#pragma once

#include <stdbool.h>

/* True when the session played and matched with no failure. */
bool play_session(const char* library_path, const char* session_path);
