#include "common/text.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kassivo {

// Both conversions write through a pointer into a buffer sized up front: they
// run over every XML text the host passes, some of them megabytes long, whose
// bulk is ASCII. Runs of ASCII are found a machine word at a time (the masks
// test the high bits of every unit the word holds) and copied unit by unit,
// which the compiler turns into wide moves.

namespace {

constexpr std::uint64_t kHighOfUnits16 = 0xFF80FF80FF80FF80u;  // any of four units >= 0x80

std::uint64_t LoadWord(const void* from) {
  std::uint64_t word;
  std::memcpy(&word, from, sizeof word);
  return word;
}

// With SSE2 (every x86-64), sixteen bytes at a time. Each function handles the
// ASCII run at the start of its input and returns how much it took.
#if defined(__SSE2__)
// Eight UTF-16 units, all below 0x80.
bool AllAscii(__m128i units) {
  const __m128i high = _mm_set1_epi16(static_cast<short>(0xFF80));
  return _mm_movemask_epi8(_mm_cmpeq_epi16(_mm_and_si128(units, high), _mm_setzero_si128())) ==
         0xFFFF;
}

std::size_t CountAsciiUnits(const char16_t* in, std::size_t n) {
  std::size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    if (!AllAscii(_mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i)))) break;
  }
  return i;
}

std::size_t NarrowAscii(const char16_t* in, std::size_t n, char* out) {
  std::size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
    if (!AllAscii(units)) break;
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out + i), _mm_packus_epi16(units, units));
  }
  return i;
}

std::size_t WidenAscii(const unsigned char* in, std::size_t n, char16_t* out) {
  const __m128i zero = _mm_setzero_si128();
  std::size_t i = 0;
  for (; i + 16 <= n; i += 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
    if (_mm_movemask_epi8(bytes) != 0) break;
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_unpacklo_epi8(bytes, zero));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i + 8), _mm_unpackhi_epi8(bytes, zero));
  }
  return i;
}
#else
std::size_t CountAsciiUnits(const char16_t*, std::size_t) {
  return 0;
}
std::size_t NarrowAscii(const char16_t*, std::size_t, char*) {
  return 0;
}
std::size_t WidenAscii(const unsigned char*, std::size_t, char16_t*) {
  return 0;
}
#endif

}  // namespace

std::string ToUtf8(std::u16string_view text) {
  std::string out;
  AppendUtf8(text, out);
  return out;
}

void AppendUtf8(std::u16string_view text, std::string& out) {
  const char16_t* in = text.data();
  const std::size_t n = text.size();
  // The length, exact but for surrogate pairs: a unit below 0x80 takes one
  // byte, below 0x800 two, any other three (a lone surrogate's replacement
  // too); a pair, counted six here, takes four.
  std::size_t length = 0;
  std::size_t i = 0;
  for (; i + 4 <= n; i += 4) {
    const std::size_t ascii = CountAsciiUnits(in + i, n - i);
    length += ascii;
    i += ascii;
    if (i + 4 > n) break;
    if ((LoadWord(in + i) & kHighOfUnits16) == 0) {
      length += 4;
      continue;
    }
    for (std::size_t k = i; k < i + 4; ++k) length += in[k] < 0x80 ? 1 : in[k] < 0x800 ? 2 : 3;
  }
  for (; i < n; ++i) length += in[i] < 0x80 ? 1 : in[i] < 0x800 ? 2 : 3;

  const std::size_t start = out.size();
  out.resize(start + length);
  char* p = out.data() + start;
  i = 0;
  while (i < n) {
    const std::size_t ascii = NarrowAscii(in + i, n - i, p);
    i += ascii;
    p += ascii;
    while (i + 4 <= n && (LoadWord(in + i) & kHighOfUnits16) == 0) {
      for (std::size_t k = 0; k < 4; ++k) p[k] = static_cast<char>(in[i + k]);
      p += 4;
      i += 4;
    }
    if (i == n) break;
    std::uint32_t cp = in[i];
    if (cp < 0x80) {
      *p++ = static_cast<char>(cp);
      ++i;
      continue;
    }
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < n && in[i + 1] >= 0xDC00 && in[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (in[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = 0xFFFD;
    }
    ++i;
    if (cp < 0x800) {
      *p++ = static_cast<char>(0xC0 | (cp >> 6));
      *p++ = static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
      *p++ = static_cast<char>(0xE0 | (cp >> 12));
      *p++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      *p++ = static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      *p++ = static_cast<char>(0xF0 | (cp >> 18));
      *p++ = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
      *p++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      *p++ = static_cast<char>(0x80 | (cp & 0x3F));
    }
  }
  out.resize(static_cast<std::size_t>(p - out.data()));
}

char16_t* FromUtf8To(std::string_view text, char16_t* out) {
  char16_t* p = out;
  const unsigned char* in = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t n = text.size();
  std::size_t i = 0;
  while (i < n) {
    const std::size_t ascii = WidenAscii(in + i, n - i, p);
    i += ascii;
    p += ascii;
    // Short texts (most names and values) and the rest of a run, a byte at
    // a time.
    while (i < n && in[i] < 0x80) *p++ = in[i++];
    if (i == n) break;
    const unsigned char b = in[i];
    std::uint32_t cp = 0xFFFD;
    std::size_t len = 1;
    std::size_t need = 0;
    std::uint32_t min = 0;
    if ((b & 0xE0) == 0xC0) {
      need = 1, cp = b & 0x1F, min = 0x80;
    } else if ((b & 0xF0) == 0xE0) {
      need = 2, cp = b & 0x0F, min = 0x800;
    } else if ((b & 0xF8) == 0xF0) {
      need = 3, cp = b & 0x07, min = 0x10000;
    }
    if (need > 0) {
      bool ok = true;
      for (std::size_t k = 1; ok && k <= need; ++k) {
        if (i + k >= n || (in[i + k] & 0xC0) != 0x80) {
          ok = false;
        } else {
          cp = (cp << 6) | (in[i + k] & 0x3F);
        }
      }
      if (ok && cp >= min && cp <= 0x10FFFF && !(cp >= 0xD800 && cp <= 0xDFFF)) {
        len = need + 1;
      } else {
        cp = 0xFFFD;
        len = 1;
      }
    }
    if (cp >= 0x10000) {
      cp -= 0x10000;
      *p++ = static_cast<char16_t>(0xD800 + (cp >> 10));
      *p++ = static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
      *p++ = static_cast<char16_t>(cp);
    }
    i += len;
  }
  return p;
}

std::u16string FromUtf8(std::string_view text) {
  // Every byte gives at most one UTF-16 unit (four bytes give two).
  std::u16string out(text.size(), u'\0');
  out.resize(static_cast<std::size_t>(FromUtf8To(text, out.data()) - out.data()));
  return out;
}

std::u16string_view TrimView(std::u16string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && text[begin] <= u' ') ++begin;
  while (end > begin && text[end - 1] <= u' ') --end;
  return text.substr(begin, end - begin);
}

std::u16string Trim(std::u16string_view text) {
  return std::u16string(TrimView(text));
}

bool IsBlank(std::u16string_view text) {
  for (const char16_t c : text) {
    if (c > u' ') return false;
  }
  return true;
}

std::u16string AsciiUpper(std::u16string_view text) {
  std::u16string out(text);
  for (auto& c : out) {
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
  }
  return out;
}

std::u16string ReplaceAll(std::u16string_view text, std::u16string_view from,
                          std::u16string_view to) {
  if (from.empty() || from == to) return std::u16string(text);
  std::u16string out;
  out.reserve(text.size());
  std::size_t pos = 0;
  while (true) {
    const std::size_t hit = text.find(from, pos);
    if (hit == std::u16string_view::npos) break;
    out.append(text.substr(pos, hit - pos));
    out.append(to);
    pos = hit + from.size();
  }
  out.append(text.substr(pos));
  return out;
}

std::u16string DecimalText(std::int64_t value) {
  const std::string s = std::to_string(value);
  return std::u16string(s.begin(), s.end());
}

std::u16string FlagText(bool value) {
  return value ? u"True" : u"False";
}

}  // namespace kassivo
