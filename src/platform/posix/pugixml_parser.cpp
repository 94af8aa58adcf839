#include "platform/posix/pugixml_parser.h"

#include <pugixml.hpp>

#include "common/text.h"
#include "common/value.h"

namespace kassivo {

namespace {

void Convert(const pugi::xml_node& source, XmlNode& target) {
  switch (source.type()) {
    case pugi::node_element:
      target.is_element = true;
      target.name = FromUtf8(source.name());
      for (const pugi::xml_attribute& attribute : source.attributes()) {
        target.attributes.emplace_back(FromUtf8(attribute.name()), FromUtf8(attribute.value()));
      }
      for (const pugi::xml_node& child : source.children()) {
        XmlNode node;
        Convert(child, node);
        target.children.push_back(std::move(node));
      }
      return;
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
      target.name = u"#pi:" + FromUtf8(source.name());
      return;
    default:
      target.name = u"#node";
      return;
  }
}

}  // namespace

XmlDocument PugixmlParser::Parse(std::u16string_view text) const {
  const std::string utf8 = ToUtf8(text);
  pugi::xml_document document;
  const unsigned options = pugi::parse_default | pugi::parse_comments | pugi::parse_pi |
                           pugi::parse_declaration | pugi::parse_doctype;
  const pugi::xml_parse_result parsed =
      document.load_buffer(utf8.data(), utf8.size(), options, pugi::encoding_utf8);
  if (!parsed) {
    throw DriverError(u"Ошибка разбора XML: " + FromUtf8(parsed.description()) + u" (позиция " +
                      DecimalText(parsed.offset) + u").");
  }
  const pugi::xml_node root = document.document_element();
  if (!root) throw DriverError(u"Ошибка разбора XML: нет корневого элемента.");
  XmlDocument result;
  Convert(root, result.root);
  return result;
}

}  // namespace kassivo
