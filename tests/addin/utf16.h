/* UTF-16 text as the add-in interface carries it (WCHAR_T units), read
 * from UTF-8 and written back as the transcript's text literals.
 */
#pragma once

#include <stdbool.h>
#include <stddef.h>

#include "addin_abi.h"
#include "text_buffer.h"

/* Units before the terminator. */
size_t u16_length(const WCHAR_T* text);

bool u16_equal(const WCHAR_T* a, size_t a_units, const WCHAR_T* b, size_t b_units);

/* A malloc'd, null-terminated copy of `size` bytes of well-formed UTF-8
 * (no overlong forms, no encoded surrogates, nothing past U+10FFFF) with
 * its unit count in `*units`; NULL when the bytes are not well-formed. */
WCHAR_T* u16_from_utf8(const char* bytes, size_t size, size_t* units);

/* Appends `units` units as a transcript text literal: in double quotes;
 * \ " CR LF TAB as \\ \" \r \n \t; every other control character
 * (U+0000..U+001F, U+007F..U+009F) and every lone surrogate as \uXXXX with
 * upper-case hex digits; all else as UTF-8. */
void append_text_literal(TextBuffer* out, const WCHAR_T* text, size_t units);
