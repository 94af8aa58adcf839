/* A growing byte string, always null-terminated. Running out of memory
 * ends the program (the host is a test; there is nothing to go on with).
 */
#pragma once

#include <stdbool.h>
#include <stddef.h>

typedef struct TextBuffer {
  char* data;  // null until something is appended
  size_t size;
  size_t capacity;
} TextBuffer;

void text_append(TextBuffer* text, const char* bytes, size_t size);
void text_append_string(TextBuffer* text, const char* string);
void text_append_char(TextBuffer* text, char c);
/* The text so far ("" when empty). */
const char* text_string(const TextBuffer* text);
void text_free(TextBuffer* text);
/* Appends the whole content of the file at `path`; false (and nothing
 * appended) when it cannot be opened or read. */
bool text_read_file(const char* path, TextBuffer* text);

/* malloc that ends the program when memory runs out. */
void* checked_malloc(size_t bytes);
void* checked_realloc(void* p, size_t bytes);
