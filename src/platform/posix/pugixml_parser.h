// XmlParser over pugixml.
//
// The text is converted to UTF-8 and parsed with comments, processing
// instructions and CDATA kept as nodes; white-space-only text between
// elements is dropped by the parser and so is never a node. A document that
// is not well-formed, or has no document element, throws DriverError with
// pugixml's own description and the character offset.
#pragma once

#include "platform/xml.h"

namespace kassivo {

class PugixmlParser : public XmlParser {
 public:
  XmlDocument Parse(std::u16string_view text) const override;
};

}  // namespace kassivo
