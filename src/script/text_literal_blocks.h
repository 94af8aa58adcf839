// The literal writer's inner loops (text_literal.cpp): a unit at a time,
// and, where the processor has SSE2 (every x86-64), a block of eight units
// in one step.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kassivo {
namespace {

inline bool IsHighSurrogate(char16_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
inline bool IsLowSurrogate(char16_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

// The bytes one unit (or a surrogate pair, `text[i]` its first unit) takes;
// returns how many units it consumed.
inline std::size_t WriteUnit(const char16_t* text, std::size_t n, std::size_t i, char*& p) {
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
  if (IsHighSurrogate(unit) && i + 1 < n && IsLowSurrogate(text[i + 1])) {
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
// Writes a block of eight units at `in` to `p` as far as it can in one step
// and moves `p` past what it wrote (it may store up to sixteen bytes past
// that); returns how many units it wrote. All eight when each takes at most
// two bytes: plain ASCII (U+0020..U+007E but " and \, one byte), an escape
// of \ " CR LF TAB, or UTF-8 without an escape (U+00A0..U+07FF: Cyrillic
// among them). Otherwise the plain ASCII units before the first other one.
inline std::size_t WriteBlock(const __m128i units, char*& p) {
  const __m128i zero = _mm_setzero_si128();
  const auto is = [&](char16_t unit) {
    return _mm_cmpeq_epi16(units, _mm_set1_epi16(static_cast<short>(unit)));
  };
  // Shifted down by 0x20, a plain unit lies in 0..0x5E: unsigned, at most
  // 0x5E, which a saturating subtraction turns into zero.
  const __m128i quote = _mm_or_si128(is(u'"'), is(u'\\'));
  const __m128i plain = _mm_andnot_si128(
      quote,
      _mm_cmpeq_epi16(
          _mm_subs_epu16(_mm_sub_epi16(units, _mm_set1_epi16(0x20)), _mm_set1_epi16(0x5E)), zero));
  const unsigned one_byte = static_cast<unsigned>(_mm_movemask_epi8(plain));
  if (one_byte == 0xFFFF) {
    _mm_storel_epi64(reinterpret_cast<__m128i*>(p), _mm_packus_epi16(units, units));
    p += 8;
    return 8;
  }
  const __m128i cr = is(u'\r');
  const __m128i lf = is(u'\n');
  const __m128i tab = is(u'\t');
  const __m128i escape = _mm_or_si128(_mm_or_si128(quote, cr), _mm_or_si128(lf, tab));
  const __m128i two = _mm_cmpeq_epi16(
      _mm_subs_epu16(_mm_sub_epi16(units, _mm_set1_epi16(0xA0)), _mm_set1_epi16(0x7FF - 0xA0)),
      zero);
  if (_mm_movemask_epi8(_mm_or_si128(_mm_or_si128(plain, escape), two)) != 0xFFFF) {
    _mm_storel_epi64(reinterpret_cast<__m128i*>(p), _mm_packus_epi16(units, units));
    const std::size_t written = static_cast<std::size_t>(__builtin_ctz(~one_byte)) / 2;
    p += written;
    return written;
  }
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
  for (int k = 0; k < 8; ++k) {
    std::memcpy(p, lanes + 2 * k, 2);
    p += 2 - ((one_byte >> (2 * k)) & 1u);
  }
  return 8;
}

inline std::size_t WriteBlockAt(const char16_t* in, char*& p) {
  return WriteBlock(_mm_loadu_si128(reinterpret_cast<const __m128i*>(in)), p);
}
#else
inline std::size_t WriteBlockAt(const char16_t*, char*&) {
  return 0;
}
#endif

// Writes the units from `i` on, stopping at or just past `end`; returns
// where it stopped and moves `p` past what it wrote.
inline std::size_t WriteChunk(const char16_t* text, std::size_t n, std::size_t i, std::size_t end,
                              char*& p) {
  while (i < end) {
    std::size_t written = 0;
    if (i + 8 <= n) {
      written = WriteBlockAt(text + i, p);
      i += written;
      if (written == 8) continue;
    }
    i += WriteUnit(text, n, i, p);
  }
  return i;
}

}  // namespace
}  // namespace kassivo
