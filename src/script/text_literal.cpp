#include "script/text_literal.h"

#include <algorithm>
#include <cstring>

#include "script/text_literal_blocks.h"

namespace kassivo {

namespace {

// Units taken per chunk: a chunk is written only where the buffer has room
// for the most it can take.
constexpr std::size_t kChunkUnits = 1024;
// The bytes `units` units may take: a step started inside a chunk may run
// fifteen units past its end (a plain prefix, then a block of eight), a
// unit takes at most six bytes, and a block stores sixteen bytes however
// few it keeps.
constexpr std::size_t MostBytesOf(std::size_t units) {
  return (units + 16) * 6 + 16;
}
// Text before and after a literal up to this size goes through the buffer;
// longer text is appended to the output apart.
constexpr std::size_t kEdgeBytes = 16;
constexpr std::size_t kLeastBuffer = MostBytesOf(kChunkUnits) + 2 * kEdgeBytes;
static_assert(TextLiteralLines::kBufferBytes >= kLeastBuffer);

// A buffer in front of a string: bytes are written at `p` once Room has
// made sure of the space, and appended to the string when it fills.
struct Buffered {
  char* const begin;
  char* const end;
  char* p;
  std::string& out;

  void Flush() {
    out.append(begin, static_cast<std::size_t>(p - begin));
    p = begin;
  }
  void Room(std::size_t bytes) {
    if (static_cast<std::size_t>(end - p) < bytes) Flush();
  }
  void Edge(std::string_view edge) {
    if (edge.empty()) return;
    if (edge.size() > kEdgeBytes) {
      Flush();
      out += edge;
      return;
    }
    Room(edge.size());
    std::memcpy(p, edge.data(), edge.size());
    p += edge.size();
  }
};

// `before`, the literal, then `after`.
void WriteQuoted(std::string_view before, std::u16string_view text, std::string_view after,
                 Buffered& to) {
  to.Edge(before);
  to.Room(1);
  *to.p++ = '"';
  const std::size_t n = text.size();
  for (std::size_t i = 0; i < n;) {
    const std::size_t end = std::min(n, i + kChunkUnits);
    to.Room(MostBytesOf(end - i));
    i = WriteChunk(text.data(), n, i, end, to.p);
  }
  to.Room(1);
  *to.p++ = '"';
  to.Edge(after);
}

}  // namespace

void AppendTextLiteral(std::u16string_view text, std::string& out) {
  // Most texts take a byte a unit, Cyrillic two: room for the usual case
  // at once, growing geometrically when the string must move.
  const std::size_t least = out.size() + text.size() + 2;
  if (out.capacity() < least) out.reserve(least);
  char buffer[kLeastBuffer];
  Buffered to{buffer, buffer + sizeof buffer, buffer, out};
  WriteQuoted({}, text, {}, to);
  to.Flush();
}

void TextLiteralLines::Add(std::string_view before, std::u16string_view text) {
  Buffered to{buffer_, buffer_ + kBufferBytes, p_, out_};
  WriteQuoted(before, text, "\n", to);
  p_ = to.p;
}

void TextLiteralLines::Flush() {
  out_.append(buffer_, static_cast<std::size_t>(p_ - buffer_));
  p_ = buffer_;
}

}  // namespace kassivo
