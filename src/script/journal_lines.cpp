#include "script/journal_lines.h"

#include <cstdio>

#include "common/text.h"
#include "host/method_catalogue.h"
#include "script/transcript.h"

namespace kassivo {

void AppendCallLine(std::int32_t method, const ArgumentArray& params, std::string& out,
                    std::vector<LiteralSpan>& spans) {
  spans.clear();
  if (const CatalogueRow* row = MethodRow(method)) {
    AppendUtf8(TermString(row->name, 0), out);
  } else {
    out += '#';
    out += std::to_string(method);
  }
  for (const Value& value : params.values()) {
    out += ' ';
    const std::size_t begin = out.size();
    AppendLiteral(value, out);
    spans.push_back({begin, out.size()});
  }
}

std::string HeaderLines(bool process_begins, const LocalDateTime& now, const NumberFormat& format,
                        const std::optional<StoredValues>& registration) {
  std::string text = process_begins ? ":process\n" : "";
  text += "# Kassivo " KASSIVO_VERSION " call journal, begun " + FormatMoment(now) + "\n";
  text += ":number-format ";
  text += TextLiteral(format.decimal_separator);
  text += ' ';
  text += TextLiteral(format.thousands_separator);
  text += '\n';
  if (!registration) return text;
  for (const auto& [name, value] : *registration) {
    std::string literal;
    switch (value.type) {
      case StoredValue::Type::kText:
      case StoredValue::Type::kExpandText:
        literal = TextLiteral(value.text);
        break;
      case StoredValue::Type::kDWord:
        literal = std::to_string(static_cast<std::int32_t>(value.dword));
        break;
      case StoredValue::Type::kOther:
        continue;
    }
    text += ":registration ";
    text += ToUtf8(name);
    text += ' ';
    text += literal;
    text += '\n';
  }
  return text;
}

}  // namespace kassivo
