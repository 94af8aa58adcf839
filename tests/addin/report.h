/* Failures of the test host: each is printed to stderr at once, prefixed
 * with the program's name and what is being checked, and counted; the
 * program's exit status is that count being zero.
 */
#pragma once

#include <stdbool.h>

// The Windows build prints with mingw's own printf (__USE_MINGW_ANSI_STDIO),
// which knows C99's formats.
#ifdef _WIN32
#define REPORT_FORMAT(f, a) __attribute__((format(gnu_printf, f, a)))
#else
#define REPORT_FORMAT(f, a) __attribute__((format(printf, f, a)))
#endif

/* What the following failures are about ("interface", a session's name);
 * the text must outlive its use. */
void report_context(const char* context);

/* Prints one failure (printf format) and counts it. */
void report_failure(const char* format, ...) REPORT_FORMAT(1, 2);

/* Checks `condition`; on false, reports the failure and answers false. */
bool report_check(bool condition, const char* format, ...) REPORT_FORMAT(2, 3);

int report_failures(void);
