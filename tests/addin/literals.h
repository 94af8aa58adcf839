/* The literals of session scripts, read into the tVariant values a host
 * sends, and the values the add-in answers written back as transcript
 * literals, both exactly as the kassivo CLI reads and prints them:
 *
 *   "..."        text (escapes \\ \" \r \n \t \uXXXX), sent as PWSTR
 *   true false   BOOL
 *   [+-]DIGITS   a 32-bit integer, I4 (a larger one is an error)
 *   reals        [+-]DIGITS with "." or an exponent, R8; printed in the
 *                shortest form that reads back, the one C++'s to_chars
 *                gives (fixed or scientific, whichever is shorter, fixed on
 *                a tie), with ".0" appended when it has neither "." nor an
 *                exponent; nan, inf and -inf for what no literal reads
 *   empty        EMPTY
 *   @PATH        a file's UTF-8 content as text, PATH taken from the
 *                session's folder
 */
#pragma once

#include <stdbool.h>
#include <stddef.h>

#include "addin_abi.h"
#include "host_services.h"
#include "text_buffer.h"

/* Reads the token (`size` bytes) into `value`, a text's units allocated
 * from `memory` as AllocMemory would. False, with the reason in `error`,
 * for anything that is not a literal. */
bool read_literal(const char* token, size_t size, const char* folder, HostMemory* memory,
                  tVariant* value, TextBuffer* error);

/* Reads "[+-]DIGITS" as a 32-bit integer: 1 when read, 0 when the token has
 * another form, -1 when it has this form but does not fit. */
int read_integer(const char* token, size_t size, int32_t* value);

/* Reads a text literal token (quotes included) into a malloc'd, null-
 * terminated UTF-16 text; NULL, with the reason in `error`, when it is not
 * one. */
WCHAR_T* read_text_literal(const char* token, size_t size, size_t* units, TextBuffer* error);

/* Appends a value the add-in answered as a literal. A type the add-in does
 * not answer, or a text that is not a terminated block of `memory`, is a
 * failure (report.h). */
void append_value_literal(TextBuffer* out, const tVariant* value, const HostMemory* memory);

void append_real_literal(TextBuffer* out, double value);
