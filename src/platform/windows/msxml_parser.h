// XmlParser over MSXML's DOM document (the 6.0 document where it is
// installed, else the 3.0 one).
//
// The document is loaded from the UTF-16 text itself, with the encoding
// declaration taken out of the XML declaration (it plays no part), synchronously, without
// validation, without resolving anything external and without preserving white space, so that
// white-space-only text between elements is never a node. A document type
// declaration is refused before the text reaches the parser: no entity the
// text declares is ever expanded, however the installed MSXML is set up.
// Elements nested more than 1000 deep are refused, as by every backend.
// Raw control characters (a GS in a marking code) are accepted in attribute
// values and kept, as the other backend keeps them, though XML 1.0 has no
// place for them.
//
// Node names follow the shared model: elements by name, "#text",
// "#cdata-section", "#comment", "#pi:TARGET" for other nodes.
//
// A refused text throws DriverError "Ошибка разбора XML: REASON (строка L,
// позиция P)." with MSXML's own reason.
#pragma once

#include "platform/xml.h"

namespace kassivo {

class MsxmlParser : public XmlParser {
 public:
  XmlDocument Parse(std::u16string_view text) const override;
};

}  // namespace kassivo
