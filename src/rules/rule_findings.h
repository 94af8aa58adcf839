// What the strict-mode rules found about one call: the messages of the broken
// rules (the call is refused) and the remarks (the document is formed), each
// in the order the rules were walked.
#pragma once

#include <string>
#include <vector>

namespace kassivo {

struct RuleFindings {
  std::vector<std::u16string> broken;
  std::vector<std::u16string> remarks;

  bool Refused() const { return !broken.empty(); }
};

}  // namespace kassivo
