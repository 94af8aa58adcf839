#include "host/text_literal.h"

#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kassivo {

namespace {

bool IsHighSurrogate(char16_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char16_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Writes through a pointer into `out`, grown ahead of the writes; Finish
// cuts it to what was written.
class Output {
 public:
  explicit Output(std::string& out) : out_(out), used_(out.size()) {}

  // Room for `bytes` more (and `hint` besides, when it grows) where the
  // next write goes. The string's capacity grows geometrically; its size
  // only as far as asked, since every byte past the end is zeroed.
  char* Room(std::size_t bytes, std::size_t hint) {
    if (used_ + bytes > out_.size()) out_.resize(used_ + bytes + hint);
    return out_.data() + used_;
  }
  void Advance(std::size_t bytes) { used_ += bytes; }
  void Finish() { out_.resize(used_); }

 private:
  std::string& out_;
  std::size_t used_;
};

// The bytes one unit (or a surrogate pair, `text[i]` its first unit) takes;
// returns how many units it consumed.
std::size_t WriteUnit(std::u16string_view text, std::size_t i, char*& p) {
  static const char kHex[] = "0123456789ABCDEF";
  const char16_t unit = text[i];
  switch (unit) {
    case u'\\':
      *p++ = '\\';
      *p++ = '\\';
      return 1;
    case u'"':
      *p++ = '\\';
      *p++ = '"';
      return 1;
    case u'\r':
      *p++ = '\\';
      *p++ = 'r';
      return 1;
    case u'\n':
      *p++ = '\\';
      *p++ = 'n';
      return 1;
    case u'\t':
      *p++ = '\\';
      *p++ = 't';
      return 1;
    default:
      break;
  }
  if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
    const std::uint32_t cp = 0x10000 + ((unit - 0xD800u) << 10) + (text[i + 1] - 0xDC00u);
    *p++ = static_cast<char>(0xF0 | (cp >> 18));
    *p++ = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    *p++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    *p++ = static_cast<char>(0x80 | (cp & 0x3F));
    return 2;
  }
  const bool control = unit < 0x20 || (unit >= 0x7F && unit <= 0x9F);
  if (control || IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
    *p++ = '\\';
    *p++ = 'u';
    for (int shift = 12; shift >= 0; shift -= 4) *p++ = kHex[(unit >> shift) & 0xF];
  } else if (unit < 0x80) {
    *p++ = static_cast<char>(unit);
  } else if (unit < 0x800) {
    *p++ = static_cast<char>(0xC0 | (unit >> 6));
    *p++ = static_cast<char>(0x80 | (unit & 0x3F));
  } else {
    *p++ = static_cast<char>(0xE0 | (unit >> 12));
    *p++ = static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
    *p++ = static_cast<char>(0x80 | (unit & 0x3F));
  }
  return 1;
}

#if defined(__SSE2__)
// The eight units at `in` packed to bytes at `out` (eight bytes written);
// returns how many of them, from the first, are plain ASCII (U+0020..U+007E
// but " and \) and so stand as written.
std::size_t PlainAsciiPrefix(const char16_t* in, char* out) {
  const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
  // Shifted down by 0x20, a plain unit lies in 0..0x5E: unsigned, at most
  // 0x5E, which a saturating subtraction turns into zero.
  const __m128i shifted = _mm_sub_epi16(units, _mm_set1_epi16(0x20));
  const __m128i outside = _mm_subs_epu16(shifted, _mm_set1_epi16(0x5E));
  __m128i good = _mm_cmpeq_epi16(outside, _mm_setzero_si128());
  good = _mm_andnot_si128(_mm_cmpeq_epi16(units, _mm_set1_epi16(u'"')), good);
  good = _mm_andnot_si128(_mm_cmpeq_epi16(units, _mm_set1_epi16(u'\\')), good);
  _mm_storel_epi64(reinterpret_cast<__m128i*>(out), _mm_packus_epi16(units, units));
  const unsigned bad = ~static_cast<unsigned>(_mm_movemask_epi8(good)) & 0xFFFFu;
  return bad == 0 ? 8 : static_cast<std::size_t>(__builtin_ctz(bad)) / 2;
}
#else
std::size_t PlainAsciiPrefix(const char16_t*, char*) {
  return 0;
}
#endif

}  // namespace

void AppendTextLiteral(std::u16string_view text, std::string& out) {
  const std::size_t n = text.size();
  Output output(out);
  // Most texts take a byte a unit; Cyrillic two, escapes up to six.
  char* p = output.Room(n + 2, n);
  *p++ = '"';
  output.Advance(1);
  std::size_t i = 0;
  while (i < n) {
    // A step writes eight packed bytes, or up to seven plain units and then
    // the longest form of one unit ("\uXXXX").
    p = output.Room(7 + 6, 2 * (n - i));
    char* const from = p;
    const std::size_t plain = i + 8 <= n ? PlainAsciiPrefix(text.data() + i, p) : 0;
    i += plain;
    p += plain;
    if (plain < 8 && i < n) i += WriteUnit(text, i, p);
    output.Advance(static_cast<std::size_t>(p - from));
  }
  p = output.Room(1, 0);
  *p = '"';
  output.Advance(1);
  output.Finish();
}

}  // namespace kassivo
