// The answers of the rows that need no device.
#include <gtest/gtest.h>

#include "common/text.h"
#include "host/driver_methods.h"
#include "support/test_platform.h"

namespace kassivo {
namespace {

using testing::Call;
using testing::LastError;
using testing::OpenDevice;
using testing::T;
using testing::TestProcess;

TEST(DriverRows, DriverLevelAnswers) {
  TestProcess process;
  auto component = process.NewComponent();
  ArgumentArray none;
  EXPECT_EQ(Call(*component, u"GetInterfaceRevision", none), Value::Integer(3004));

  ArgumentArray description({Value()});
  EXPECT_EQ(Call(*component, u"GetDescription", description), Value::Boolean(true));
  const std::u16string xml = description.Get(0).text();
  EXPECT_EQ(std::count(xml.begin(), xml.end(), u'\r'), 12);
  EXPECT_EQ(std::count(xml.begin(), xml.end(), u'\n'), 0);
  EXPECT_EQ(xml.rfind(u"<?xml version=\"1.0\" encoding=\"UTF-8\"?> \r<DriverDescription\rName=", 0),
            0u);
  EXPECT_TRUE(xml.ends_with(u"\rLogIsEnabled=\"False\"\rLogPath=\"\"\r/>"));
  // The Latin "c" before "функций", the Cyrillic "с" before "передачей".
  EXPECT_NE(xml.find(u"Эмулятор ККТ \u0441 передачей данных (54-ФЗ) c функций"),
            std::u16string::npos);
  EXPECT_NO_THROW(process.state->platform().xml->Parse(xml));
  // While a journal is written (the journal says so): its file, escaped.
  process.state->JournalInUse = u"C:\\Журнал & <день>.txt";
  EXPECT_EQ(Call(*component, u"GetDescription", description), Value::Boolean(true));
  EXPECT_TRUE(description.Get(0).text().ends_with(
      u"\rLogIsEnabled=\"True\"\rLogPath=\"C:\\Журнал &#38; &#60;день&#62;.txt\"\r/>"));

  ArgumentArray test({T(u"x"), Value::Integer(1)});
  EXPECT_EQ(Call(*component, u"DeviceTest", test), Value::Boolean(true));
  EXPECT_EQ(test.Get(0), T(kTestResult));
  EXPECT_EQ(test.Get(1), T(kTestNotice));
}

TEST(DriverRows, FaultActionsAreOfferedOnlyWhileTheOptionIsOn) {
  TestProcess process;
  auto component = process.NewComponent();
  ArgumentArray actions({Value()});
  EXPECT_EQ(Call(*component, u"GetAdditionalActions", actions), Value::Boolean(true));
  const std::u16string plain = actions.Get(0).text();
  ArgumentArray fault({Value::Text(u"Fault:paper=out")});
  EXPECT_EQ(Call(*component, u"DoAdditionalAction", fault), Value::Boolean(false));
  EXPECT_EQ(LastError(*component), u"Имя команды не определено.");
  EXPECT_FALSE(process.state->Faults.Any());

  process.state->Options.FaultActions = true;
  EXPECT_EQ(Call(*component, u"GetAdditionalActions", actions), Value::Boolean(true));
  const std::u16string offered = actions.Get(0).text();
  const std::u16string test = u"<Action Name=\"Test\" Caption=\"Тестовая операция\"/>";
  EXPECT_NE(offered.find(test + u"<Action Name=\"Fault:paper=out\" Caption=\"Неисправность: нет "
                                u"бумаги\"/>"),
            std::u16string::npos);
  EXPECT_TRUE(offered.ends_with(
      u"<Action Name=\"Fault:clear\" Caption=\"Сбросить все неисправности\"/></Actions>"));
  EXPECT_NO_THROW(process.state->platform().xml->Parse(offered));
  EXPECT_EQ(Call(*component, u"DoAdditionalAction", fault), Value::Boolean(true));
  EXPECT_EQ(process.state->Faults.paper, PaperState::kOut);
  ArgumentArray bad({Value::Text(u"Fault:paper=out,ink=low")});
  EXPECT_EQ(Call(*component, u"DoAdditionalAction", bad), Value::Boolean(false));
  EXPECT_EQ(LastError(*component), u"Неизвестная неисправность: ink=low");
  ArgumentArray test_action({Value::Text(u"Test")});
  EXPECT_EQ(Call(*component, u"DoAdditionalAction", test_action), Value::Boolean(true));
  EXPECT_NE(plain, offered);
}

TEST(DriverRows, ScalesAndLabelPrinterNeedNoDevice) {
  TestProcess process;
  process.random->values = {0, 999, 57};
  auto component = process.NewComponent();
  for (double expected : {0.0, 9.99, 0.57}) {
    ArgumentArray weight({T(u""), Value()});
    EXPECT_EQ(Call(*component, u"GetWeight", weight), Value::Boolean(true));
    EXPECT_EQ(weight.Get(1), Value::Real(expected));
  }
  ArgumentArray tare({T(u"9"), Value::Real(12.5)});
  EXPECT_EQ(Call(*component, u"Calibrate", tare), Value::Boolean(true));
  EXPECT_EQ(tare.Get(1), Value::Integer(0));

  ArgumentArray init({T(u"9")});
  EXPECT_EQ(Call(*component, u"InitializePrinter", init), Value::Boolean(true));
  ArgumentArray labels({T(u"9"), T(u"<Labels/>"), Value::Integer(1)});
  EXPECT_EQ(Call(*component, u"PrintLabels", labels), Value::Boolean(true));
  EXPECT_EQ(process.messages->Take(),
            (std::vector<std::u16string>{u"InitializePrinter", u"<Labels/>"}));
  EXPECT_TRUE(process.state->Receipt.entries().empty());
}

TEST(DriverRows, UnsupportedCardOperationsLeaveTheirParameters) {
  TestProcess process;
  auto component = process.NewComponent();
  const std::vector<Value> passed = {T(u"1"),   T(u"card"), Value::Real(5), T(u"r"),
                                     T(u"rrn"), T(u"auth"), T(u"slip")};
  for (const char16_t* name : {u"AuthorisationByPaymentCard", u"AuthConfirmationByPaymentCard",
                               u"CancelAuthorisationByPaymentCard"}) {
    ArgumentArray args(passed);
    EXPECT_EQ(Call(*component, name, args), Value::Boolean(false));
    EXPECT_EQ(args.values(), passed);
    EXPECT_EQ(LastError(*component), u"Операция не поддерживается");
  }
  ArgumentArray reversal({T(u"1")});
  EXPECT_EQ(Call(*component, u"EmergencyReversal", reversal), Value::Boolean(false));
  EXPECT_EQ(LastError(*component), u"Ошибка аварийной отмены");
  ArgumentArray none;
  EXPECT_EQ(Call(*component, u"PrintSlipOnTerminal", none), Value::Boolean(false));
  EXPECT_EQ(LastError(*component), kNoErrors);
}

TEST(DriverRows, SetParameterConvertsAndReportsWhatItCannotStore) {
  TestProcess process;
  auto component = process.NewComponent();
  const DriverSettings& settings = process.state->Settings;
  for (const char16_t* name : {u"size", u"Size", u"SIZE"}) {
    ArgumentArray args({T(name), Value::Integer(48)});
    EXPECT_EQ(Call(*component, u"SetParameter", args), Value::Boolean(true));
    EXPECT_EQ(args.Get(0), T(kNoErrors));
    EXPECT_EQ(settings.Size, 48);
    ArgumentArray back({T(name), Value::Integer(36)});
    Call(*component, u"SetParameter", back);
  }
  ArgumentArray spaced({T(u"Size "), Value::Integer(10)});
  EXPECT_EQ(Call(*component, u"SetParameter", spaced), Value::Boolean(true));
  EXPECT_EQ(settings.Size, 36);

  ArgumentArray half({T(u"FFD12_OISM_StatusInfo"), Value::Real(2.5)});
  Call(*component, u"SetParameter", half);
  EXPECT_EQ(settings.FFD12_OISM_StatusInfo, 2);
  ArgumentArray odd_half({T(u"FFD12_OISM_StatusInfo"), T(u"3.5")});
  Call(*component, u"SetParameter", odd_half);
  EXPECT_EQ(settings.FFD12_OISM_StatusInfo, 4);

  ArgumentArray flag({T(u"ffd12_checking"), T(u"FALSE")});
  Call(*component, u"SetParameter", flag);
  EXPECT_FALSE(settings.FFD12_Checking);
  ArgumentArray numeric_flag({T(u"FFD12_Checking"), T(u"2")});
  Call(*component, u"SetParameter", numeric_flag);
  EXPECT_TRUE(settings.FFD12_Checking);

  ArgumentArray bad({T(u"ThresholdPositiveOperations"), T(u"много")});
  EXPECT_EQ(Call(*component, u"SetParameter", bad), Value::Boolean(false));
  EXPECT_EQ(settings.ThresholdPositiveOperations, 100);
  EXPECT_EQ(bad.Get(0), T(u"ThresholdPositiveOperations")) << "argument 0 is not written";
  EXPECT_NE(process.state->LastErrorText->find(u"ThresholdPositiveOperations"),
            std::u16string::npos);

  ArgumentArray yes({T(u"FFD12_OISM_Result"), T(u"yes")});
  EXPECT_EQ(Call(*component, u"SetParameter", yes), Value::Boolean(false));
  EXPECT_TRUE(settings.FFD12_OISM_Result);

  for (const char16_t* unknown : {u"Cur", u"PrintSlipOnTerminal", u"", u"KKTSerialNumber"}) {
    ArgumentArray args({T(unknown), T(u"anything")});
    EXPECT_EQ(Call(*component, u"SetParameter", args), Value::Boolean(true));
    EXPECT_EQ(args.Get(0), T(kNoErrors));
  }
  EXPECT_EQ(settings.Size, 36);
}

TEST(DriverRows, SettingsAreSharedAndSurviveInitAndDone) {
  TestProcess process;
  auto first = process.NewComponent();
  ArgumentArray size({T(u"Size"), Value::Integer(-5)});
  Call(*first, u"SetParameter", size);
  first->Done();
  first->Init();
  auto second = process.NewComponent();
  const std::u16string id = OpenDevice(*second);
  ArgumentArray length({T(id.c_str()), Value()});
  EXPECT_EQ(Call(*second, u"GetLineLength", length), Value::Boolean(true));
  EXPECT_EQ(length.Get(1), Value::Integer(-5));
}

}  // namespace
}  // namespace kassivo
