#include "platform/windows/msxml_parser.h"

#include <msxml2.h>
#include <oleauto.h>
#include <wrl/client.h>

#include <string>

#include "common/text.h"
#include "common/value.h"
#include "platform/windows/com_apartment.h"
#include "platform/windows/wide_text.h"

namespace kassivo {

namespace {

using Microsoft::WRL::ComPtr;

// mingw's headers and import libraries lack these.
constexpr CLSID kDomDocument60 = {
    0x88d96a05, 0xf192, 0x11d4, {0xa6, 0x5f, 0x00, 0x40, 0x96, 0x32, 0x51, 0xe5}};
constexpr CLSID kDomDocument30 = {
    0xf5078f32, 0xc551, 0x11d3, {0x89, 0xb9, 0x00, 0x00, 0xf8, 0x1f, 0xe2, 0x21}};
constexpr IID kIXMLDOMDocument2 = {
    0x2933bf95, 0x7b36, 0x11d2, {0xb2, 0x0e, 0x00, 0xc0, 0x4f, 0x98, 0x3e, 0x60}};

constexpr int kMaxDepth = 1000;

// Control characters XML 1.0 has no place for (a raw GS in a marking code,
// say) are carried through MSXML as private-use stand-ins and put back in
// attribute values, so such a text reads as it does with the other backend.
constexpr char16_t kStandInBase = 0xE000;

bool IsBareControl(char16_t c) {
  return c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r';
}
bool IsStandIn(char16_t c) {
  return c >= kStandInBase && c < kStandInBase + 0x20;
}

// True when the text has bare controls and none of the stand-ins is taken.
bool NeedsStandIns(std::u16string_view text) {
  bool controls = false;
  for (const char16_t c : text) {
    if (IsStandIn(c)) return false;
    controls = controls || IsBareControl(c);
  }
  return controls;
}

void PutControlsBack(std::u16string& value) {
  for (char16_t& c : value) {
    if (IsStandIn(c)) c = static_cast<char16_t>(c - kStandInBase);
  }
}

// A BSTR owned for a scope.
class Bstr {
 public:
  Bstr() = default;
  explicit Bstr(std::u16string_view text)
      : value_(SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()),
                                 static_cast<UINT>(text.size()))) {
    if (value_ == nullptr) throw DriverError(u"Недостаточно памяти для разбора XML.");
  }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  ~Bstr() { SysFreeString(value_); }
  BSTR* out() { return &value_; }
  BSTR get() const { return value_; }
  std::u16string text() const {
    return value_ == nullptr ? std::u16string() : FromWide(value_, SysStringLen(value_));
  }

 private:
  BSTR value_ = nullptr;
};

DriverError Failure(std::u16string_view reason, std::int64_t line, std::int64_t position) {
  return DriverError(u"Ошибка разбора XML: " + Trim(reason) + u" (строка " + DecimalText(line) +
                     u", позиция " + DecimalText(position) + u").");
}

DriverError Unusable(const char16_t* step, HRESULT result) {
  return DriverError(u"Разбор XML недоступен: " + std::u16string(step) + u" (HRESULT " +
                     DecimalText(static_cast<std::uint32_t>(result)) + u").");
}

std::u16string NameOf(IXMLDOMNode* node) {
  Bstr name;
  if (FAILED(node->get_nodeName(name.out()))) throw Unusable(u"имя узла", E_FAIL);
  return name.text();
}

bool IsBlank(IXMLDOMNode* node) {
  VARIANT value;
  VariantInit(&value);
  if (FAILED(node->get_nodeValue(&value)) || value.vt != VT_BSTR) {
    VariantClear(&value);
    return false;
  }
  bool blank = true;
  for (UINT i = 0, n = SysStringLen(value.bstrVal); i < n && blank; ++i) {
    const wchar_t c = value.bstrVal[i];
    blank = c == L' ' || c == L'\t' || c == L'\r' || c == L'\n';
  }
  VariantClear(&value);
  return blank;
}

void ConvertAttributes(IXMLDOMNode* source, XmlNode& target, bool stand_ins, XmlTextStore& store) {
  ComPtr<IXMLDOMNamedNodeMap> attributes;
  if (FAILED(source->get_attributes(&attributes)) || !attributes) return;
  long count = 0;
  attributes->get_length(&count);
  target.attributes.reserve(static_cast<std::size_t>(count));
  for (long i = 0; i < count; ++i) {
    ComPtr<IXMLDOMNode> attribute;
    if (FAILED(attributes->get_item(i, &attribute)) || !attribute) continue;
    VARIANT value;
    VariantInit(&value);
    attribute->get_nodeValue(&value);
    std::u16string text;
    if (value.vt == VT_BSTR && value.bstrVal != nullptr) {
      text = FromWide(value.bstrVal, SysStringLen(value.bstrVal));
    }
    VariantClear(&value);
    if (stand_ins) PutControlsBack(text);
    target.attributes.push_back({store.Keep(NameOf(attribute.Get())), store.Keep(text)});
  }
}

// Appends the node to `children` unless it is white-space-only text.
void Convert(IXMLDOMNode* source, std::vector<XmlNode>& children, int depth, bool stand_ins,
             XmlTextStore& store) {
  DOMNodeType type = NODE_INVALID;
  source->get_nodeType(&type);
  XmlNode target;
  switch (type) {
    case NODE_ELEMENT: {
      if (depth > kMaxDepth) throw Failure(u"Elements nested too deeply", 0, 0);
      target.is_element = true;
      target.name = store.Keep(NameOf(source));
      ConvertAttributes(source, target, stand_ins, store);
      ComPtr<IXMLDOMNode> child;
      source->get_firstChild(&child);
      while (child) {
        Convert(child.Get(), target.children, depth + 1, stand_ins, store);
        ComPtr<IXMLDOMNode> next;
        child->get_nextSibling(&next);
        child = std::move(next);
      }
      break;
    }
    case NODE_TEXT:
      if (IsBlank(source)) return;
      target.name = u"#text";
      break;
    case NODE_CDATA_SECTION:
      target.name = u"#cdata-section";
      break;
    case NODE_COMMENT:
      target.name = u"#comment";
      break;
    case NODE_PROCESSING_INSTRUCTION:
      target.name = store.Keep(u"#pi:" + NameOf(source));
      break;
    default:
      target.name = u"#node";
      break;
  }
  children.push_back(std::move(target));
}

// Refuses a document type declaration outright (see the header).
void RefuseDocumentType(std::u16string_view text) {
  const std::size_t found = text.find(u"<!DOCTYPE");
  if (found == std::u16string_view::npos) return;
  std::int64_t line = 1, column = 1;
  for (std::size_t i = 0; i < found; ++i) {
    if (text[i] == u'\n') {
      ++line;
      column = 1;
    } else {
      ++column;
    }
  }
  throw Failure(u"Document type declarations are not accepted", line, column);
}

bool IsXmlSpace(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

// The text without the encoding declaration of its XML declaration: the text
// is already UTF-16, and a parser that honoured a declared encoding would
// decode it a second time.
std::u16string WithoutEncoding(std::u16string_view text) {
  std::u16string result(text);
  const std::size_t start = result.starts_with(u'\uFEFF') ? 1 : 0;
  if (result.compare(start, 5, u"<?xml") != 0 || result.size() <= start + 5 ||
      !IsXmlSpace(result[start + 5])) {
    return result;
  }
  const std::size_t end = result.find(u"?>", start);
  std::size_t name = result.find(u"encoding", start);
  if (end == std::u16string::npos || name == std::u16string::npos || name > end) return result;
  std::size_t from = name;
  while (from > start && IsXmlSpace(result[from - 1])) --from;
  std::size_t at = name + 8;
  while (at < end && IsXmlSpace(result[at])) ++at;
  if (at >= end || result[at] != u'=') return result;
  ++at;
  while (at < end && IsXmlSpace(result[at])) ++at;
  if (at >= end || (result[at] != u'"' && result[at] != u'\'')) return result;
  const std::size_t close = result.find(result[at], at + 1);
  if (close == std::u16string::npos || close >= end) return result;
  result.erase(from, close + 1 - from);
  return result;
}

ComPtr<IXMLDOMDocument2> NewDocument() {
  ComPtr<IXMLDOMDocument2> document;
  HRESULT result =
      CoCreateInstance(kDomDocument60, nullptr, CLSCTX_INPROC_SERVER, kIXMLDOMDocument2,
                       reinterpret_cast<void**>(document.ReleaseAndGetAddressOf()));
  if (FAILED(result)) {
    result = CoCreateInstance(kDomDocument30, nullptr, CLSCTX_INPROC_SERVER, kIXMLDOMDocument2,
                              reinterpret_cast<void**>(document.ReleaseAndGetAddressOf()));
  }
  if (FAILED(result)) throw Unusable(u"MSXML не найден", result);
  document->put_async(VARIANT_FALSE);
  document->put_validateOnParse(VARIANT_FALSE);
  document->put_resolveExternals(VARIANT_FALSE);
  document->put_preserveWhiteSpace(VARIANT_FALSE);
  // Refusals the 6.0 document makes by default, asked of 3.0 as well; an
  // MSXML that does not know a property keeps its default.
  VARIANT prohibit;
  VariantInit(&prohibit);
  prohibit.vt = VT_BOOL;
  prohibit.boolVal = VARIANT_TRUE;
  const Bstr prohibit_dtd(u"ProhibitDTD");
  document->setProperty(prohibit_dtd.get(), prohibit);
  return document;
}

}  // namespace

XmlDocument MsxmlParser::Parse(std::u16string_view text) const {
  RefuseDocumentType(text);
  const ComApartment apartment;
  ComPtr<IXMLDOMDocument2> document = NewDocument();
  std::u16string prepared = WithoutEncoding(text);
  const bool stand_ins = NeedsStandIns(prepared);
  if (stand_ins) {
    for (char16_t& c : prepared) {
      if (IsBareControl(c)) c = static_cast<char16_t>(kStandInBase + c);
    }
  }
  const Bstr source(prepared);
  VARIANT_BOOL loaded = VARIANT_FALSE;
  const HRESULT result = document->loadXML(source.get(), &loaded);
  if (FAILED(result) || loaded != VARIANT_TRUE) {
    ComPtr<IXMLDOMParseError> error;
    Bstr reason;
    long line = 0, position = 0;
    if (SUCCEEDED(document->get_parseError(&error)) && error) {
      error->get_reason(reason.out());
      error->get_line(&line);
      error->get_linepos(&position);
    }
    const std::u16string why = reason.text();
    throw Failure(why.empty() ? u"the text is not well-formed XML" : why, line, position);
  }
  ComPtr<IXMLDOMElement> root;
  if (FAILED(document->get_documentElement(&root)) || !root) {
    throw Failure(u"No document element found", 0, 0);
  }
  XmlDocument parsed;
  std::vector<XmlNode> top;
  Convert(root.Get(), top, 1, stand_ins, parsed.text);
  parsed.root = std::move(top.front());
  return parsed;
}

}  // namespace kassivo
