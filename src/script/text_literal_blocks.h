// The literal writer's inner loops (text_literal.cpp), shared with its
// twin built for processors with SSSE3 (text_literal_ssse3.cpp, compiled
// with -mssse3), which spreads a block's bytes with one shuffle. Everything
// here has internal linkage and uses no library template, so no code built
// for SSSE3 can stand in for code the rest of the driver calls.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__SSSE3__)
#include <tmmintrin.h>
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

#if defined(__SSSE3__)
// For each set of units taking one byte (bit k: unit k), the byte of the
// sixteen written (two a unit, first lowest) that lands at each place.
struct SpreadTable {
  alignas(16) signed char order[256][16];
  unsigned char bytes[256];  // how many of the sixteen are kept
};
constexpr SpreadTable MakeSpreadTable() {
  SpreadTable table{};
  for (int units = 0; units < 256; ++units) {
    int at = 0;
    for (int k = 0; k < 8; ++k) {
      table.order[units][at++] = static_cast<signed char>(2 * k);
      if (((units >> k) & 1) == 0) table.order[units][at++] = static_cast<signed char>(2 * k + 1);
    }
    table.bytes[units] = static_cast<unsigned char>(at);
    while (at < 16) table.order[units][at++] = -128;  // a zero byte
  }
  return table;
}
inline constexpr SpreadTable kSpread = MakeSpreadTable();

// For the last `left` units of a text (1..7) taken from a load of its last
// eight: the shuffle that moves them first, and the plain units ('a', a byte
// each) that fill the block up behind them.
struct TailTable {
  alignas(16) signed char order[8][16];
  alignas(16) char16_t fill[8][8];
};
constexpr TailTable MakeTailTable() {
  TailTable table{};
  for (int left = 0; left < 8; ++left) {
    for (int k = 0; k < 8; ++k) {
      const bool kept = k < left;
      const int from = 2 * (8 - left + k);
      table.order[left][2 * k] = static_cast<signed char>(kept ? from : -128);
      table.order[left][2 * k + 1] = static_cast<signed char>(kept ? from + 1 : -128);
      table.fill[left][k] = kept ? u'\0' : u'a';
    }
  }
  return table;
}
inline constexpr TailTable kTail = MakeTailTable();
#endif

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
#if defined(__SSSE3__)
  // Spread to where each unit's bytes go by a shuffle chosen by which units
  // take one byte.
  const unsigned one_byte_units =
      static_cast<unsigned>(_mm_movemask_epi8(_mm_packs_epi16(plain, zero)));
  const __m128i order =
      _mm_load_si128(reinterpret_cast<const __m128i*>(kSpread.order[one_byte_units]));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(p), _mm_shuffle_epi8(bytes, order));
  p += kSpread.bytes[one_byte_units];
#else
  alignas(16) char lanes[16];
  _mm_store_si128(reinterpret_cast<__m128i*>(lanes), bytes);
  // Two bytes stored for every unit; a plain unit's second is overwritten
  // by the next, or lies past the end.
  for (int k = 0; k < 8; ++k) {
    std::memcpy(p, lanes + 2 * k, 2);
    p += 2 - ((one_byte >> (2 * k)) & 1u);
  }
#endif
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
#if defined(__SSSE3__)
    } else if (n >= 8) {
      // The last units, moved down from a load of the text's last eight and
      // followed by plain ones (a byte each, taken back).
      const std::size_t left = n - i;
      const __m128i last = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + n - 8));
      const __m128i block = _mm_or_si128(
          _mm_shuffle_epi8(last,
                           _mm_load_si128(reinterpret_cast<const __m128i*>(kTail.order[left]))),
          _mm_load_si128(reinterpret_cast<const __m128i*>(kTail.fill[left])));
      written = WriteBlock(block, p);
      if (written >= left) {
        p -= written - left;
        return n;
      }
      i += written;
#endif
    }
    i += WriteUnit(text, n, i, p);
  }
  return i;
}

}  // namespace
}  // namespace kassivo
