#include "rules/refusal.h"

#include <algorithm>

#include "common/text.h"
#include "common/value.h"
#include "common/word_wrap.h"
#include "rules/rule_messages.h"

namespace kassivo {

namespace {

void PrintWrapped(Tape& tape, std::u16string_view text) {
  const std::size_t width = static_cast<std::size_t>(std::max<std::int32_t>(tape.Width(), 1));
  for (const std::u16string& row : WrapWords(text, width)) tape.PrintLine(row, AlignLeft);
}

}  // namespace

void RefuseIfBroken(Tape& tape, const RuleFindings& findings) {
  if (!findings.Refused()) return;
  const std::vector<std::u16string>& broken = findings.broken;
  tape.BeginDocument();
  tape.PrintLine(u"ОТКАЗ ККТ", AlignCenter);
  const std::size_t shown = std::min(broken.size(), kMaxRefusalMessages);
  for (std::size_t i = 0; i < shown; ++i) PrintWrapped(tape, broken[i]);
  if (broken.size() > shown) {
    PrintWrapped(tape,
                 RuleText(RuleMessage::kMoreMessages,
                          {{u'X', DecimalText(static_cast<std::int64_t>(broken.size() - shown))}}));
  }
  tape.PrintSeparator(false);
  throw DriverError(broken.front());
}

void PrintRemarks(Tape& tape, const std::vector<std::u16string>& remarks) {
  for (const std::u16string& remark : remarks) PrintWrapped(tape, u"ЗАМЕЧАНИЕ: " + remark);
}

}  // namespace kassivo
