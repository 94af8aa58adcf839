#include "session_player.h"

#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "addin_library.h"
#include "literals.h"
#include "report.h"
#include "session_options.h"
#include "transcript_compare.h"
#include "utf16.h"

typedef struct Token {
  const char* p;
  size_t size;
} Token;

typedef struct Player {
  AddInLibrary library;
  const char* folder;
  AddInObject** objects;
  int32_t* numbers;
  size_t count;
  int32_t current;
  TextBuffer transcript;
} Player;

static bool is_blank(char c) {
  return c == ' ' || c == '\t';
}

// Splits a line as the CLI does: a token that starts with a double quote
// runs to its closing quote and must be followed by a blank or the end.
static bool split_tokens(const char* line, size_t size, Token** tokens, size_t* count,
                         TextBuffer* error) {
  *count = 0;
  for (size_t i = 0;;) {
    while (i < size && is_blank(line[i])) ++i;
    if (i == size) return true;
    size_t end = i;
    if (line[i] == '"') {
      for (end = i + 1; end < size && line[end] != '"'; ++end) {
        if (line[end] == '\\') ++end;
      }
      if (end >= size) {
        text_append_string(error, "unterminated text literal");
        return false;
      }
      ++end;
      if (end < size && !is_blank(line[end])) {
        text_append_string(error, "text literal must be followed by a blank");
        return false;
      }
    } else {
      while (end < size && !is_blank(line[end])) ++end;
    }
    *tokens = checked_realloc(*tokens, (*count + 1) * sizeof(Token));
    (*tokens)[(*count)++] = (Token){line + i, end - i};
    i = end;
  }
}

static bool token_is(Token token, const char* word) {
  return strlen(word) == token.size && memcmp(token.p, word, token.size) == 0;
}

static AddInObject* object_numbered(Player* player, int32_t number) {
  for (size_t i = 0; i < player->count; ++i) {
    if (player->numbers[i] == number) return player->objects[i];
  }
  AddInObject* object = checked_malloc(sizeof *object);
  player->objects = checked_realloc(player->objects, (player->count + 1) * sizeof object);
  player->numbers = checked_realloc(player->numbers, (player->count + 1) * sizeof(int32_t));
  player->objects[player->count] = object;
  player->numbers[player->count++] = number;
  addin_object_create(object, &player->library, number, false);
  return object;
}

static void release_value(AddInObject* object, tVariant* value, const char* what) {
  if (value->vt != VT_PWSTR_ || value->value.text.p == NULL) return;
  if (host_memory_block_size(&object->memory, value->value.text.p) != 0) {
    host_memory_free(&object->memory, value->value.text.p, what);
  }
  value->vt = VT_EMPTY_;
}

static void echo(Player* player, const char* written, size_t size) {
  text_append_string(&player->transcript, "> ");
  text_append(&player->transcript, written, size);
  text_append_char(&player->transcript, '\n');
}

// The method number of a call's first token.
static bool method_number(void* extender, Token token, long* method, TextBuffer* error) {
  if (token.p[0] == '#') {
    int32_t number = 0;
    if (read_integer(token.p + 1, token.size - 1, &number) != 1) {
      text_append_string(error, "bad method reference");
      return false;
    }
    *method = number;
    return true;
  }
  size_t units = 0;
  WCHAR_T* name = u16_from_utf8(token.p, token.size, &units);
  if (name == NULL) {
    text_append_string(error, "method name is not valid UTF-8");
    return false;
  }
  *method = ADDIN_TABLE(LanguageExtenderTable, extender)->FindMethod(extender, name);
  free(name);
  if (*method < 0) text_append_string(error, "unknown method");
  return *method >= 0;
}

static bool play_call(Player* player, const char* written, size_t size, const Token* tokens,
                      size_t count, TextBuffer* error) {
  AddInObject* object = object_numbered(player, player->current);
  if (object->object == NULL) return false;
  void* extender = addin_interface(object, 1);
  const LanguageExtenderTable* table = ADDIN_TABLE(LanguageExtenderTable, extender);
  long method = 0;
  if (!method_number(extender, tokens[0], &method, error)) return false;
  const long parameters = table->GetNParams(extender, method);
  if ((size_t)parameters != count - 1 || parameters < 0) {
    char text[160];
    snprintf(text, sizeof text,
             "cannot be played by a host: %zu literals, but GetNParams(%ld) answers %ld", count - 1,
             method, parameters);
    text_append_string(error, text);
    return false;
  }
  tVariant* params = checked_malloc(((size_t)parameters + 1) * sizeof(tVariant));
  bool read = true;
  for (long i = 0; i < parameters; ++i) {
    if (!read) {
      params[i].vt = VT_EMPTY_;
      continue;
    }
    read = read_literal(tokens[i + 1].p, tokens[i + 1].size, player->folder, &object->memory,
                        &params[i], error);
  }
  if (read) {
    tVariant result;
    memset(&result, 0, sizeof result);
    host_alerts_clear();
    host_errors_clear();
    const bool answered = table->CallAsFunc(extender, method, &result, params, parameters);
    TextBuffer* out = &player->transcript;
    echo(player, written, size);
    text_append_string(out, "= ");
    append_value_literal(out, &result, &object->memory);
    text_append_string(out, answered ? "\n" : " S_FALSE\n");
    for (long i = 0; i < parameters; ++i) {
      char index[32];
      snprintf(index, sizeof index, "  [%ld] ", i);
      text_append_string(out, index);
      append_value_literal(out, &params[i], &object->memory);
      text_append_char(out, '\n');
    }
    for (size_t i = 0; i < host_alert_count(); ++i) {
      text_append_string(out, "  M ");
      append_text_literal(out, host_alert(i), u16_length(host_alert(i)));
      text_append_char(out, '\n');
    }
    report_check(host_error_count() == 0, "%.*s: AddError %u", (int)size, written,
                 host_last_error_code());
    release_value(object, &result, "the result's text");
  }
  for (long i = 0; i < parameters; ++i) release_value(object, &params[i], "a parameter's text");
  free(params);
  return read;
}

static bool play_find(Player* player, const char* written, size_t size, Token name,
                      TextBuffer* error) {
  WCHAR_T* text = NULL;
  size_t units = 0;
  if (name.p[0] == '"') {
    text = read_text_literal(name.p, name.size, &units, error);
  } else {
    text = u16_from_utf8(name.p, name.size, &units);
    if (text == NULL) text_append_string(error, "method name is not valid UTF-8");
  }
  if (text == NULL) return false;
  AddInObject* object = object_numbered(player, player->current);
  if (object->object == NULL) return false;
  void* extender = addin_interface(object, 1);
  const long method = ADDIN_TABLE(LanguageExtenderTable, extender)->FindMethod(extender, text);
  free(text);
  echo(player, written, size);
  char result[64];
  snprintf(result, sizeof result, "= %ld%s\n", method, method == -1 ? " S_FALSE" : "");
  text_append_string(&player->transcript, result);
  return true;
}

static bool play_directive(Player* player, const char* written, size_t size, const Token* tokens,
                           size_t count, TextBuffer* error) {
  const Token name = tokens[0];
  if (token_is(name, ":strict") || token_is(name, ":fault") || token_is(name, ":clock")) {
    text_append_string(error, "cannot be played by a host: only the kassivo CLI has ");
    text_append(error, name.p, name.size);
    return false;
  }
  const bool object = token_is(name, ":object"), find = token_is(name, ":find");
  const bool init = token_is(name, ":init"), done = token_is(name, ":done");
  if (!object && !find && !init && !done) {
    text_append_string(error, "unknown directive");
    return false;
  }
  if (count != ((object || find) ? 2u : 1u)) {
    text_append_string(error, "wrong number of arguments");
    return false;
  }
  if (find) return play_find(player, written, size, tokens[1], error);
  if (object) {
    if (read_integer(tokens[1].p, tokens[1].size, &player->current) != 1) {
      text_append_string(error, ":object needs an integer");
      return false;
    }
    return object_numbered(player, player->current)->object != NULL;
  }
  AddInObject* current = object_numbered(player, player->current);
  if (current->object == NULL) return false;
  const InitDoneTable* table = ADDIN_TABLE(InitDoneTable, current->object);
  if (init) {
    report_check(table->Init(current->object, &current->connection), "Init answered false");
  } else {
    table->Done(current->object);
  }
  return true;
}

static bool play_line(Player* player, const char* line, size_t size, bool first,
                      TextBuffer* error) {
  if (first && size >= 3 && memcmp(line, "\xEF\xBB\xBF", 3) == 0) line += 3, size -= 3;
  while (size > 0 && (is_blank(line[0]) || line[0] == '\r')) ++line, --size;
  while (size > 0 && (is_blank(line[size - 1]) || line[size - 1] == '\r')) --size;
  if (size == 0) return true;
  if (line[0] == '#' && (size == 1 || is_blank(line[1]) || (first && line[1] == '!'))) {
    return true;
  }
  Token* tokens = NULL;
  size_t count = 0;
  bool played = split_tokens(line, size, &tokens, &count, error);
  if (played) {
    played = tokens[0].p[0] == ':' ? play_directive(player, line, size, tokens, count, error)
                                   : play_call(player, line, size, tokens, count, error);
  }
  free(tokens);
  return played;
}

// Plays every line; false at the first that cannot be played.
static bool play_lines(Player* player, const char* script, size_t size, const char* name) {
  size_t number = 1;
  for (size_t start = 0; start < size; ++number) {
    const char* end = memchr(script + start, '\n', size - start);
    const size_t length = end ? (size_t)(end - (script + start)) : size - start;
    TextBuffer error = {0};
    if (!play_line(player, script + start, length, number == 1, &error)) {
      report_failure("%s:%zu: %s", name, number, error.data ? error.data : "failed");
      text_free(&error);
      return false;
    }
    start += length + 1;
  }
  return true;
}

bool play_session(const char* library_path, const char* session_path) {
  const int failures_before = report_failures();
  TextBuffer file = {0};
  if (!report_check(text_read_file(session_path, &file), "cannot read %s", session_path)) {
    text_free(&file);
    return false;
  }
  const char* script = text_string(&file);
  const size_t size = file.size;

  Player player = {0};
  player.current = 1;
  TextBuffer folder = {0};
  const char* slash = strrchr(session_path, '/');
  if (slash != NULL) {
    text_append(&folder, session_path, (size_t)(slash - session_path));
  } else {
    text_append_string(&folder, ".");
  }
  player.folder = text_string(&folder);

  TextBuffer error = {0};
  const char* first_end = memchr(script, '\n', size);
  if (!session_options_apply(script, first_end ? (size_t)(first_end - script) : size, &error)) {
    report_failure("cannot be played by a host: %s", text_string(&error));
  } else if (addin_open(&player.library, library_path)) {
    const bool played = play_lines(&player, script, size, session_path);
    for (size_t i = 0; i < player.count; ++i) {
      addin_object_destroy(player.objects[i], &player.library);
      free(player.objects[i]);
    }
    if (played) compare_transcript(session_path, text_string(&player.transcript));
  }
  addin_close(&player.library);
  host_alerts_clear();
  free(player.objects);
  free(player.numbers);
  text_free(&player.transcript);
  text_free(&folder);
  text_free(&error);
  text_free(&file);
  return report_failures() == failures_before;
}
