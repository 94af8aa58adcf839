#include "device/faults.h"

#include <charconv>
#include <cstdio>

#include "common/calendar.h"
#include "common/text.h"

namespace kassivo {

const CardOutcomeName kCardOutcomes[13] = {
    {CardOutcome::kDeclined, "declined", u"Операция отклонена банком."},
    {CardOutcome::kInsufficientFunds, "insufficient-funds", u"Недостаточно средств на карте."},
    {CardOutcome::kWrongPin, "wrong-pin", u"Неверный ПИН-код."},
    {CardOutcome::kPinTries, "pin-tries", u"Превышено число попыток ввода ПИН-кода."},
    {CardOutcome::kBlocked, "blocked", u"Карта заблокирована"},
    {CardOutcome::kRetain, "retain", u"Изъять карту."},
    {CardOutcome::kExpired, "expired", u"Истек срок действия карты."},
    {CardOutcome::kReadError, "read-error", u"Ошибка чтения карты."},
    {CardOutcome::kCancelled, "cancelled", u"Операция отменена клиентом."},
    {CardOutcome::kNoLink, "no-link", u"Нет связи с банком."},
    {CardOutcome::kOffline, "offline", u"Нет связи с терминалом."},
    {CardOutcome::kApproved, "approved", u""},
    {CardOutcome::kTimeout, "timeout", u"Превышено время ожидания ответа от банка."},
};

namespace {

constexpr std::string_view kByKopecks = "by-kopecks";

// Days since 0001-01-01 of a calendar date.
std::int64_t DayNumber(int year, int month, int day) {
  // Shifted so that March begins the year: leap days fall at its end.
  const int y = month <= 2 ? year - 1 : year;
  const int m = month <= 2 ? month + 9 : month - 3;
  return std::int64_t{365} * y + y / 4 - y / 100 + y / 400 + (153 * m + 2) / 5 + day - 1;
}

void FromDayNumber(std::int64_t days, LocalDateTime& out) {
  std::int64_t y = (10000 * days + 14780) / 3652425;
  std::int64_t rest = days - (365 * y + y / 4 - y / 100 + y / 400);
  if (rest < 0) {
    --y;
    rest = days - (365 * y + y / 4 - y / 100 + y / 400);
  }
  const std::int64_t mi = (100 * rest + 52) / 3060;
  out.month = static_cast<int>((mi + 2) % 12 + 1);
  out.year = static_cast<int>(y + (mi + 2) / 12);
  out.day = static_cast<int>(rest - (mi * 306 + 5) / 10 + 1);
}

std::optional<std::int32_t> Number(std::string_view text) {
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < 0) return std::nullopt;
  return value;
}

// "Nd": N days.
std::optional<std::int32_t> Days(std::string_view text) {
  if (text.size() < 2 || text.back() != 'd') return std::nullopt;
  return Number(text.substr(0, text.size() - 1));
}

std::optional<LocalDateTime> Date(std::string_view text) {
  int year = 0, month = 0, day = 0;
  char tail = 0;
  if (text.size() != 10 ||
      std::sscanf(std::string(text).c_str(), "%4d-%2d-%2d%c", &year, &month, &day, &tail) != 3 ||
      text[4] != '-' || text[7] != '-' || !IsCalendarDate(year, month, day)) {
    return std::nullopt;
  }
  return LocalDateTime{year, month, day, 0, 0, 0, 0};
}

std::optional<double> Weight(std::string_view text) {
  if (text.empty() || text.size() > 32) return std::nullopt;
  for (const char c : text) {
    if ((c < '0' || c > '9') && c != '.') return std::nullopt;
  }
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// Applies one NAME=VALUE item; false when the value is not one of the name's.
bool ApplyItem(std::string_view name, std::string_view value, const LocalDateTime& now, FaultSet& f,
               FaultActions& actions) {
  const bool ok = value == "ok";
  if (name == "kkt") {
    if (!ok && value != "offline") return false;
    f.kkt_offline = !ok;
  } else if (name == "paper") {
    if (ok) {
      f.paper = PaperState::kLoaded;
    } else if (value == "out") {
      f.paper = PaperState::kOut;
    } else if (value == "near") {
      f.paper = PaperState::kNear;
      f.paper_documents_left = 5;
    } else if (value.starts_with("near:")) {
      const std::optional<std::int32_t> count = Number(value.substr(5));
      if (!count || *count < 1) return false;
      f.paper = PaperState::kNear;
      f.paper_documents_left = *count;
    } else {
      return false;
    }
  } else if (name == "cover") {
    if (!ok && value != "open") return false;
    f.cover_open = !ok;
  } else if (name == "fn") {
    if (ok) {
      f.fn = FnState::kPresent;
    } else if (value == "absent") {
      f.fn = FnState::kAbsent;
    } else if (value == "broken") {
      f.fn = FnState::kBroken;
    } else {
      return false;
    }
  } else if (name == "fn.expires") {
    if (ok) {
      f.fn_expires.reset();
    } else if (value == "expired") {
      f.fn_expires = AddDays(LocalDateTime{now.year, now.month, now.day}, -1);
    } else if (const std::optional<std::int32_t> days = Days(value)) {
      f.fn_expires = AddDays(LocalDateTime{now.year, now.month, now.day}, *days);
    } else if (const std::optional<LocalDateTime> date = Date(value)) {
      f.fn_expires = *date;
    } else {
      return false;
    }
  } else if (name == "fn.archive") {
    if (ok) {
      f.archive = ArchiveState::kRoom;
    } else if (value == "90%") {
      f.archive = ArchiveState::kNearlyFull;
    } else if (value == "full") {
      f.archive = ArchiveState::kFull;
    } else {
      return false;
    }
  } else if (name == "ofd") {
    if (value == "online" || ok) {
      f.ofd = OfdState::kOnline;
    } else if (value == "offline") {
      f.ofd = OfdState::kOffline;
    } else if (value.starts_with("offline:age=")) {
      const std::optional<std::int32_t> days = Days(value.substr(12));
      if (!days) return false;
      f.ofd = OfdState::kOffline;
      actions.ofd_age_days = *days;
    } else {
      return false;
    }
    f.ofd_tracked = true;
  } else if (name == "shift") {
    if (!ok && value != "over24h") return false;
    f.shift_over24h = !ok;
    actions.shift_back_24h = !ok;
  } else if (name == "power") {
    if (ok) {
      f.power = PowerFault::kNone;
    } else if (value == "before") {
      f.power = PowerFault::kBefore;
    } else if (value == "after") {
      f.power = PowerFault::kAfter;
    } else {
      return false;
    }
  } else if (name == "card") {
    if (ok) {
      f.card = CardOutcome::kNone;
      f.card_once = false;
      return true;
    }
    const bool once = value.ends_with(":once");
    if (once) value.remove_suffix(5);
    if (value == kByKopecks) {
      f.card = CardOutcome::kByKopecks;
      f.card_once = once;
      return true;
    }
    for (const CardOutcomeName& outcome : kCardOutcomes) {
      if (value == outcome.name) {
        f.card = outcome.outcome;
        f.card_once = once;
        return true;
      }
    }
    return false;
  } else if (name == "scale") {
    if (ok) {
      f.scale = ScaleFault::kNone;
    } else if (value == "unstable") {
      f.scale = ScaleFault::kUnstable;
    } else if (value == "overload") {
      f.scale = ScaleFault::kOverload;
    } else if (value == "negative") {
      f.scale = ScaleFault::kNegative;
    } else if (value == "offline") {
      f.scale = ScaleFault::kOffline;
    } else if (value == "zero") {
      f.scale = ScaleFault::kZero;
    } else if (value.starts_with("weight:")) {
      const std::optional<double> weight = Weight(value.substr(7));
      if (!weight) return false;
      f.scale = ScaleFault::kWeight;
      f.scale_weight = *weight;
    } else {
      return false;
    }
  } else if (name == "labels") {
    if (ok) {
      f.labels = LabelFault::kNone;
    } else if (value == "out") {
      f.labels = LabelFault::kOut;
    } else if (value == "cover") {
      f.labels = LabelFault::kCover;
    } else if (value == "offline") {
      f.labels = LabelFault::kOffline;
    } else {
      return false;
    }
  } else {
    return false;
  }
  return true;
}

bool KnownName(std::string_view name) {
  for (const char* known : {"kkt", "paper", "cover", "fn", "fn.expires", "fn.archive", "ofd",
                            "shift", "power", "card", "scale", "labels"}) {
    if (name == known) return true;
  }
  return false;
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

std::string DateText(const LocalDateTime& at) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", at.year % 10000, at.month % 100, at.day % 100);
  return text;
}

std::string WeightText(double weight) {
  char text[40];
  std::snprintf(text, sizeof text, "%.17g", weight);
  return text;
}

// No fault; the OFD's backlog stays tracked once it was.
FaultSet Cleared(const FaultSet& faults) {
  FaultSet cleared;
  cleared.ofd_tracked = faults.ofd_tracked;
  return cleared;
}

}  // namespace

static bool IsAsciiText(std::u16string_view text) {
  for (const char16_t unit : text) {
    if (unit > 0x7F) return false;
  }
  return true;
}

bool FaultSet::Any() const {
  return kkt_offline || paper != PaperState::kLoaded || cover_open || fn != FnState::kPresent ||
         fn_expires.has_value() || archive != ArchiveState::kRoom || ofd == OfdState::kOffline ||
         shift_over24h || power != PowerFault::kNone || card != CardOutcome::kNone ||
         scale != ScaleFault::kNone || labels != LabelFault::kNone;
}

std::int32_t DaysUntil(const LocalDateTime& now, const LocalDateTime& until) {
  return static_cast<std::int32_t>(DayNumber(until.year, until.month, until.day) -
                                   DayNumber(now.year, now.month, now.day));
}

LocalDateTime AddDays(const LocalDateTime& at, std::int32_t days) {
  LocalDateTime out = at;
  FromDayNumber(DayNumber(at.year, at.month, at.day) + days, out);
  return out;
}

bool ApplyFaultSpec(std::u16string_view spec, const LocalDateTime& now, FaultSet& faults,
                    FaultActions& actions, std::u16string& error) {
  if (!IsAsciiText(spec)) {
    error = u"Неверная запись неисправностей: " + std::u16string(spec);
    return false;
  }
  const std::string text = ToUtf8(spec);
  FaultSet next = faults;
  FaultActions done;
  std::string_view rest = text;
  bool any_item = false;
  while (true) {
    const std::size_t comma = rest.find(',');
    const std::string_view item = Trimmed(rest.substr(0, comma));
    any_item = any_item || !item.empty();
    if (item == "clear") {
      next = Cleared(next);
      done = {};
    } else if (!item.empty()) {
      const std::size_t equals = item.find('=');
      const std::string_view name = item.substr(0, equals);
      if (equals == std::string_view::npos || !KnownName(name)) {
        error = u"Неизвестная неисправность: " + FromUtf8(item);
        return false;
      }
      if (!ApplyItem(name, item.substr(equals + 1), now, next, done)) {
        error = u"Неверное значение неисправности: " + FromUtf8(item);
        return false;
      }
    }
    if (comma == std::string_view::npos) break;
    rest.remove_prefix(comma + 1);
  }
  // An empty list clears every fault, as "clear" does.
  if (!any_item) next = Cleared(next);
  faults = next;
  actions = done;
  return true;
}

std::u16string FormatFaultSpec(const FaultSet& f) {
  std::string out;
  const auto add = [&](std::string item) {
    if (!out.empty()) out += ',';
    out += item;
  };
  if (f.kkt_offline) add("kkt=offline");
  if (f.paper == PaperState::kNear) add("paper=near:" + std::to_string(f.paper_documents_left));
  if (f.paper == PaperState::kOut) add("paper=out");
  if (f.cover_open) add("cover=open");
  if (f.fn == FnState::kAbsent) add("fn=absent");
  if (f.fn == FnState::kBroken) add("fn=broken");
  if (f.fn_expires) add("fn.expires=" + DateText(*f.fn_expires));
  if (f.archive == ArchiveState::kNearlyFull) add("fn.archive=90%");
  if (f.archive == ArchiveState::kFull) add("fn.archive=full");
  if (f.ofd == OfdState::kOffline) add("ofd=offline");
  if (f.shift_over24h) add("shift=over24h");
  if (f.power == PowerFault::kBefore) add("power=before");
  if (f.power == PowerFault::kAfter) add("power=after");
  if (f.card == CardOutcome::kByKopecks) {
    add(std::string("card=") + std::string(kByKopecks) + (f.card_once ? ":once" : ""));
  } else if (f.card != CardOutcome::kNone) {
    for (const CardOutcomeName& outcome : kCardOutcomes) {
      if (outcome.outcome == f.card) {
        add(std::string("card=") + outcome.name + (f.card_once ? ":once" : ""));
      }
    }
  }
  switch (f.scale) {
    case ScaleFault::kNone:
      break;
    case ScaleFault::kUnstable:
      add("scale=unstable");
      break;
    case ScaleFault::kOverload:
      add("scale=overload");
      break;
    case ScaleFault::kNegative:
      add("scale=negative");
      break;
    case ScaleFault::kOffline:
      add("scale=offline");
      break;
    case ScaleFault::kZero:
      add("scale=zero");
      break;
    case ScaleFault::kWeight:
      add("scale=weight:" + WeightText(f.scale_weight));
      break;
  }
  if (f.labels == LabelFault::kOut) add("labels=out");
  if (f.labels == LabelFault::kCover) add("labels=cover");
  if (f.labels == LabelFault::kOffline) add("labels=offline");
  return FromUtf8(out);
}

}  // namespace kassivo
