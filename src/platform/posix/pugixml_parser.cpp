#include "platform/posix/pugixml_parser.h"

#include <bit>
#include <cstdint>
#include <cstring>
#include <optional>
#include <pugixml.hpp>
#include <string_view>
#include <unordered_set>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "common/text.h"
#include "common/value.h"

namespace kassivo {

namespace {

class ParseFailure {
 public:
  ParseFailure(std::string description, std::ptrdiff_t offset)
      : description_(std::move(description)), offset_(offset) {}
  const std::string& description() const { return description_; }
  std::ptrdiff_t offset() const { return offset_; }

 private:
  std::string description_;
  std::ptrdiff_t offset_;
};

bool IsXmlChar(std::uint32_t c) {
  return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
         (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

std::optional<std::uint32_t> CharacterReference(std::string_view body) {
  // body is what stands between "&#" and ";".
  const bool hex = !body.empty() && body[0] == 'x';
  if (hex) body.remove_prefix(1);
  if (body.empty() || body.size() > 8) return std::nullopt;
  std::uint32_t code = 0;
  for (const char c : body) {
    int digit;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (hex && c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else if (hex && c >= 'A' && c <= 'F') {
      digit = c - 'A' + 10;
    } else {
      return std::nullopt;
    }
    code = code * (hex ? 16 : 10) + static_cast<std::uint32_t>(digit);
  }
  if (!IsXmlChar(code)) return std::nullopt;
  return code;
}

char16_t* AppendCodePoint(char16_t* out, std::uint32_t code) {
  if (code >= 0x10000) {
    code -= 0x10000;
    *out++ = static_cast<char16_t>(0xD800 + (code >> 10));
    *out++ = static_cast<char16_t>(0xDC00 + (code & 0x3FF));
  } else {
    *out++ = static_cast<char16_t>(code);
  }
  return out;
}

// The position of the first '&' or '<' from `from` on, or npos. (Not
// find_first_of, which searches the set once for every character; with SSE2,
// sixteen bytes at a time.)
std::size_t FindSpecial(std::string_view raw, std::size_t from) {
  std::size_t i = from;
#if defined(__SSE2__)
  const __m128i ampersand = _mm_set1_epi8('&');
  const __m128i less = _mm_set1_epi8('<');
  for (; i + 16 <= raw.size(); i += 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(raw.data() + i));
    const int hits = _mm_movemask_epi8(
        _mm_or_si128(_mm_cmpeq_epi8(bytes, ampersand), _mm_cmpeq_epi8(bytes, less)));
    if (hits != 0)
      return i + static_cast<std::size_t>(std::countr_zero(static_cast<unsigned>(hits)));
  }
#endif
  for (; i < raw.size(); ++i) {
    if (raw[i] == '&' || raw[i] == '<') return i;
  }
  return std::string_view::npos;
}

// Where a conversion puts its text: the document's store, and the names
// already converted. A package repeats a dozen names thousands of times, so
// each distinct name is converted and stored once.
class Output {
 public:
  explicit Output(XmlTextStore& store) : store_(store) {}
  XmlTextStore& store() { return store_; }

  std::u16string_view Name(std::string_view raw) {
    if (raw.empty()) return {};
    Slot& slot = names_[(raw.size() * 31 + static_cast<unsigned char>(raw.front()) * 7 +
                         static_cast<unsigned char>(raw.back())) %
                        kSlots];
    if (slot.raw == raw) return slot.name;
    char16_t* start = store_.Allocate(raw.size());
    char16_t* end = FromUtf8To(raw, start);
    store_.GiveBack(end);
    // `raw` lies in the parsed buffer, which outlives the conversion.
    slot = {raw, {start, static_cast<std::size_t>(end - start)}};
    return slot.name;
  }

 private:
  static constexpr std::size_t kSlots = 64;
  struct Slot {
    std::string_view raw;
    std::u16string_view name;
  };
  XmlTextStore& store_;
  Slot names_[kSlots] = {};
};

// An attribute value as pugixml leaves it without escape processing (white
// space already normalised), with its references decoded, into the
// document's text. No reference is shorter than what it stands for, so the
// raw value's length in bytes is room enough.
// `element` is the attribute's element, whose position a failure reports.
std::u16string_view DecodeAttribute(std::string_view raw, const pugi::xml_node& element,
                                    XmlTextStore& store) {
  char16_t* const start = store.Allocate(raw.size());
  char16_t* out = start;
  std::size_t done = 0;
  while (done < raw.size()) {
    const std::size_t special = FindSpecial(raw, done);
    out = FromUtf8To(raw.substr(done, special - done), out);
    if (special == std::string_view::npos) break;
    if (raw[special] == '<')
      throw ParseFailure("Unescaped '<' in attribute value", element.offset_debug());
    const std::size_t end = raw.find(';', special);
    if (end == std::string_view::npos) {
      throw ParseFailure("Invalid entity reference", element.offset_debug());
    }
    const std::string_view name = raw.substr(special + 1, end - special - 1);
    if (name == "lt") {
      *out++ = u'<';
    } else if (name == "gt") {
      *out++ = u'>';
    } else if (name == "amp") {
      *out++ = u'&';
    } else if (name == "apos") {
      *out++ = u'\'';
    } else if (name == "quot") {
      *out++ = u'"';
    } else if (!name.empty() && name[0] == '#') {
      const auto code = CharacterReference(name.substr(1));
      if (!code) throw ParseFailure("Invalid character reference", element.offset_debug());
      out = AppendCodePoint(out, *code);
    } else {
      throw ParseFailure("Invalid entity reference", element.offset_debug());
    }
    done = end + 1;
  }
  store.GiveBack(out);
  return {start, static_cast<std::size_t>(out - start)};
}

// Deeper documents are refused, so that neither the conversion nor the
// tree's destruction can exhaust the stack.
constexpr int kMaxDepth = 1000;

void Convert(const pugi::xml_node& source, XmlNode& target, int depth, Output& output) {
  switch (source.type()) {
    case pugi::node_element: {
      if (depth > kMaxDepth)
        throw ParseFailure("Elements nested too deeply", source.offset_debug());
      target.is_element = true;
      target.name = output.Name(source.name());
      // Counted first, so that each vector is allocated once.
      std::size_t attribute_count = 0;
      for (pugi::xml_attribute a = source.first_attribute(); a; a = a.next_attribute()) {
        ++attribute_count;
      }
      std::size_t child_count = 0;
      for (pugi::xml_node c = source.first_child(); c; c = c.next_sibling()) ++child_count;
      target.attributes.reserve(attribute_count);
      target.children.reserve(child_count);
      // Duplicates: a few attributes are compared pairwise, many through a set.
      constexpr std::size_t kPairwise = 16;
      const char* names[kPairwise];
      std::unordered_set<std::string_view> seen;
      std::size_t index = 0;
      for (pugi::xml_attribute attribute = source.first_attribute(); attribute;
           attribute = attribute.next_attribute(), ++index) {
        const char* name = attribute.name();
        bool duplicate = false;
        if (attribute_count <= kPairwise) {
          for (std::size_t before = 0; before < index && !duplicate; ++before) {
            duplicate = *names[before] == *name && std::strcmp(names[before], name) == 0;
          }
          names[index] = name;
        } else {
          duplicate = !seen.insert(name).second;
        }
        if (duplicate) throw ParseFailure("Duplicate attribute", source.offset_debug());
        target.attributes.push_back(
            {output.Name(name), DecodeAttribute(attribute.value(), source, output.store())});
      }
      for (pugi::xml_node child = source.first_child(); child; child = child.next_sibling()) {
        target.children.emplace_back();
        Convert(child, target.children.back(), depth + 1, output);
      }
      return;
    }
    case pugi::node_pcdata:
      target.name = u"#text";
      return;
    case pugi::node_cdata:
      target.name = u"#cdata-section";
      return;
    case pugi::node_comment:
      target.name = u"#comment";
      return;
    case pugi::node_pi:
      target.name = output.store().Keep(u"#pi:" + FromUtf8(source.name()));
      return;
    default:
      target.name = u"#node";
      return;
  }
}

// The one document element; text, CDATA or a second element outside it are
// refused (pugixml drops or keeps them silently).
pugi::xml_node DocumentElement(const pugi::xml_document& document) {
  pugi::xml_node root;
  for (const pugi::xml_node& node : document.children()) {
    switch (node.type()) {
      case pugi::node_element:
        if (root) throw ParseFailure("More than one document element", node.offset_debug());
        root = node;
        break;
      case pugi::node_pcdata:
      case pugi::node_cdata:
        throw ParseFailure("Text outside the document element", node.offset_debug());
      default:
        break;
    }
  }
  if (!root) {
    pugi::xml_parse_result missing;
    missing.status = pugi::status_no_document_element;
    throw ParseFailure(missing.description(), 0);
  }
  return root;
}

std::u16string Message(const std::string& utf8, const ParseFailure& failure) {
  std::size_t offset = failure.offset() < 0 ? 0 : static_cast<std::size_t>(failure.offset());
  if (offset > utf8.size()) offset = utf8.size();
  const std::size_t position = FromUtf8(std::string_view(utf8).substr(0, offset)).size();
  return u"Ошибка разбора XML: " + FromUtf8(failure.description()) + u" (позиция " +
         DecimalText(static_cast<std::int64_t>(position)) + u").";
}

}  // namespace

XmlDocument PugixmlParser::Parse(std::u16string_view text) const {
  // Parsed in place, so that pugixml makes no copy of its own; the parser
  // writes into the buffer, so a failure's position is found in a fresh copy.
  std::string utf8 = ToUtf8(text);
  pugi::xml_document document;
  // Fragment mode keeps text outside the document element, so that it can be
  // refused; escapes are decoded here, strictly.
  const unsigned options = (pugi::parse_default & ~pugi::parse_escapes) | pugi::parse_fragment |
                           pugi::parse_comments | pugi::parse_pi | pugi::parse_declaration |
                           pugi::parse_doctype;
  const pugi::xml_parse_result parsed =
      document.load_buffer_inplace(utf8.data(), utf8.size(), options, pugi::encoding_utf8);
  try {
    if (!parsed) throw ParseFailure(parsed.description(), parsed.offset);
    XmlDocument result;
    // No name or value takes more units than its bytes: one block holds the
    // whole document's text.
    result.text.Reserve(utf8.size());
    Output output(result.text);
    Convert(DocumentElement(document), result.root, 1, output);
    return result;
  } catch (const ParseFailure& failure) {
    throw DriverError(Message(ToUtf8(text), failure));
  }
}

}  // namespace kassivo
