#include "tape/tape.h"

#include <algorithm>
#include <array>

#include "common/word_wrap.h"

namespace kassivo {

namespace {

// Runs of one code unit as long as the widest line, to build lines by copying.
using Run = std::array<char16_t, kMaxTapeWidth>;

constexpr Run RunOf(char16_t unit) {
  Run run{};
  run.fill(unit);
  return run;
}

constexpr Run kSpaces = RunOf(u' ');
constexpr Run kDashes = RunOf(u'-');
constexpr Run kDoubleDashes = RunOf(u'=');

}  // namespace

std::u16string_view PaddingSpaces(std::size_t count) {
  return {kSpaces.data(), std::min(count, kSpaces.size())};
}

bool Tape::Silent() const {
  return settings_.show_type == 0;
}

std::int32_t Tape::Width() const {
  return std::clamp<std::int32_t>(settings_.size, 0, kMaxTapeWidth);
}

void Tape::BeginDocument() {
  Document& document = Target();
  document.count = 0;
  ++document.revision;
  ++document.begun;
  if (!Silent()) window_.BeginDocument(settings_.show_type);
  PrintBanner(u"ТОЛЬКО ДЛЯ ТЕСТИРОВАНИЯ И ОБУЧЕНИЯ");
  PrintLine(u" ФФД 1.2", AlignCenter);
  // The notice waits for a document the user sees.
  if (!notice_.empty() && !Silent()) {
    // Over as many lines as it takes, cut between words (one empty line on
    // a tape without width).
    const auto width = static_cast<std::size_t>(Width());
    for (const std::u16string& row : WrapWords(notice_, width > 0 ? width : notice_.size())) {
      PrintLine(row, AlignLeft);
    }
    notice_.clear();
  }
}

TapeEntry& Tape::Document::Append(TapeEntry::Kind kind, std::uint8_t alignment) {
  if (count == kept.size()) kept.emplace_back();
  TapeEntry& entry = kept[count++];
  entry.kind = kind;
  entry.alignment = alignment;
  ++revision;
  return entry;
}

void Tape::PrintLine(std::u16string_view text, std::uint8_t alignment) {
  const std::size_t width = static_cast<std::size_t>(Width());
  std::u16string& line = Target().Append(TapeEntry::Kind::kLine, alignment).text;
  // Cut or padded to the width.
  if (alignment == AlignCenter || text.size() >= width) {
    line.assign(text.substr(0, width));
  } else {
    line.assign(kSpaces.data(), width);
    text.copy(line.data() + (alignment == AlignLeft ? 0 : width - text.size()), text.size());
  }
}

void Tape::PrintBanner(std::u16string_view text) {
  Target().Append(TapeEntry::Kind::kBanner, AlignCenter).text.assign(text);
}

void Tape::PrintSeparator(bool dashed) {
  // A full-width line needs neither padding nor cutting.
  const Run& run = dashed ? kDashes : kDoubleDashes;
  Target()
      .Append(TapeEntry::Kind::kLine, AlignCenter)
      .text.assign(run.data(), static_cast<std::size_t>(Width()));
}

}  // namespace kassivo
