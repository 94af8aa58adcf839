// The moment literal of scripts and journals: YYYY-MM-DDTHH:MM:SS.mmm, local
// time, as `:clock` takes it and the journal writes every clock reading.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace kassivo {

std::string FormatMoment(const LocalDateTime& moment);

// "YYYY-MM-DDTHH:MM:SS.mmm" with a date that exists; nullopt otherwise.
std::optional<LocalDateTime> ParseClock(std::string_view text);

}  // namespace kassivo
