#include "platform/xml.h"

#include "common/text.h"
#include "common/value.h"

namespace kassivo {

const std::u16string* XmlNode::FindAttribute(std::u16string_view attribute) const {
  for (const auto& [key, value] : attributes) {
    if (key == attribute) return &value;
  }
  return nullptr;
}

const XmlNode& XmlNode::ChildAt(std::size_t index) const {
  if (index >= children.size()) {
    throw DriverError(u"У элемента \"" + name + u"\" нет дочернего узла с индексом " +
                      DecimalText(static_cast<std::int64_t>(index)) + u".");
  }
  return children[index];
}

const XmlNode& XmlNode::LastChild() const {
  if (children.empty()) {
    throw DriverError(u"У элемента \"" + name + u"\" нет дочерних узлов.");
  }
  return children.back();
}

}  // namespace kassivo
