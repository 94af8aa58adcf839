// XmlParser over pugixml.
//
// The text is converted to UTF-8 and parsed with comments, processing
// instructions and CDATA kept as nodes; white-space-only text between
// elements is dropped by the parser and so is never a node. The parser is
// lenient where XML is not, so these are checked here and refused too:
// more than one document element, text or CDATA outside the document
// element, an attribute given twice on one element, a "<" in an attribute
// value, and an entity reference other than the five predefined ones and
// character references to XML characters. Elements nested more than 1000
// deep are refused as well, so that no input can exhaust the stack.
//
// A refused text throws DriverError "Ошибка разбора XML: DESCRIPTION
// (позиция N)." with pugixml's own description (or one in its style for the
// checks above) and the position in UTF-16 units from the start of the text.
#pragma once

#include "platform/xml.h"

namespace kassivo {

class PugixmlParser : public XmlParser {
 public:
  XmlDocument Parse(std::u16string_view text) const override;
};

}  // namespace kassivo
