// XML document access.
//
// The driver never parses XML itself: a platform XmlParser turns a text into
// this small tree, and the driver walks the tree. The node model is fixed:
//  - children are the child nodes in document order;
//  - text made only of white space between elements is not a node;
//  - any other node (a comment, non-blank text, CDATA, a processing
//    instruction) is a node that is not an element, so it matches no element
//    name the driver asks for, yet still takes a position;
//  - attributes keep document order, with character and entity references
//    decoded; names compare exactly (case-sensitive, no namespaces).
// Element text content is never read, so the tree does not keep it.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kassivo {

struct XmlNode {
  bool is_element = false;
  std::u16string name;  // the element name; for other nodes "#text", "#comment", ...
  std::vector<std::pair<std::u16string, std::u16string>> attributes;
  std::vector<XmlNode> children;

  // True when this node is an element named exactly `element_name`.
  bool Is(std::u16string_view element_name) const { return is_element && name == element_name; }
  // The attribute's value, or null when the element has no such attribute.
  const std::u16string* FindAttribute(std::u16string_view attribute) const;
  bool HasAttribute(std::u16string_view attribute) const {
    return FindAttribute(attribute) != nullptr;
  }
  // Child by position; throws DriverError naming the position when missing.
  const XmlNode& ChildAt(std::size_t index) const;
  const XmlNode& LastChild() const;
};

struct XmlDocument {
  XmlNode root;  // the document element
};

class XmlParser {
 public:
  virtual ~XmlParser() = default;
  // Parses the whole text; the encoding declaration inside plays no part.
  // A text that is not well-formed XML, or has no document element (the
  // empty text included), throws DriverError with the parser's message.
  virtual XmlDocument Parse(std::u16string_view text) const = 0;
};

}  // namespace kassivo
