// Small text functions shared by the XML readers and writers of the driver.
//
// XmlEscape(source, drop_line_breaks): LF, CR, double quote, ampersand,
// apostrophe, less-than and greater-than become "&#10;", "&#13;", "&#34;",
// "&#38;", "&#39;", "&#60;", "&#62;"; an existing "&quot;" becomes "&#34;"
// (other entities are not recognised); with drop_line_breaks LF and CR are
// dropped. Everything else is copied unchanged.
//
// GetAttributeText: the attribute's value, or "" when absent.
// GetAttributeBool: true for "true" in any letter case and for "1"; false
// for everything else, absence included. (Hosts feed back the "True" the
// driver itself writes, so an exact "true" alone would lose every flag.)
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "platform/xml.h"

namespace kassivo {

std::u16string XmlEscape(std::u16string_view source, bool drop_line_breaks);
std::u16string GetAttributeText(const XmlNode& node, std::u16string_view name);
bool GetAttributeBool(const XmlNode& node, std::u16string_view name);

// For attributes the driver has long read under a misspelt name (the sale
// address "SaleAddres", the correction date "Datе" with a Cyrillic ie, the
// country "СountryOfOrigin" with a Cyrillic Es): the value under the old
// spelling when present, otherwise under the standard one, otherwise null.
const std::u16string_view* FindAttributeSpelled(const XmlNode& node,
                                                std::u16string_view old_spelling,
                                                std::u16string_view standard_spelling);

// The driver's attribute-per-line XML answers: the declaration
// <?xml version="1.0" encoding="UTF-8"?> and one space, then the opening
// lines, then one name="value" line per attribute (values inserted as given),
// every line ended by a single CR, then "/>" directly followed by `closing`.
// There is no line feed anywhere and no CR after the last line.
class LineAnswer {
 public:
  explicit LineAnswer(std::initializer_list<std::u16string_view> opening_lines);
  LineAnswer& Add(std::u16string_view name, std::u16string_view value);
  std::u16string Finish(std::u16string_view closing = u"") &&;

 private:
  std::u16string text_;
};

}  // namespace kassivo
