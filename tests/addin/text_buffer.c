#include "text_buffer.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

void* checked_malloc(size_t bytes) {
  return checked_realloc(NULL, bytes);
}

void* checked_realloc(void* p, size_t bytes) {
  void* moved = realloc(p, bytes == 0 ? 1 : bytes);
  if (moved == NULL) {
    fputs("addin_host: out of memory\n", stderr);
    exit(2);
  }
  return moved;
}

void text_append(TextBuffer* text, const char* bytes, size_t size) {
  if (text->size + size + 1 > text->capacity) {
    size_t capacity = text->capacity ? text->capacity * 2 : 256;
    while (capacity < text->size + size + 1) capacity *= 2;
    text->data = checked_realloc(text->data, capacity);
    text->capacity = capacity;
  }
  memcpy(text->data + text->size, bytes, size);
  text->size += size;
  text->data[text->size] = '\0';
}

void text_append_string(TextBuffer* text, const char* string) {
  text_append(text, string, strlen(string));
}

void text_append_char(TextBuffer* text, char c) {
  text_append(text, &c, 1);
}

const char* text_string(const TextBuffer* text) {
  return text->data ? text->data : "";
}

void text_free(TextBuffer* text) {
  free(text->data);
  text->data = NULL;
  text->size = text->capacity = 0;
}

bool text_read_file(const char* path, TextBuffer* text) {
  FILE* file = fopen(path, "rb");
  if (file == NULL) return false;
  const size_t before = text->size;
  char chunk[65536];
  size_t n;
  while ((n = fread(chunk, 1, sizeof chunk, file)) > 0) text_append(text, chunk, n);
  const bool failed = ferror(file) != 0;
  fclose(file);
  if (failed && text->data != NULL) {
    text->size = before;
    text->data[before] = '\0';
  }
  return !failed;
}
