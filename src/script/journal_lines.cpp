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

std::string HeaderLines(const JournalHeader& header) {
  std::string text = header.process_begins ? ":process " : ":continues ";
  text += std::to_string(header.process.id);
  text += ' ';
  text += FormatMoment(header.start);
  text += ' ';
  text += TextLiteral(header.process.program);
  text += "\n# Kassivo " KASSIVO_VERSION " call journal, ";
  text += header.process_begins ? "begun " : "continued ";
  text += FormatMoment(header.now);
  text += "\n:number-format ";
  text += TextLiteral(header.format.decimal_separator);
  text += ' ';
  text += TextLiteral(header.format.thousands_separator);
  text += '\n';
  AppendRegistrationLines(header.registration, text);
  return text;
}

void AppendRegistrationLines(const std::optional<StoredValues>& registration, std::string& out) {
  if (!registration) return;
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
    out += ":registration ";
    out += ToUtf8(name);
    out += ' ';
    out += literal;
    out += '\n';
  }
}

void AppendFromLine(std::uint64_t process, std::string& out) {
  out += ":from ";
  out += std::to_string(process);
  out += '\n';
}

}  // namespace kassivo
