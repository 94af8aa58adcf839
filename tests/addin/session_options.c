#define _POSIX_C_SOURCE 200809L
#include "session_options.h"

#include <stdlib.h>
#include <string.h>

#ifdef _WIN32
#include <windows.h>
#endif

// Sets `name` to `value`, or removes it for NULL. On Windows both the C
// runtime's copy of the environment (getenv) and the process's are set.
static void set_environment(const char* name, const char* value) {
#ifdef _WIN32
  SetEnvironmentVariableA(name, value);
  TextBuffer assignment = {0};
  text_append_string(&assignment, name);
  text_append_char(&assignment, '=');
  if (value != NULL) text_append_string(&assignment, value);
  _putenv(assignment.data);
  text_free(&assignment);
#else
  if (value != NULL) {
    setenv(name, value, 1);
  } else {
    unsetenv(name);
  }
#endif
}

// The next word of a shell-like command line from `*p` into `word`; false
// at the end. Blanks separate words; '...' is taken as it is; in "..." and
// outside quotes a backslash takes the next character as it is.
static bool next_word(const char** p, const char* end, TextBuffer* word) {
  while (*p < end && (**p == ' ' || **p == '\t' || **p == '\r')) ++*p;
  if (*p == end) return false;
  text_free(word);
  text_append(word, "", 0);
  char quote = 0;
  for (; *p < end; ++*p) {
    const char c = **p;
    if (quote == 0 && (c == ' ' || c == '\t' || c == '\r')) break;
    if (quote != '\'' && c == '\\' && *p + 1 < end) {
      text_append_char(word, *++*p);
    } else if (quote == 0 && (c == '"' || c == '\'')) {
      quote = c;
    } else if (quote != 0 && c == quote) {
      quote = 0;
    } else {
      text_append_char(word, c);
    }
  }
  return true;
}

static const struct {
  const char* option;
  const char* variable;
} kOptions[] = {
    {"--clock=", "KASSIVO_TEST_CLOCK"},     {"--seed=", "KASSIVO_TEST_SEED"},
    {"--decimal=", "KASSIVO_TEST_DECIMAL"}, {"--thousands=", "KASSIVO_TEST_THOUSANDS"},
    {"--faults=", "KASSIVO_FAULTS"},
};

// Applies one option; false when a host cannot give it.
static bool apply(const char* word) {
  if (strcmp(word, "--store=memory") == 0) return true;
  if (strncmp(word, "--tape=", 7) == 0) return true;
  for (size_t i = 0; i < sizeof kOptions / sizeof kOptions[0]; ++i) {
    const size_t length = strlen(kOptions[i].option);
    if (strncmp(word, kOptions[i].option, length) == 0) {
      set_environment(kOptions[i].variable, word + length);
      return true;
    }
  }
  return false;
}

bool session_options_apply(const char* first_line, size_t size, TextBuffer* error) {
  set_environment("KASSIVO_TEST_STORE", "memory");
  set_environment("KASSIVO_TEST_CLOCK", "2024-03-05T09:07:04.056");
  set_environment("KASSIVO_TEST_SEED", "1");
  set_environment("KASSIVO_TEST_DECIMAL", ".");
  set_environment("KASSIVO_TEST_THOUSANDS", ",");
  set_environment("KASSIVO_FAULTS", NULL);
  set_environment("KASSIVO_STRICT", NULL);
  set_environment("KASSIVO_JOURNAL", NULL);
  if (size < 3 || memcmp(first_line, "#! ", 3) != 0) return true;
  const char* p = first_line + 3;
  TextBuffer word = {0};
  bool applied = true;
  while (applied && next_word(&p, first_line + size, &word)) {
    applied = apply(text_string(&word));
    if (!applied) {
      text_append_string(error, "option ");
      text_append_string(error, text_string(&word));
    }
  }
  text_free(&word);
  return applied;
}
