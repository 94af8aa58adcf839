#include "host/text_literal.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

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

// Whether each of the eight units at `in` takes at most two bytes: plain
// ASCII (one), an escape of \ " CR LF TAB, or two bytes of UTF-8 without
// an escape (U+00A0..U+07FF: Cyrillic among them). If so writes them at
// `p` (and up to sixteen bytes past it) and moves `p` past them.
bool WriteShortUnits(const char16_t* in, char*& p) {
  const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
  const __m128i zero = _mm_setzero_si128();
  const auto is = [&](char16_t unit) {
    return _mm_cmpeq_epi16(units, _mm_set1_epi16(static_cast<short>(unit)));
  };
  const __m128i quote = _mm_or_si128(is(u'"'), is(u'\\'));
  const __m128i cr = is(u'\r');
  const __m128i lf = is(u'\n');
  const __m128i tab = is(u'\t');
  const __m128i plain = _mm_andnot_si128(
      quote,
      _mm_cmpeq_epi16(
          _mm_subs_epu16(_mm_sub_epi16(units, _mm_set1_epi16(0x20)), _mm_set1_epi16(0x5E)), zero));
  const __m128i escape = _mm_or_si128(_mm_or_si128(quote, cr), _mm_or_si128(lf, tab));
  const __m128i two = _mm_cmpeq_epi16(
      _mm_subs_epu16(_mm_sub_epi16(units, _mm_set1_epi16(0xA0)), _mm_set1_epi16(0x7FF - 0xA0)),
      zero);
  if (_mm_movemask_epi8(_mm_or_si128(_mm_or_si128(plain, escape), two)) != 0xFFFF) return false;
  // Each lane becomes the unit's bytes, the first lowest (first in memory).
  const __m128i escaped =
      _mm_add_epi16(units, _mm_or_si128(_mm_or_si128(_mm_and_si128(cr, _mm_set1_epi16('r' - '\r')),
                                                     _mm_and_si128(lf, _mm_set1_epi16('n' - '\n'))),
                                        _mm_and_si128(tab, _mm_set1_epi16('t' - '\t'))));
  const __m128i escape_bytes = _mm_or_si128(_mm_set1_epi16('\\'), _mm_slli_epi16(escaped, 8));
  const __m128i lead = _mm_or_si128(_mm_srli_epi16(units, 6), _mm_set1_epi16(0xC0));
  const __m128i trail =
      _mm_or_si128(_mm_and_si128(units, _mm_set1_epi16(0x3F)), _mm_set1_epi16(0x80));
  const __m128i two_bytes = _mm_or_si128(lead, _mm_slli_epi16(trail, 8));
  const __m128i bytes = _mm_or_si128(
      _mm_and_si128(plain, units),
      _mm_or_si128(_mm_and_si128(escape, escape_bytes), _mm_and_si128(two, two_bytes)));
  alignas(16) char lanes[16];
  _mm_store_si128(reinterpret_cast<__m128i*>(lanes), bytes);
  // Two bytes stored for every unit; a plain unit's second is overwritten
  // by the next, or lies past the end.
  const unsigned one_byte = static_cast<unsigned>(_mm_movemask_epi8(plain));
  for (int k = 0; k < 8; ++k) {
    std::memcpy(p, lanes + 2 * k, 2);
    p += 2 - ((one_byte >> (2 * k)) & 1u);
  }
  return true;
}
#else
std::size_t PlainAsciiPrefix(const char16_t*, char*) {
  return 0;
}
bool WriteShortUnits(const char16_t*, char*&) {
  return false;
}
#endif

// Units taken per chunk: each chunk is written into a buffer on the stack
// and appended to the output at once.
constexpr std::size_t kChunkUnits = 1024;
// A step started inside a chunk may run fifteen units past its end (a plain
// prefix, then a block of eight), a unit takes at most six bytes, and a
// block stores sixteen bytes however few it keeps.
constexpr std::size_t kChunkBytes = (kChunkUnits + 16) * 6 + 16;

// Writes the units from `i` on, stopping at or just past `end`; returns
// where it stopped and moves `p` past what it wrote.
std::size_t WriteChunk(std::u16string_view text, std::size_t i, std::size_t end, char*& p) {
  const std::size_t n = text.size();
  while (i < end) {
    if (i + 8 <= n) {
      const std::size_t plain = PlainAsciiPrefix(text.data() + i, p);
      i += plain;
      p += plain;
      if (plain == 8) continue;
      if (i + 8 <= n && WriteShortUnits(text.data() + i, p)) {
        i += 8;
        continue;
      }
    }
    i += WriteUnit(text, i, p);
  }
  return i;
}

}  // namespace

void AppendTextLiteral(std::u16string_view text, std::string& out) {
  const std::size_t n = text.size();
  // Most texts take a byte a unit, Cyrillic two: room for the usual case
  // at once, growing geometrically when the string must move.
  if (out.capacity() - out.size() < n + 2) out.reserve(out.size() + n + 2);
  out += '"';
  char buffer[kChunkBytes];
  std::size_t i = 0;
  while (i < n) {
    char* p = buffer;
    i = WriteChunk(text, i, std::min(n, i + kChunkUnits), p);
    out.append(buffer, static_cast<std::size_t>(p - buffer));
  }
  out += '"';
}

}  // namespace kassivo
