#include <gtest/gtest.h>

#include <vector>

#include "host/driver_methods.h"
#include "support/test_platform.h"

namespace kassivo {
namespace {

using testing::Call;
using testing::TapeTexts;
using testing::TestProcess;

constexpr const char16_t* kRequest =
    u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
    u"<RequestKM GUID=\"6F9619FF-8B86-D011-B42D-00C04FC964FF\" "
    u"MarkingCode=\"0104600439931256215Zq\" PlannedStatus=\"1\" Quantity=\"1\" "
    u"MeasureOfQuantity=\"0\"/>";
constexpr const char16_t* kFixedGuid = u"193DDFC8-15DF-4B14-AE84-1D5B741BC0AC";

class MarkingTest : public ::testing::Test {
 protected:
  MarkingTest() : component_(process_.NewComponent()), id_(testing::OpenDevice(*component_)) {}

  ProcessState& state() { return *process_.state; }

  void Set(std::u16string_view name, Value value) {
    ArgumentArray args({Value::Text(std::u16string(name)), std::move(value)});
    ASSERT_EQ(Call(*component_, u"SetParameter", args), Value::Boolean(true));
  }

  Value Request(std::u16string_view xml, ArgumentArray& args) {
    args = ArgumentArray({Value::Text(id_), Value::Text(std::u16string(xml)), Value()});
    return Call(*component_, u"RequestKM", args);
  }

  // The GUID attribute line of GetProcessingKMResult's answer.
  std::u16string ProcessingGuid() {
    ArgumentArray args({Value::Text(id_), Value(), Value()});
    EXPECT_EQ(Call(*component_, u"GetProcessingKMResult", args), Value::Boolean(true));
    const std::u16string answer = args.Get(1).text();
    const std::size_t start = answer.find(u"GUID=\"");
    const std::size_t end = answer.find(u"\"\r", start);
    if (start == std::u16string::npos || end == std::u16string::npos) return u"<none>";
    return answer.substr(start + 6, end - start - 6);
  }

  TestProcess process_;
  std::unique_ptr<DriverComponent> component_;
  std::u16string id_;
};

TEST_F(MarkingTest, RequestEchoesTheRequestAndAnswersTheLocalCheck) {
  ArgumentArray args;
  EXPECT_EQ(Request(kRequest, args), Value::Boolean(true));
  EXPECT_EQ(*state().LastErrorText, kNoErrors);
  EXPECT_EQ(args.Get(0), Value::Text(id_));
  EXPECT_EQ(args.Get(1), Value::Text(kRequest));
  EXPECT_EQ(args.Get(2), Value::Text(u"<?xml version=\"1.0\" encoding=\"UTF-8\"?> \r"
                                     u"<RequestKMResult\rChecking=\"True\"\r"
                                     u"CheckingResult=\"True\"\r/>"));
  const std::vector<std::u16string> expected = {
      u"ТОЛЬКО ДЛЯ ТЕСТИРОВАНИЯ И ОБУЧЕНИЯ",
      u" ФФД 1.2",
      u"ЗАПРОС КМ",
      u"GUID: 6F9619FF-8B86-D011-B42D-00C04F",  // cut to the width
      u"MarkingCode: 0104600439931256215Zq",
      u"PlannedStatus: 1",
      u"Quantity: 1",
      u"MeasureOfQuantity: 0",
      u"ООО \"ТЕСТОВАЯ ОРГАНИЗАЦИЯ\"",
      std::u16string(36, u'-'),
      u"Результат локальной проверки ФН",
      u"КМ проверен ФН: True",
      u"Проверка ФН положительная: True",
  };
  EXPECT_EQ(TapeTexts(state()), expected);
  EXPECT_EQ(state().LastKMRequestGUID, u"6F9619FF-8B86-D011-B42D-00C04FC964FF");
}

TEST_F(MarkingTest, AnswersAndTapeFollowChangedSettings) {
  Set(u"FFD12_Checking", Value::Boolean(false));
  Set(u"ffd12_checkingresult", Value::Text(u"false"));
  Set(u"FFD12_OISM_Result", Value::Integer(0));
  Set(u"FFD12_OISM_StatusInfo", Value::Real(2.5));
  Set(u"FFD12_OISM_HandleCode", Value::Integer(-7));

  ArgumentArray args;
  EXPECT_EQ(Request(kRequest, args), Value::Boolean(true));
  EXPECT_EQ(args.Get(2), Value::Text(u"<?xml version=\"1.0\" encoding=\"UTF-8\"?> \r"
                                     u"<RequestKMResult\rChecking=\"False\"\r"
                                     u"CheckingResult=\"False\"\r/>"));
  std::vector<std::u16string> tape = TapeTexts(state());
  ASSERT_GE(tape.size(), 2u);
  EXPECT_EQ(tape[tape.size() - 2], u"КМ проверен ФН: False");
  EXPECT_EQ(tape.back(), u"Проверка ФН положительная: False");

  args = ArgumentArray({Value::Text(id_), Value::Text(u"stale"), Value::Text(u"stale")});
  EXPECT_EQ(Call(*component_, u"ПолучитьРезультатыЗапросаКМ", args), Value::Boolean(true));
  EXPECT_EQ(args.Get(0), Value::Text(id_));
  EXPECT_EQ(args.Get(1), Value::Text(u"<?xml version=\"1.0\" encoding=\"UTF-8\"?> \r"
                                     u"<ProcessingKMResult\r"
                                     u"GUID=\"6F9619FF-8B86-D011-B42D-00C04FC964FF\"\r"
                                     u"Result=\"False\"\rResultCode=\"0\"\rStatusInfo=\"2\"\r"
                                     u"HandleCode=\"-7\"\r/>"));
  EXPECT_EQ(args.Get(2), Value::Integer(0));
  const std::vector<std::u16string> expected = {
      u"ТОЛЬКО ДЛЯ ТЕСТИРОВАНИЯ И ОБУЧЕНИЯ", u" ФФД 1.2",
      u"РЕЗУЛЬТАТ ЗАПРОСА О КМ В ОИСМ",      u"Проверка ОИСМ",
      u"Результат проверки: False",          u"Ответ о статусе товара: 2",
      u"Код обработки запроса: -7",
  };
  EXPECT_EQ(TapeTexts(state()), expected);
}

TEST_F(MarkingTest, ProcessingResultAnswersTheGuidOfTheLastWellFormedRequest) {
  // No request since the device was constructed: the fixed GUID.
  EXPECT_EQ(ProcessingGuid(), kFixedGuid);

  ArgumentArray args;
  Request(u"<RequestKM GUID=\"first\"/>", args);
  EXPECT_EQ(ProcessingGuid(), u"first");
  Request(u"<RequestKM GUID=\"second\"/>", args);
  EXPECT_EQ(ProcessingGuid(), u"second");

  // Neither another root nor a malformed text nor a confirmation counts.
  EXPECT_EQ(Request(u"<requestKM GUID=\"third\"/>", args), Value::Boolean(true));
  EXPECT_EQ(Request(u"<RequestKM GUID=\"fourth\"", args), Value::Boolean(false));
  args = ArgumentArray({Value::Text(id_), Value::Text(u"fifth"), Value::Integer(0)});
  Call(*component_, u"ConfirmKM", args);
  EXPECT_EQ(ProcessingGuid(), u"second");

  // Opening a device starts over.
  testing::OpenDevice(*component_);
  EXPECT_EQ(ProcessingGuid(), kFixedGuid);
}

TEST_F(MarkingTest, OtherRootNameSkipsTheEchoButStillAnswers) {
  ArgumentArray args;
  Request(u"<RequestKM GUID=\"kept\"/>", args);
  EXPECT_EQ(Request(u"<RequestKm GUID=\"other\" MarkingCode=\"X\"/>", args), Value::Boolean(true));
  EXPECT_EQ(args.Get(2), Value::Text(u"<?xml version=\"1.0\" encoding=\"UTF-8\"?> \r"
                                     u"<RequestKMResult\rChecking=\"True\"\r"
                                     u"CheckingResult=\"True\"\r/>"));
  const std::vector<std::u16string> tape = TapeTexts(state());
  ASSERT_EQ(tape.size(), 8u);
  EXPECT_EQ(tape[2], u"ЗАПРОС КМ");
  EXPECT_EQ(tape[3], u"ООО \"ТЕСТОВАЯ ОРГАНИЗАЦИЯ\"");
  EXPECT_EQ(state().LastKMRequestGUID, u"kept");
}

TEST_F(MarkingTest, AbsentAttributesPrintEmptyValues) {
  ArgumentArray args;
  EXPECT_EQ(Request(u"<RequestKM/>", args), Value::Boolean(true));
  const std::vector<std::u16string> tape = TapeTexts(state());
  ASSERT_GE(tape.size(), 8u);
  const std::vector<std::u16string> echo(tape.begin() + 3, tape.begin() + 8);
  const std::vector<std::u16string> expected = {u"GUID: ", u"MarkingCode: ", u"PlannedStatus: ",
                                                u"Quantity: ", u"MeasureOfQuantity: "};
  EXPECT_EQ(echo, expected);
  EXPECT_EQ(state().LastKMRequestGUID, u"");
}

TEST_F(MarkingTest, LongMarkingCodeIsCutOnTheTapeOnly) {
  const std::u16string code = u"010460043993125621JgXJ5.T91EE0692Ab==";
  const std::u16string xml = u"<RequestKM GUID=\"g\" MarkingCode=\"" + code + u"\"/>";
  ArgumentArray args;
  EXPECT_EQ(Request(xml, args), Value::Boolean(true));
  EXPECT_EQ(args.Get(1), Value::Text(xml));
  EXPECT_EQ(TapeTexts(state())[4], u"MarkingCode: 010460043993125621JgXJ5");

  Set(u"Size", Value::Integer(24));
  Request(xml, args);
  EXPECT_EQ(TapeTexts(state())[4], u"MarkingCode: 01046004399");
}

TEST_F(MarkingTest, MalformedRequestFailsWithTheParserMessage) {
  ArgumentArray args;
  Request(u"<RequestKM GUID=\"kept\"/>", args);
  const std::u16string broken = u"<RequestKM GUID=\"lost\" MarkingCode=\"x\">";
  std::u16string parser_message;
  try {
    state().platform().xml->Parse(broken);
  } catch (const DriverError& error) {
    parser_message = error.message();
  }
  ASSERT_FALSE(parser_message.empty());

  args = ArgumentArray({Value::Text(id_), Value::Text(broken), Value::Text(u"before")});
  EXPECT_EQ(Call(*component_, u"RequestKM", args), Value::Boolean(false));
  EXPECT_EQ(*state().LastErrorText, parser_message);
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(args.WasWritten(i)) << i;
  EXPECT_EQ(args.Get(2), Value::Text(u"before"));
  const std::vector<std::u16string> expected = {u"ТОЛЬКО ДЛЯ ТЕСТИРОВАНИЯ И ОБУЧЕНИЯ", u" ФФД 1.2",
                                                u"ЗАПРОС КМ"};
  EXPECT_EQ(TapeTexts(state()), expected);
  EXPECT_EQ(state().LastKMRequestGUID, u"kept");

  // The empty text is no document either.
  EXPECT_EQ(Request(u"", args), Value::Boolean(false));
  EXPECT_NE(*state().LastErrorText, kNoErrors);
}

TEST_F(MarkingTest, ConfirmationPrintsTheKindAndHandsBothBack) {
  struct Case {
    Value kind;
    std::int32_t written;
    const char16_t* line;
  };
  const Case cases[] = {
      {Value::Integer(0), 0, u"КМ - ПОДТВЕРЖДЕНА"}, {Value::Integer(1), 1, u"КМ - ОТКЛОНЕНА"},
      {Value::Integer(2), 2, u"КМ - ОТКЛОНЕНА"},    {Value::Integer(-1), -1, u"КМ - ОТКЛОНЕНА"},
      {Value::Text(u"0"), 0, u"КМ - ПОДТВЕРЖДЕНА"}, {Value::Real(0.4), 0, u"КМ - ПОДТВЕРЖДЕНА"}};
  for (const Case& c : cases) {
    ArgumentArray args({Value::Text(id_), Value::Text(u"any-guid"), c.kind});
    EXPECT_EQ(Call(*component_, u"ПодтвердитьКМ", args), Value::Boolean(true));
    EXPECT_EQ(args.Get(0), Value::Text(id_));
    EXPECT_EQ(args.Get(1), Value::Text(u"any-guid"));
    EXPECT_EQ(args.Get(2), Value::Integer(c.written));
    const std::vector<std::u16string> expected = {u"ТОЛЬКО ДЛЯ ТЕСТИРОВАНИЯ И ОБУЧЕНИЯ",
                                                  u" ФФД 1.2", u"ПОДТВЕРДИТЬ КМ ЗАПРОСА",
                                                  u"GUID: any-guid", c.line};
    EXPECT_EQ(TapeTexts(state()), expected);
  }
}

TEST_F(MarkingTest, SessionMethodsPrintOneLineEach) {
  ArgumentArray args({Value::Text(id_)});
  EXPECT_EQ(Call(*component_, u"OpenSessionRegistrationKM", args), Value::Boolean(true));
  EXPECT_EQ(TapeTexts(state()).back(), u"СЕССИЯ ОТКРЫТА");
  EXPECT_EQ(TapeTexts(state()).size(), 3u);
  EXPECT_EQ(Call(*component_, u"ЗакрытьСессиюРегистрацииКМ", args), Value::Boolean(true));
  EXPECT_EQ(TapeTexts(state()).back(), u"СЕССИЯ ЗАКРЫТА");
  EXPECT_EQ(TapeTexts(state()).size(), 3u);
  EXPECT_FALSE(args.WasWritten(0));
}

TEST_F(MarkingTest, HiddenWindowPrintsNothingAndAnswersTheSame) {
  Set(u"WindowShowType", Value::Integer(0));
  ArgumentArray args;
  EXPECT_EQ(Request(kRequest, args), Value::Boolean(true));
  EXPECT_EQ(args.Get(2), Value::Text(u"<?xml version=\"1.0\" encoding=\"UTF-8\"?> \r"
                                     u"<RequestKMResult\rChecking=\"True\"\r"
                                     u"CheckingResult=\"True\"\r/>"));
  EXPECT_EQ(ProcessingGuid(), u"6F9619FF-8B86-D011-B42D-00C04FC964FF");
  args = ArgumentArray({Value::Text(id_)});
  EXPECT_EQ(Call(*component_, u"OpenSessionRegistrationKM", args), Value::Boolean(true));
  EXPECT_TRUE(TapeTexts(state()).empty());
}

TEST_F(MarkingTest, UnknownDeviceAnswersFalseForEveryMarkingMethod) {
  const char16_t* const methods[] = {u"OpenSessionRegistrationKM", u"CloseSessionRegistrationKM",
                                     u"RequestKM", u"GetProcessingKMResult", u"ConfirmKM"};
  for (const char16_t* method : methods) {
    ArgumentArray args({Value::Text(u"7"), Value::Text(kRequest), Value::Integer(0)});
    EXPECT_EQ(Call(*component_, method, args), Value::Boolean(false));
    EXPECT_EQ(*state().LastErrorText, kDeviceNotFound);
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(args.WasWritten(i));
    EXPECT_TRUE(TapeTexts(state()).empty());
  }
  EXPECT_EQ(state().LastKMRequestGUID, u"***");
}

}  // namespace
}  // namespace kassivo
