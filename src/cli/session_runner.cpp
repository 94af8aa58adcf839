#include "cli/session_runner.h"

#include <type_traits>

#include "device/fault_state.h"
#include "platform/fixed_clock.h"

namespace kassivo::cli {

SessionRunner::SessionRunner(ProcessState& state, MessageRecorder& messages, TapePresenter* tape,
                             std::ostream& out)
    : state_(state), messages_(messages), tape_(tape), transcript_(out) {}

SessionRunner::~SessionRunner() {
  for (auto& [number, object] : objects_) object->Done();
}

DriverComponent& SessionRunner::Current() {
  return Object(current_);
}

DriverComponent& SessionRunner::Object(std::int32_t number) {
  std::unique_ptr<DriverComponent>& object = objects_[number];
  if (!object) {
    object = std::make_unique<DriverComponent>(state_, &journal_, number);
    object->Init();
  }
  return *object;
}

void SessionRunner::Execute(const Statement& statement) {
  std::visit(
      [&](const auto& s) {
        using T = std::decay_t<decltype(s)>;
        if constexpr (std::is_same_v<T, CallStatement>) {
          Call(s);
        } else if constexpr (std::is_same_v<T, FindStatement>) {
          Find(s);
        } else if constexpr (std::is_same_v<T, ObjectStatement>) {
          current_ = s.number;
          Current();
        } else if constexpr (std::is_same_v<T, InitStatement>) {
          Current().Init();
        } else if constexpr (std::is_same_v<T, DoneStatement>) {
          Current().Done();
        } else if constexpr (std::is_same_v<T, StrictStatement>) {
          state_.Options.Strict = s.on;
        } else if constexpr (std::is_same_v<T, FaultStatement>) {
          // Checked when read: cannot fail here.
          std::u16string error;
          SetFaults(state_, s.spec, error);
        } else {
          // The platform owns its clock: a fixed one takes the old one's place.
          state_.platform().clock = std::make_unique<FixedClock>(s.moment);
        }
      },
      statement);
}

void SessionRunner::Call(const CallStatement& call) {
  DriverComponent& object = Current();
  ArgumentArray args(call.args);
  Value result;
  messages_.Take();
  const std::uint64_t revision = state_.Receipt.revision();
  const HResult answer = object.CallAsFunc(call.method, result, args);
  transcript_.Echo(call.written);
  transcript_.Result(result, answer);
  transcript_.Elements(args);
  transcript_.Messages(messages_.Take());
  if (tape_ && state_.Receipt.revision() != revision) {
    tape_->Present(state_.Receipt, transcript_.stream());
  }
}

void SessionRunner::Find(const FindStatement& find) {
  std::int32_t number = -1;
  const HResult answer = DriverComponent::FindMethod(find.name, number);
  transcript_.Echo(find.written);
  transcript_.Integer(number, answer);
}

int RunScript(std::istream& in, const std::string& name, const FileLoader& load,
              SessionRunner& runner, std::ostream& out, std::ostream& err) {
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    try {
      if (const std::optional<Statement> statement = ParseStatement(line, number == 1, load)) {
        runner.Execute(*statement);
      }
    } catch (const ScriptError& error) {
      out.flush();
      err << "kassivo: " << name << ':' << number << ": " << error.what() << '\n';
      return kExitScriptError;
    }
  }
  out.flush();
  return 0;
}

}  // namespace kassivo::cli
