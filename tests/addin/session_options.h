/* The options a golden session is played with, given to the add-in as its
 * test-only environment settings before the library is loaded.
 *
 * The kassivo CLI's defaults for sessions (--store=memory
 * --clock=2024-03-05T09:07:04.056 --seed=1 --decimal=. --thousands=,),
 * then the options of a first line "#! OPTIONS" (words split as a shell
 * does, quotes and backslashes included): --store=memory, --clock=,
 * --seed=, --decimal=, --thousands= (may be empty) and --faults= map to
 * KASSIVO_TEST_STORE, _CLOCK, _SEED, _DECIMAL, _THOUSANDS and
 * KASSIVO_FAULTS; --tape= only shapes the CLI's tape and is ignored.
 * KASSIVO_STRICT and KASSIVO_JOURNAL are unset, and KASSIVO_FAULTS unless
 * given. Any other option (a store file, say) is one a host cannot give:
 * session_options_apply answers false with it in `error`.
 */
#pragma once

#include <stdbool.h>
#include <stddef.h>

#include "text_buffer.h"

/* `first_line` (without its line break) may be any line: only "#! ..."
 * adds options. */
bool session_options_apply(const char* first_line, size_t size, TextBuffer* error);
