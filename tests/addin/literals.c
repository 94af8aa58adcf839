#include "literals.h"

#include <math.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "report.h"
#include "utf16.h"

static bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

static int hex_digit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

static void append_units(WCHAR_T** text, size_t* units, const WCHAR_T* more, size_t count) {
  *text = checked_realloc(*text, (*units + count + 1) * sizeof(WCHAR_T));
  memcpy(*text + *units, more, count * sizeof(WCHAR_T));
  *units += count;
  (*text)[*units] = 0;
}

// Converts a plain UTF-8 run and appends it; false when not well-formed.
static bool append_run(WCHAR_T** text, size_t* units, const char* run, size_t size) {
  size_t count = 0;
  WCHAR_T* converted = u16_from_utf8(run, size, &count);
  if (converted == NULL) return false;
  append_units(text, units, converted, count);
  free(converted);
  return true;
}

WCHAR_T* read_text_literal(const char* token, size_t size, size_t* units, TextBuffer* error) {
  if (size < 2 || token[0] != '"' || token[size - 1] != '"') {
    text_append_string(error, "unterminated text literal");
    return NULL;
  }
  const char* body = token + 1;
  const size_t n = size - 2;
  WCHAR_T* text = checked_malloc(sizeof(WCHAR_T));
  text[0] = 0;
  *units = 0;
  size_t run = 0;
  for (size_t i = 0; i <= n; ++i) {
    if (i < n && body[i] != '\\') continue;
    if (!append_run(&text, units, body + run, i - run)) {
      text_append_string(error, "text literal is not valid UTF-8");
      free(text);
      return NULL;
    }
    if (i == n) break;
    WCHAR_T unit = 0;
    const char escape = i + 1 < n ? body[i + 1] : '\0';
    switch (escape) {
      case '\\':
      case '"':
        unit = (WCHAR_T)escape;
        break;
      case 'r':
        unit = '\r';
        break;
      case 'n':
        unit = '\n';
        break;
      case 't':
        unit = '\t';
        break;
      case 'u':
        for (size_t k = i + 2; k < i + 6; ++k) {
          const int digit = k < n ? hex_digit(body[k]) : -1;
          if (digit < 0) {
            text_append_string(error, "\\u needs four hexadecimal digits");
            free(text);
            return NULL;
          }
          unit = (WCHAR_T)(unit * 16 + digit);
        }
        i += 4;
        break;
      default:
        text_append_string(error, "unknown escape in a text literal");
        free(text);
        return NULL;
    }
    append_units(&text, units, &unit, 1);
    ++i;
    run = i + 1;
  }
  return text;
}

int read_integer(const char* token, size_t size, int32_t* value) {
  size_t i = 0;
  bool negative = false;
  if (i < size && (token[i] == '+' || token[i] == '-')) negative = token[i++] == '-';
  if (i == size) return 0;
  int64_t magnitude = 0;
  bool overflow = false;
  for (; i < size; ++i) {
    if (!is_digit(token[i])) return 0;
    magnitude = magnitude * 10 + (token[i] - '0');
    if (magnitude > (int64_t)1 << 31) overflow = true, magnitude = (int64_t)1 << 31;
  }
  const int64_t signed_value = negative ? -magnitude : magnitude;
  if (overflow || signed_value > INT32_MAX || signed_value < INT32_MIN) return -1;
  *value = (int32_t)signed_value;
  return 1;
}

// [+-] (DIGITS [. DIGITS*] | . DIGITS) [(e|E) [+-] DIGITS], with a "." or
// an exponent.
static bool is_real_syntax(const char* token, size_t size) {
  size_t i = 0, digits = 0;
  bool point = false, exponent = false;
  if (i < size && (token[i] == '+' || token[i] == '-')) ++i;
  while (i < size && is_digit(token[i])) ++i, ++digits;
  if (i < size && token[i] == '.') {
    point = true;
    for (++i; i < size && is_digit(token[i]); ++i) ++digits;
  }
  if (digits == 0) return false;
  if (i < size && (token[i] == 'e' || token[i] == 'E')) {
    exponent = true;
    ++i;
    if (i < size && (token[i] == '+' || token[i] == '-')) ++i;
    size_t exponent_digits = 0;
    while (i < size && is_digit(token[i])) ++i, ++exponent_digits;
    if (exponent_digits == 0) return false;
  }
  return i == size && (point || exponent);
}

static void set_text(tVariant* value, HostMemory* memory, const WCHAR_T* text, size_t units) {
  WCHAR_T* block = host_memory_alloc(memory, (units + 1) * sizeof(WCHAR_T));
  memcpy(block, text, (units + 1) * sizeof(WCHAR_T));
  value->vt = VT_PWSTR_;
  value->value.text.p = block;
  value->value.text.len = (uint32_t)units;
}

static bool read_file_literal(const char* token, size_t size, const char* folder,
                              HostMemory* memory, tVariant* value, TextBuffer* error) {
  TextBuffer path = {0};
  if (token[1] != '/') {
    text_append_string(&path, folder);
    text_append_char(&path, '/');
  }
  text_append(&path, token + 1, size - 1);
  TextBuffer file = {0};
  bool read = text_read_file(text_string(&path), &file);
  const char* content = text_string(&file);
  const size_t bytes = file.size;
  if (!read) {
    text_append_string(error, "cannot read file ");
    text_append_string(error, text_string(&path));
  } else {
    size_t units = 0;
    WCHAR_T* text = u16_from_utf8(content, bytes, &units);
    read = text != NULL;
    if (read) {
      set_text(value, memory, text, units);
    } else {
      text_append_string(error, "file is not valid UTF-8: ");
      text_append_string(error, text_string(&path));
    }
    free(text);
  }
  text_free(&file);
  text_free(&path);
  return read;
}

static bool token_is(const char* token, size_t size, const char* word) {
  return strlen(word) == size && memcmp(token, word, size) == 0;
}

bool read_literal(const char* token, size_t size, const char* folder, HostMemory* memory,
                  tVariant* value, TextBuffer* error) {
  memset(value, 0, sizeof *value);
  value->vt = VT_EMPTY_;
  if (size == 0) {
    text_append_string(error, "missing literal");
    return false;
  }
  if (token[0] == '"') {
    size_t units = 0;
    WCHAR_T* text = read_text_literal(token, size, &units, error);
    if (text == NULL) return false;
    set_text(value, memory, text, units);
    free(text);
    return true;
  }
  if (token_is(token, size, "true") || token_is(token, size, "false")) {
    value->vt = VT_BOOL_;
    value->value.boolean = token[0] == 't';
    return true;
  }
  if (token_is(token, size, "empty")) return true;
  if (token[0] == '@') {
    if (size == 1) {
      text_append_string(error, "@ needs a file name");
      return false;
    }
    return read_file_literal(token, size, folder, memory, value, error);
  }
  int32_t integer = 0;
  const int read = read_integer(token, size, &integer);
  if (read != 0) {
    if (read < 0) text_append_string(error, "integer does not fit 32 bits");
    value->vt = VT_I4_;
    value->value.i32 = integer;
    return read > 0;
  }
  if (is_real_syntax(token, size)) {
    char* copy = checked_malloc(size + 1);
    memcpy(copy, token, size);
    copy[size] = '\0';
    const double real = strtod(copy, NULL);
    free(copy);
    if (!isfinite(real)) {
      text_append_string(error, "real is out of range");
      return false;
    }
    value->vt = VT_R8_;
    value->value.r8 = real;
    return true;
  }
  text_append_string(error, "bad literal");
  return false;
}
