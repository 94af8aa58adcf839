#include "package/xml_text.h"

#include "common/text.h"

namespace kassivo {

std::u16string XmlEscape(std::u16string_view source, bool drop_line_breaks) {
  std::u16string out;
  out.reserve(source.size());
  for (std::size_t i = 0; i < source.size(); ++i) {
    const char16_t c = source[i];
    if (drop_line_breaks && (c == u'\n' || c == u'\r')) continue;
    switch (c) {
      case u'&':
        if (source.substr(i + 1, 5) == u"quot;") {
          out += u"&#34;";
          i += 5;
        } else {
          out += u"&#38;";
        }
        break;
      // The decimal character references, spelt out.
      case u'\n':
        out += u"&#10;";
        break;
      case u'\r':
        out += u"&#13;";
        break;
      case u'"':
        out += u"&#34;";
        break;
      case u'\'':
        out += u"&#39;";
        break;
      case u'<':
        out += u"&#60;";
        break;
      case u'>':
        out += u"&#62;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::u16string GetAttributeText(const XmlNode& node, std::u16string_view name) {
  const std::u16string_view* value = node.FindAttribute(name);
  return value ? std::u16string(*value) : std::u16string();
}

bool GetAttributeBool(const XmlNode& node, std::u16string_view name) {
  const std::u16string_view* value = node.FindAttribute(name);
  if (!value) return false;
  return AsciiUpper(*value) == u"TRUE" || *value == u"1";
}

LineAnswer::LineAnswer(std::initializer_list<std::u16string_view> opening_lines)
    : text_(u"<?xml version=\"1.0\" encoding=\"UTF-8\"?> \r") {
  for (const std::u16string_view line : opening_lines) {
    text_.append(line);
    text_ += u'\r';
  }
}

LineAnswer& LineAnswer::Add(std::u16string_view name, std::u16string_view value) {
  text_.append(name);
  text_ += u"=\"";
  text_.append(value);
  text_ += u"\"\r";
  return *this;
}

std::u16string LineAnswer::Finish(std::u16string_view closing) && {
  text_ += u"/>";
  text_.append(closing);
  return std::move(text_);
}

const std::u16string_view* FindAttributeSpelled(const XmlNode& node,
                                                std::u16string_view old_spelling,
                                                std::u16string_view standard_spelling) {
  if (const std::u16string_view* value = node.FindAttribute(old_spelling)) return value;
  return node.FindAttribute(standard_spelling);
}

}  // namespace kassivo
