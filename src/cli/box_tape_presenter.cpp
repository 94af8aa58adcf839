#include "cli/box_tape_presenter.h"

#include <algorithm>

#include "common/text.h"
#include "common/word_wrap.h"

namespace kassivo::cli {

namespace {

constexpr const char* kReverse = "\x1b[7m";
constexpr const char* kNormal = "\x1b[27m";
constexpr const char* kBannerLeft = "▐";
constexpr const char* kBannerRight = "▌";

// Control characters become their pictures, one column each.
std::u16string Visible(std::u16string_view text) {
  std::u16string out(text);
  for (char16_t& unit : out) {
    if (unit < 0x20) {
      unit = static_cast<char16_t>(0x2400 + unit);
    } else if (unit == 0x7F) {
      unit = 0x2421;
    } else if (unit >= 0x80 && unit <= 0x9F) {
      unit = 0xFFFD;
    }
  }
  return out;
}

std::string Repeat(const char* piece, std::size_t count) {
  std::string out;
  for (std::size_t i = 0; i < count; ++i) out += piece;
  return out;
}

// `text` placed in a row of `width` units: left, centred or right.
std::string Place(std::u16string_view text, std::size_t width, std::uint8_t alignment) {
  const std::size_t spare = width > text.size() ? width - text.size() : 0;
  std::size_t left = 0;
  if (alignment == AlignCenter) {
    left = spare / 2;
  } else if (alignment != AlignLeft) {
    left = spare;
  }
  return std::string(left, ' ') + ToUtf8(Visible(text)) + std::string(spare - left, ' ');
}

}  // namespace

std::vector<std::u16string> WrapBanner(std::u16string_view text, std::size_t width) {
  return WrapWords(text, width);
}

std::vector<std::string> BoxTapePresenter::Draw(const Tape& tape, Style style) {
  return Draw(tape.entries(), tape.Width(), style);
}

std::vector<std::string> BoxTapePresenter::Draw(std::span<const TapeEntry> entries,
                                                std::int32_t tape_width, Style style) {
  const std::size_t width = ColumnWidth(entries, tape_width);
  std::vector<std::string> rows;
  rows.push_back(Top(width));
  for (const TapeEntry& entry : entries) AddRows(entry, width, style, rows);
  rows.push_back(Bottom(width));
  return rows;
}

std::size_t BoxTapePresenter::ColumnWidth(std::span<const TapeEntry> entries,
                                          std::int32_t tape_width) {
  std::size_t width = static_cast<std::size_t>(std::max<std::int32_t>(tape_width, 1));
  for (const TapeEntry& entry : entries) {
    if (entry.kind == TapeEntry::Kind::kLine) width = std::max(width, entry.text.size());
  }
  return width;
}

std::string BoxTapePresenter::Top(std::size_t width) {
  return "  ┌" + Repeat("─", width + 2) + "┐";
}

std::string BoxTapePresenter::Bottom(std::size_t width) {
  return "  └" + Repeat("─", width + 2) + "┘";
}

void BoxTapePresenter::AddRows(const TapeEntry& entry, std::size_t width, Style style,
                               std::vector<std::string>& rows) {
  if (entry.kind == TapeEntry::Kind::kLine) {
    rows.push_back("  │ " + Place(entry.text, width, entry.alignment) + " │");
    return;
  }
  for (const std::u16string& part : WrapBanner(entry.text, width)) {
    const std::string body = Place(part, width, AlignCenter);
    if (style == Style::kTerminal) {
      rows.push_back(std::string("  │") + kReverse + " " + body + " " + kNormal + "│");
    } else {
      rows.push_back(std::string("  │") + kBannerLeft + body + kBannerRight + "│");
    }
  }
}

void BoxTapePresenter::Present(const Tape& tape, std::ostream& out) {
  for (const std::string& row : Draw(tape, style_)) out << row << '\n';
}

}  // namespace kassivo::cli
