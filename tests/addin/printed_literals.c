// The printing half of literals.h.
#include <inttypes.h>
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "literals.h"
#include "report.h"
#include "utf16.h"

// The shortest digits that read back as `value` (finite, not zero), and the
// decimal exponent of the first: value = d.ddd * 10^exponent.
static void shortest_digits(double value, char digits[20], int* exponent) {
  char printed[40];
  for (int precision = 1; precision <= 17; ++precision) {
    snprintf(printed, sizeof printed, "%.*e", precision - 1, value);
    if (strtod(printed, NULL) == value) break;
  }
  // printed: [-]d[.ddd]e(+|-)XX
  size_t n = 0;
  const char* p = printed + (printed[0] == '-');
  for (; *p != 'e'; ++p) {
    if (*p != '.') digits[n++] = *p;
  }
  while (n > 1 && digits[n - 1] == '0') --n;
  digits[n] = '\0';
  *exponent = atoi(p + 1);
}

void append_real_literal(TextBuffer* out, double value) {
  if (isnan(value)) {
    text_append_string(out, "nan");
    return;
  }
  if (isinf(value)) {
    text_append_string(out, value < 0 ? "-inf" : "inf");
    return;
  }
  if (signbit(value)) text_append_char(out, '-');
  if (value == 0) {
    text_append_string(out, "0.0");
    return;
  }
  char digits[20];
  int exponent = 0;
  shortest_digits(fabs(value), digits, &exponent);
  const int n = (int)strlen(digits);

  TextBuffer scientific = {0}, fixed = {0};
  text_append_char(&scientific, digits[0]);
  if (n > 1) {
    text_append_char(&scientific, '.');
    text_append_string(&scientific, digits + 1);
  }
  char exponent_text[16];
  snprintf(exponent_text, sizeof exponent_text, "e%c%02d", exponent < 0 ? '-' : '+', abs(exponent));
  text_append_string(&scientific, exponent_text);

  if (exponent < 0) {
    text_append_string(&fixed, "0.");
    for (int i = -1; i > exponent; --i) text_append_char(&fixed, '0');
    text_append_string(&fixed, digits);
  } else if (n <= exponent + 1) {
    text_append_string(&fixed, digits);
    for (int i = n; i <= exponent; ++i) text_append_char(&fixed, '0');
  } else {
    text_append(&fixed, digits, (size_t)exponent + 1);
    text_append_char(&fixed, '.');
    text_append_string(&fixed, digits + exponent + 1);
  }
  if (scientific.size < fixed.size) {
    text_append(out, scientific.data, scientific.size);
  } else {
    text_append(out, fixed.data, fixed.size);
    if (strchr(fixed.data, '.') == NULL) text_append_string(out, ".0");
  }
  text_free(&scientific);
  text_free(&fixed);
}

static void append_text_value(TextBuffer* out, const tVariant* value, const HostMemory* memory) {
  const WCHAR_T* text = value->value.text.p;
  const size_t units = value->value.text.len;
  const size_t block = text ? host_memory_block_size(memory, text) : 0;
  if (!report_check(block != 0, "a PWSTR at %p, not a block of the memory manager", (void*)text) ||
      !report_check(block >= (units + 1) * sizeof(WCHAR_T),
                    "a PWSTR of %zu units in a block of %zu bytes", units, block) ||
      !report_check(text[units] == 0, "a PWSTR of %zu units without its terminator", units)) {
    text_append_string(out, "<bad text>");
    return;
  }
  append_text_literal(out, text, units);
}

void append_value_literal(TextBuffer* out, const tVariant* value, const HostMemory* memory) {
  char number[32];
  switch (value->vt) {
    case VT_EMPTY_:
      text_append_string(out, "empty");
      return;
    case VT_BOOL_:
      text_append_string(out, value->value.boolean ? "true" : "false");
      return;
    case VT_I4_:
      snprintf(number, sizeof number, "%" PRId32, value->value.i32);
      text_append_string(out, number);
      return;
    case VT_R8_:
      append_real_literal(out, value->value.r8);
      return;
    case VT_PWSTR_:
      append_text_value(out, value, memory);
      return;
    default:
      report_failure("a value of type %u, which the add-in does not answer", value->vt);
      snprintf(number, sizeof number, "<type %u>", value->vt);
      text_append_string(out, number);
  }
}
