#include "platform/xml.h"

#include <algorithm>

#include "common/text.h"
#include "common/value.h"

namespace kassivo {

const std::u16string_view* XmlNode::FindAttribute(std::u16string_view attribute) const {
  for (const XmlAttribute& candidate : attributes) {
    if (candidate.name == attribute) return &candidate.value;
  }
  return nullptr;
}

const XmlNode& XmlNode::ChildAt(std::size_t index) const {
  if (index >= children.size()) {
    throw DriverError(u"У элемента \"" + std::u16string(name) +
                      u"\" нет дочернего узла с индексом " +
                      DecimalText(static_cast<std::int64_t>(index)) + u".");
  }
  return children[index];
}

const XmlNode& XmlNode::LastChild() const {
  if (children.empty()) {
    throw DriverError(u"У элемента \"" + std::u16string(name) + u"\" нет дочерних узлов.");
  }
  return children.back();
}

namespace {
// Most documents fit one block; a parser that knows its text's size asks for
// all of it at once.
constexpr std::size_t kBlockUnits = 16 * 1024;
}  // namespace

void XmlTextStore::Reserve(std::size_t units) {
  if (units <= left_) return;
  const std::size_t size = std::max(units, kBlockUnits);
  blocks_.push_back(std::make_unique_for_overwrite<char16_t[]>(size));
  next_ = blocks_.back().get();
  left_ = size;
}

char16_t* XmlTextStore::Allocate(std::size_t units) {
  Reserve(units);
  char16_t* start = next_;
  next_ += units;
  left_ -= units;
  return start;
}

void XmlTextStore::GiveBack(char16_t* end) {
  left_ += static_cast<std::size_t>(next_ - end);
  next_ = end;
}

std::u16string_view XmlTextStore::Keep(std::u16string_view text) {
  char16_t* start = Allocate(text.size());
  std::copy(text.begin(), text.end(), start);
  return {start, text.size()};
}

}  // namespace kassivo
