// How a strict-mode verdict shows on the tape.
//
// RefuseIfBroken does nothing when no rule is broken. Otherwise it prints a
// fresh document: the banner lines every document begins with, "ОТКАЗ ККТ"
// centred, the message of each broken rule (the first ten, then
// "…и ещё N" for the N others) wrapped to the tape width and left-aligned,
// and a double separator; then it throws DriverError with the first
// message, so the call answers false with it and writes its "always"
// outputs as empty text. Nothing else changes.
//
// PrintRemarks prints, after a formed document, "ЗАМЕЧАНИЕ: " and each
// remark, wrapped to the tape width and left-aligned.
#pragma once

#include <string>
#include <vector>

#include "rules/rule_findings.h"
#include "tape/tape.h"

namespace kassivo {

inline constexpr std::size_t kMaxRefusalMessages = 10;

void RefuseIfBroken(Tape& tape, const RuleFindings& findings);
void PrintRemarks(Tape& tape, const std::vector<std::u16string>& remarks);

}  // namespace kassivo
