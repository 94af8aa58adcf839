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
//
// Names and values are views into text the XmlDocument owns (XmlTextStore),
// so that a package of ten thousand positions is not a quarter of a million
// separate strings. They are valid as long as the document lives: keep the
// document, not a copy of its root, when a node must outlive the call that
// parsed it. A node built by hand may view any text that outlives it.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kassivo {

struct XmlAttribute {
  std::u16string_view name;
  std::u16string_view value;
  bool operator==(const XmlAttribute&) const = default;
};

struct XmlNode {
  bool is_element = false;
  std::u16string_view name;  // the element name; for other nodes "#text", "#comment", ...
  std::vector<XmlAttribute> attributes;
  std::vector<XmlNode> children;

  // True when this node is an element named exactly `element_name`.
  bool Is(std::u16string_view element_name) const { return is_element && name == element_name; }
  // The attribute's value, or null when the element has no such attribute.
  const std::u16string_view* FindAttribute(std::u16string_view attribute) const;
  bool HasAttribute(std::u16string_view attribute) const {
    return FindAttribute(attribute) != nullptr;
  }
  // Child by position; throws DriverError naming the position when missing.
  const XmlNode& ChildAt(std::size_t index) const;
  const XmlNode& LastChild() const;
};

// The text a document's nodes view, in a few large blocks that never move.
class XmlTextStore {
 public:
  // Makes sure the next allocations, `units` in all, share one block.
  void Reserve(std::size_t units);
  // Room for `units` code units that stays where it is; the caller fills it,
  // then may give back what it did not use with GiveBack.
  char16_t* Allocate(std::size_t units);
  // Returns the unused tail of the latest allocation, from `end` on.
  void GiveBack(char16_t* end);
  // A lasting copy of `text`.
  std::u16string_view Keep(std::u16string_view text);

 private:
  std::vector<std::unique_ptr<char16_t[]>> blocks_;
  char16_t* next_ = nullptr;  // the free part of the last block
  std::size_t left_ = 0;
};

// Move-only: its nodes view the text it owns.
struct XmlDocument {
  XmlDocument() = default;
  XmlDocument(XmlDocument&&) = default;
  XmlDocument& operator=(XmlDocument&&) = default;
  XmlDocument(const XmlDocument&) = delete;
  XmlDocument& operator=(const XmlDocument&) = delete;

  XmlNode root;  // the document element
  XmlTextStore text;
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
