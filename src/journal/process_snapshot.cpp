#include "journal/process_snapshot.h"

#include "common/text.h"
#include "device/fault_state.h"
#include "script/literal_reader.h"
#include "script/moment.h"
#include "script/transcript.h"

namespace kassivo {

namespace {

const NumberFormat kPlainFormat{u".", u""};

void Line(std::string& out, std::string_view words) {
  out += ":state ";
  out += words;
  out += '\n';
}

void MomentLine(std::string& out, std::string_view name, const std::optional<LocalDateTime>& at) {
  if (at) Line(out, std::string(name) + ' ' + FormatMoment(*at));
}

void Expect(const std::vector<std::string_view>& tokens, std::size_t count) {
  if (tokens.size() != count) {
    throw ScriptError(":state " + std::string(tokens[0]) + " needs " + std::to_string(count - 1) +
                      " values");
  }
}

std::int32_t IntegerOf(std::string_view token) {
  const std::optional<std::int32_t> number = ReadInteger(token);
  if (!number) throw ScriptError(":state needs an integer, not " + Quoted(token));
  return *number;
}

std::u16string TextOf(std::string_view token) {
  const Value value = ReadLiteral(token, nullptr);
  if (value.kind() != Value::Kind::kText) {
    throw ScriptError(":state needs a text literal, not " + Quoted(token));
  }
  return value.text();
}

LocalDateTime MomentOf(std::string_view token) {
  const std::optional<LocalDateTime> moment = ParseClock(token);
  if (!moment) throw ScriptError(":state needs a time, not " + Quoted(token));
  return *moment;
}

}  // namespace

void CaptureSnapshot(const ProcessState& state, ProcessSnapshot& snapshot) {
  snapshot.settings = state.Settings;
  snapshot.counters = state.Counters;
  snapshot.drawer = state.DrawerCash;
  snapshot.fiscal_storage_closed = state.FiscalStorageClosed;
  snapshot.marking_session = state.Marking.SessionOpen;
  snapshot.marking_codes = state.Marking.RecordCount();
  snapshot.km_request = state.LastKMRequestGUID;
  snapshot.last_error = state.LastErrorText;
  snapshot.unsent.assign(state.OfdQueue.begin(), state.OfdQueue.end());
  snapshot.faults = state.Faults;
  std::vector<ProcessSnapshot::Object>& objects = snapshot.objects;
  if (objects.size() != state.LiveObjects.size()) objects.resize(state.LiveObjects.size());
  std::size_t i = 0;
  for (const auto& [number, list] : state.LiveObjects) {
    ProcessSnapshot::Object& object = objects[i++];
    // The IDs change only when a device is made.
    if (object.number == number && object.issued == list->issued() &&
        object.ids.size() == list->size()) {
      continue;
    }
    object.number = number;
    object.issued = list->issued();
    object.ids = list->ids();
  }
}

void AppendSnapshotLines(const ProcessSnapshot& snapshot, std::string& out) {
  for (const auto& [name, value] : SettingValues(snapshot.settings)) {
    std::string line = "setting " + ToUtf8(name) + ' ';
    AppendLiteral(value, line);
    Line(out, line);
  }
  const SessionCounters& counters = snapshot.counters;
  Line(out, "shift " + std::to_string(counters.ShiftNumber) +
                (counters.ShiftOpen ? " open " : " closed ") +
                std::to_string(counters.CheckNumber));
  MomentLine(out, "shift-opened", counters.ShiftOpenedAt);
  MomentLine(out, "last-document", counters.LastDocumentAt);
  if (!snapshot.drawer.IsZero()) {
    Line(out, "drawer " + TextLiteral(snapshot.drawer.Format(2, kPlainFormat)));
  }
  if (snapshot.fiscal_storage_closed) Line(out, "fiscal-storage closed");
  if (snapshot.marking_session) Line(out, "marking-session open");
  if (snapshot.marking_codes > 0) {
    Line(out, "marking-codes " + std::to_string(snapshot.marking_codes));
  }
  Line(out, "km-request " + TextLiteral(snapshot.km_request));
  if (snapshot.last_error) Line(out, "last-error " + TextLiteral(*snapshot.last_error));
  for (const ProcessState::UnsentDocument& document : snapshot.unsent) {
    Line(out, "ofd-unsent " + std::to_string(document.number) + ' ' + FormatMoment(document.at));
  }
  for (const ProcessSnapshot::Object& object : snapshot.objects) {
    std::string line =
        "object " + std::to_string(object.number) + ' ' + std::to_string(object.issued);
    for (const std::u16string& id : object.ids) line += ' ' + TextLiteral(id);
    Line(out, line);
  }
}

void ApplyStateLine(ProcessState& state, const std::vector<std::string_view>& tokens,
                    const std::function<TFPEmulatorList&(std::int32_t)>& devices) {
  if (tokens.empty()) throw ScriptError(":state needs a name");
  const std::string_view name = tokens[0];
  if (name == "setting") {
    Expect(tokens, 3);
    if (!ApplySetting(state.Settings, Value::Text(FromUtf8(tokens[1])),
                      ReadLiteral(tokens[2], nullptr), kPlainFormat)) {
      throw ScriptError(":state setting: no setting " + Quoted(tokens[1]));
    }
  } else if (name == "shift") {
    Expect(tokens, 4);
    if (tokens[2] != "open" && tokens[2] != "closed") {
      throw ScriptError(":state shift needs open or closed, not " + Quoted(tokens[2]));
    }
    state.Counters.ShiftNumber = IntegerOf(tokens[1]);
    state.Counters.ShiftOpen = tokens[2] == "open";
    state.Counters.CheckNumber = IntegerOf(tokens[3]);
  } else if (name == "shift-opened") {
    Expect(tokens, 2);
    state.Counters.ShiftOpenedAt = MomentOf(tokens[1]);
  } else if (name == "last-document") {
    Expect(tokens, 2);
    state.Counters.LastDocumentAt = MomentOf(tokens[1]);
  } else if (name == "drawer") {
    Expect(tokens, 2);
    const std::optional<ExactDecimal> cash = ParseExactDecimal(TextOf(tokens[1]), kPlainFormat);
    if (!cash) throw ScriptError(":state drawer needs an amount, not " + Quoted(tokens[1]));
    state.DrawerCash = *cash;
  } else if (name == "fiscal-storage") {
    Expect(tokens, 2);
    state.FiscalStorageClosed = tokens[1] == "closed";
  } else if (name == "marking-session") {
    Expect(tokens, 2);
    state.Marking.SessionOpen = tokens[1] == "open";
  } else if (name == "marking-codes") {
    Expect(tokens, 2);
    if (IntegerOf(tokens[1]) > 0 && state.Options.Strict) {
      throw ScriptError("the marking codes requested before this file are not in it");
    }
  } else if (name == "km-request") {
    Expect(tokens, 2);
    state.LastKMRequestGUID = TextOf(tokens[1]);
  } else if (name == "last-error") {
    Expect(tokens, 2);
    state.LastErrorText = TextOf(tokens[1]);
  } else if (name == "ofd-tracked") {
    Expect(tokens, 1);
    state.Faults.ofd_tracked = true;
    RefreshFaultGate(state);
  } else if (name == "ofd-unsent") {
    Expect(tokens, 3);
    state.OfdQueue.push_back({IntegerOf(tokens[1]), MomentOf(tokens[2])});
    RefreshFaultGate(state);
  } else if (name == "object") {
    if (tokens.size() < 3) throw ScriptError(":state object needs a number and the IDs issued");
    std::vector<std::u16string> ids;
    for (std::size_t i = 3; i < tokens.size(); ++i) ids.push_back(TextOf(tokens[i]));
    const std::u16string guid = state.LastKMRequestGUID;
    devices(IntegerOf(tokens[1])).Restore(IntegerOf(tokens[2]), ids);
    state.LastKMRequestGUID = guid;  // making a device resets it
  } else {
    throw ScriptError(":state: unknown name " + Quoted(name));
  }
}

}  // namespace kassivo
