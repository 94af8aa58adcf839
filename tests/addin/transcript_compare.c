#include "transcript_compare.h"

#include <stdbool.h>
#include <stdio.h>
#include <string.h>

#include "report.h"
#include "text_buffer.h"

static bool starts_with(const char* line, size_t size, const char* prefix) {
  const size_t n = strlen(prefix);
  return size >= n && memcmp(line, prefix, n) == 0;
}

// The host-visible lines of the file, each with its line feed.
static bool read_expected(const char* path, TextBuffer* expected) {
  TextBuffer content = {0};
  if (!text_read_file(path, &content)) {
    text_free(&content);
    return false;
  }
  const char* text = text_string(&content);
  for (size_t start = 0; start < content.size;) {
    const char* end = memchr(text + start, '\n', content.size - start);
    const size_t length = end ? (size_t)(end - (text + start)) + 1 : content.size - start;
    const char* line = text + start;
    if (starts_with(line, length, "> ") || starts_with(line, length, "= ") ||
        starts_with(line, length, "  [") || starts_with(line, length, "  M ")) {
      text_append(expected, line, length);
    }
    start += length;
  }
  text_free(&content);
  return true;
}

#ifdef _WIN32
// The XML parser's own failure wording, masked as the CLI's session tests
// mask it on Windows, whose MSXML words its failures its own way:
// "Ошибка разбора XML:" and what follows up to the next double quote.
static void mask_parser_wording(const char* text, TextBuffer* out) {
  static const char kPrefix[] = "Ошибка разбора XML:";
  const char* found;
  while ((found = strstr(text, kPrefix)) != NULL) {
    text_append(out, text, (size_t)(found - text) + sizeof kPrefix - 1);
    text_append_string(out, " ...");
    text = found + sizeof kPrefix - 1;
    text += strcspn(text, "\"");
  }
  text_append_string(out, text);
}
#endif

static size_t line_length(const char* line) {
  const char* end = strchr(line, '\n');
  return end ? (size_t)(end - line) : strlen(line);
}

static void write_actual(const char* session_path, const char* actual) {
  const char* base = strrchr(session_path, '/');
  base = base ? base + 1 : session_path;
  TextBuffer path = {0};
  text_append(&path, base, strcspn(base, "."));
  text_append_string(&path, ".actual");
  FILE* file = fopen(path.data, "wb");
  if (file != NULL) {
    fputs(actual, file);
    fclose(file);
    fprintf(stderr, "addin_host: the whole transcript is in %s\n", path.data);
  }
  text_free(&path);
}

void compare_transcript(const char* session_path, const char* actual) {
  TextBuffer out_path = {0};
  const char* dot = strrchr(session_path, '.');
  text_append(&out_path, session_path, dot ? (size_t)(dot - session_path) : strlen(session_path));
  text_append_string(&out_path, ".out");
  TextBuffer expected = {0}, masked_expected = {0}, masked_actual = {0};
  const bool read = read_expected(out_path.data, &expected);
#ifdef _WIN32
  mask_parser_wording(text_string(&expected), &masked_expected);
  mask_parser_wording(actual, &masked_actual);
#else
  text_append_string(&masked_expected, text_string(&expected));
  text_append_string(&masked_actual, actual);
#endif
  if (!read) {
    report_failure("cannot read %s", out_path.data);
  } else if (strcmp(text_string(&masked_expected), text_string(&masked_actual)) != 0) {
    const char* e = text_string(&masked_expected);
    const char* a = text_string(&masked_actual);
    size_t line = 1;
    // Up to the first line that differs.
    for (;;) {
      const size_t e_length = line_length(e), a_length = line_length(a);
      if (e_length != a_length || memcmp(e, a, e_length) != 0 || e[e_length] != a[a_length]) break;
      e += e_length + 1, a += a_length + 1, ++line;
    }
    report_failure("the transcript differs from %s (host-visible lines) at line %zu", out_path.data,
                   line);
    fprintf(stderr, "--- expected\n+++ actual\n@@ line %zu @@\n-%.*s%s\n+%.*s%s\n", line,
            (int)line_length(e), e, *e ? "" : "(end)", (int)line_length(a), a, *a ? "" : "(end)");
    write_actual(session_path, actual);
  }
  text_free(&expected);
  text_free(&masked_expected);
  text_free(&masked_actual);
  text_free(&out_path);
}
