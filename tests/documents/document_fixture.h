// A fresh process with one component object and one open device, and
// shorthands for calling driver methods on it by name.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/text.h"
#include "support/test_platform.h"

namespace kassivo::testing {

class DocumentTest : public ::testing::Test {
 protected:
  DocumentTest() : state(*process.state), component(process.NewComponent()) {
    id = OpenDevice(*component);
  }

  // Calls `name` with `args`; returns the result and leaves the written
  // arguments in `last`.
  Value Run(std::u16string_view name, std::vector<Value> args) {
    last = ArgumentArray(std::move(args));
    return Call(*component, name, last);
  }
  Value Run(std::u16string_view name, std::u16string_view input) {
    return Run(name, {Value::Text(id), Value::Text(std::u16string(input)), Value()});
  }
  std::u16string Output(int index) const { return ToText(last.Get(index), NumberFormat{}); }
  std::u16string LastError() const { return state.LastErrorText.value_or(u"<none>"); }
  void SetParameter(std::u16string_view name, Value value) {
    ArgumentArray args({Value::Text(std::u16string(name)), std::move(value)});
    ASSERT_EQ(Call(*component, u"SetParameter", args), Value::Boolean(true));
  }
  std::vector<std::u16string> Tape() const { return TapeTexts(state); }

  static Value True() { return Value::Boolean(true); }
  static Value False() { return Value::Boolean(false); }

  TestProcess process;
  ProcessState& state;
  std::unique_ptr<DriverComponent> component;
  std::u16string id;
  ArgumentArray last;
};

// The first lines the full header prints with the default registration, up
// to the title.
inline std::vector<std::u16string> DefaultHeaderTop() {
  return {std::u16string(36, u'-'),
          u"ООО \"ТЕСТОВАЯ ОРГАНИЗАЦИЯ\"",
          u"Г.МОСКВА, УЛ.ФЕДЕРАЛЬНАЯ Д6.",
          u"2 ЭТАЖ",
          u"ИНН:0000000000000РН ККТ:000000000000",
          u"ККТ:0000000000000   ФН:0000000000000"};
}

inline const std::u16string kBanner = u"ТОЛЬКО ДЛЯ ТЕСТИРОВАНИЯ И ОБУЧЕНИЯ";
inline const std::u16string kTitleLine = u" ФФД 1.2";

}  // namespace kassivo::testing
