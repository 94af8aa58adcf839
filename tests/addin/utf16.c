#include "utf16.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

size_t u16_length(const WCHAR_T* text) {
  size_t n = 0;
  while (text[n] != 0) ++n;
  return n;
}

bool u16_equal(const WCHAR_T* a, size_t a_units, const WCHAR_T* b, size_t b_units) {
  return a_units == b_units && memcmp(a, b, a_units * sizeof(WCHAR_T)) == 0;
}

// The code point of the sequence at `p` (at most `left` bytes), its length
// in `*length`; -1 when it is not a well-formed sequence.
static long decode_utf8(const unsigned char* p, size_t left, size_t* length) {
  static const long least[5] = {0, 0, 0x80, 0x800, 0x10000};
  size_t n;
  long code;
  if (p[0] < 0x80) {
    *length = 1;
    return p[0];
  } else if ((p[0] & 0xE0) == 0xC0) {
    n = 2, code = p[0] & 0x1F;
  } else if ((p[0] & 0xF0) == 0xE0) {
    n = 3, code = p[0] & 0x0F;
  } else if ((p[0] & 0xF8) == 0xF0) {
    n = 4, code = p[0] & 0x07;
  } else {
    return -1;
  }
  if (n > left) return -1;
  for (size_t i = 1; i < n; ++i) {
    if ((p[i] & 0xC0) != 0x80) return -1;
    code = (code << 6) | (p[i] & 0x3F);
  }
  if (code < least[n] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return -1;
  *length = n;
  return code;
}

WCHAR_T* u16_from_utf8(const char* bytes, size_t size, size_t* units) {
  WCHAR_T* text = checked_malloc((size + 1) * sizeof(WCHAR_T));
  size_t n = 0;
  const unsigned char* p = (const unsigned char*)bytes;
  for (size_t i = 0; i < size;) {
    size_t length = 0;
    const long code = decode_utf8(p + i, size - i, &length);
    if (code < 0) {
      free(text);
      return NULL;
    }
    if (code >= 0x10000) {
      text[n++] = (WCHAR_T)(0xD800 + ((code - 0x10000) >> 10));
      text[n++] = (WCHAR_T)(0xDC00 + ((code - 0x10000) & 0x3FF));
    } else {
      text[n++] = (WCHAR_T)code;
    }
    i += length;
  }
  text[n] = 0;
  *units = n;
  return text;
}

static void append_utf8(TextBuffer* out, unsigned long code) {
  char bytes[4];
  size_t n;
  if (code < 0x80) {
    bytes[0] = (char)code, n = 1;
  } else if (code < 0x800) {
    bytes[0] = (char)(0xC0 | (code >> 6)), bytes[1] = (char)(0x80 | (code & 0x3F)), n = 2;
  } else if (code < 0x10000) {
    bytes[0] = (char)(0xE0 | (code >> 12)), bytes[1] = (char)(0x80 | ((code >> 6) & 0x3F));
    bytes[2] = (char)(0x80 | (code & 0x3F)), n = 3;
  } else {
    bytes[0] = (char)(0xF0 | (code >> 18)), bytes[1] = (char)(0x80 | ((code >> 12) & 0x3F));
    bytes[2] = (char)(0x80 | ((code >> 6) & 0x3F)), bytes[3] = (char)(0x80 | (code & 0x3F));
    n = 4;
  }
  text_append(out, bytes, n);
}

static bool is_high(WCHAR_T unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}

static bool is_low(WCHAR_T unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

void append_text_literal(TextBuffer* out, const WCHAR_T* text, size_t units) {
  text_append_char(out, '"');
  for (size_t i = 0; i < units; ++i) {
    const WCHAR_T unit = text[i];
    if (unit == '\\' || unit == '"') {
      text_append_char(out, '\\');
      text_append_char(out, (char)unit);
    } else if (unit == '\r') {
      text_append_string(out, "\\r");
    } else if (unit == '\n') {
      text_append_string(out, "\\n");
    } else if (unit == '\t') {
      text_append_string(out, "\\t");
    } else if (is_high(unit) && i + 1 < units && is_low(text[i + 1])) {
      append_utf8(out, 0x10000 + (((unsigned long)unit - 0xD800) << 10) + (text[i + 1] - 0xDC00));
      ++i;
    } else if (unit < 0x20 || (unit >= 0x7F && unit <= 0x9F) || is_high(unit) || is_low(unit)) {
      char escape[8];
      snprintf(escape, sizeof escape, "\\u%04X", (unsigned)unit);
      text_append_string(out, escape);
    } else {
      append_utf8(out, unit);
    }
  }
  text_append_char(out, '"');
}
