// Text literals of the transcript (transcript.h), appended to a string: the
// call journal writes every text argument this way, some megabytes long.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kassivo {

// `text` in double quotes; \ " CR LF TAB as \\ \" \r \n \t; every other
// control character (U+0000..U+001F, U+007F..U+009F) and every lone
// surrogate as \uXXXX with upper-case hex digits; all else as UTF-8.
void AppendTextLiteral(std::u16string_view text, std::string& out);

// Transcript lines (`before`, the literal of `text`, a line feed) gathered
// in a buffer of the writer's own and appended to `out` kilobytes at a
// time. Every line added is in `out` once Flush has returned; the writer
// going does not flush (an append that fails must not throw from it).
class TextLiteralLines {
 public:
  static constexpr std::size_t kBufferBytes = 16384;

  explicit TextLiteralLines(std::string& out) : out_(out), p_(buffer_) {}
  TextLiteralLines(const TextLiteralLines&) = delete;
  TextLiteralLines& operator=(const TextLiteralLines&) = delete;

  void Add(std::string_view before, std::u16string_view text);
  void Flush();

 private:
  std::string& out_;
  char* p_;
  char buffer_[kBufferBytes];
};

}  // namespace kassivo
