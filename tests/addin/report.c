#include "report.h"

#include <stdarg.h>
#include <stdio.h>

static const char* current_context = "";
static int failures = 0;

void report_context(const char* context) {
  current_context = context;
}

static void print_failure(const char* format, va_list args) {
  fprintf(stderr, "addin_host: %s: ", current_context);
  vfprintf(stderr, format, args);
  fputc('\n', stderr);
  ++failures;
}

void report_failure(const char* format, ...) {
  va_list args;
  va_start(args, format);
  print_failure(format, args);
  va_end(args);
}

bool report_check(bool condition, const char* format, ...) {
  if (condition) return true;
  va_list args;
  va_start(args, format);
  print_failure(format, args);
  va_end(args);
  return false;
}

int report_failures(void) {
  return failures;
}
