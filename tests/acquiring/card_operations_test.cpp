#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "common/text.h"
#include "host/driver_methods.h"
#include "support/test_platform.h"

namespace kassivo {
namespace {

using testing::Call;
using testing::TapeTexts;
using testing::TestProcess;

constexpr const char16_t* kCardBlocked = u"Карта заблокирована";
constexpr const char16_t* kApprovedSlip = u"ЭКВАЙРИНГОВАЯ ОПЕРАЦИЯ\rРЕЗУЛЬТАТ ОПЕРАЦИИ - УСПЕШНО";
constexpr const char16_t* kDeclinedSlip = u"ЭКВАЙРИНГОВАЯ ОПЕРАЦИЯ\rРЕЗУЛЬТАТ ОПЕРАЦИИ - ОТКЛОНЕНА";

// The test moment at another millisecond.
LocalDateTime AtMillisecond(int millisecond) {
  LocalDateTime moment = testing::kTestMoment;
  moment.millisecond = millisecond;
  return moment;
}

// A clock that moves one millisecond forward at every reading.
class TickingClock : public Clock {
 public:
  LocalDateTime now = testing::kTestMoment;
  LocalDateTime Now() override {
    const LocalDateTime read = now;
    ++now.millisecond;
    return read;
  }
};

class CardTest : public ::testing::Test {
 protected:
  CardTest() : component_(process_.NewComponent()), id_(testing::OpenDevice(*component_)) {}

  ProcessState& state() { return *process_.state; }

  void Set(std::u16string_view name, Value value) {
    ArgumentArray args({Value::Text(std::u16string(name)), std::move(value)});
    ASSERT_EQ(Call(*component_, u"SetParameter", args), Value::Boolean(true));
  }

  // Calls a card method with the seven parameters a host typically passes.
  Value Pay(std::u16string_view method, Value amount, ArgumentArray& args) {
    args = ArgumentArray({Value::Text(id_), Value::Text(u"4276000011112222"), std::move(amount),
                          Value::Text(u"R-17"), Value::Text(u"old rrn"), Value::Text(u"old code"),
                          Value::Text(u"old slip")});
    return Call(*component_, method, args);
  }

  std::u16string AmountLine() {
    const std::vector<std::u16string> tape = TapeTexts(state());
    return tape.size() > 6 ? tape[6] : u"<none>";
  }

  TestProcess process_;
  std::unique_ptr<DriverComponent> component_;
  std::u16string id_;
};

TEST_F(CardTest, PaymentPrintsTheSlipAndAnswersEveryParameter) {
  ArgumentArray args;
  EXPECT_EQ(Pay(u"PayByPaymentCard", Value::Real(99.99), args), Value::Boolean(true));
  EXPECT_EQ(*state().LastErrorText, kNoErrors);
  const std::vector<Value> expected_args = {
      Value::Text(id_),          Value::Text(u"1234xxxxxx5678"),   Value::Real(99.99),
      Value::Text(u"R-17"),      Value::Text(u"2024030509070456"), Value::Text(u"560407"),
      Value::Text(kApprovedSlip)};
  EXPECT_EQ(args.values(), expected_args);
  const std::u16string dashes(36, u'-');
  const std::vector<std::u16string> expected_tape = {
      u"ТОЛЬКО ДЛЯ ТЕСТИРОВАНИЯ И ОБУЧЕНИЯ",
      u" ФФД 1.2",
      dashes,
      u"ЭКВАЙРИНГОВАЯ ОПЕРАЦИЯ",
      u"ОПЛАТА КАРТОЙ",
      dashes,
      u"СУММА=99.99",
      dashes,
      u"Card=1234xxxxxx5678",
      u"PRN=2024030509070456",
      u"AuthorizationCoder=560407",
      dashes,
      u"РЕЗУЛЬТАТ ОПЕРАЦИИ - УСПЕШНО",
      dashes,
  };
  EXPECT_EQ(TapeTexts(state()), expected_tape);
}

TEST_F(CardTest, DefaultThresholdApprovesOnlyBelowAHundred) {
  struct Case {
    Value amount;
    bool approved;
    const char16_t* line;
  };
  const Case cases[] = {
      {Value::Real(99.99), true, u"СУММА=99.99"},    {Value::Integer(100), false, u"СУММА=100"},
      {Value::Real(100.01), false, u"СУММА=100.01"}, {Value::Real(-50), true, u"СУММА=50"},
      {Value::Integer(0), true, u"СУММА=0"},         {Value::Text(u"-100"), false, u"СУММА=100"},
      {Value::Real(-99.999), true, u"СУММА=99.999"},
  };
  for (const Case& c : cases) {
    ArgumentArray args;
    EXPECT_EQ(Pay(u"PayByPaymentCard", c.amount, args), Value::Boolean(c.approved))
        << ToUtf8(c.line);
    EXPECT_EQ(*state().LastErrorText, c.approved ? kNoErrors : kCardBlocked) << ToUtf8(c.line);
    EXPECT_EQ(args.Get(2), c.amount);
    EXPECT_EQ(args.Get(6), Value::Text(c.approved ? kApprovedSlip : kDeclinedSlip));
    // A declined operation still hands back the card, codes and slip.
    EXPECT_EQ(args.Get(1), Value::Text(u"1234xxxxxx5678"));
    EXPECT_EQ(args.Get(4), Value::Text(u"2024030509070456"));
    EXPECT_EQ(AmountLine(), c.line);
    EXPECT_EQ(TapeTexts(state())[12],
              c.approved ? u"РЕЗУЛЬТАТ ОПЕРАЦИИ - УСПЕШНО" : u"РЕЗУЛЬТАТ ОПЕРАЦИИ - ОТКЛОНЕНА");
  }
}

TEST_F(CardTest, ThresholdIsReadAtEveryCall) {
  ArgumentArray args;
  Set(u"ThresholdPositiveOperations", Value::Integer(0));
  EXPECT_EQ(Pay(u"PayByPaymentCard", Value::Integer(0), args), Value::Boolean(false));
  EXPECT_EQ(Pay(u"PayByPaymentCard", Value::Real(0.01), args), Value::Boolean(false));
  Set(u"ThresholdPositiveOperations", Value::Integer(-10));
  EXPECT_EQ(Pay(u"PayByPaymentCard", Value::Integer(0), args), Value::Boolean(false));
  EXPECT_EQ(Pay(u"PayByPaymentCard", Value::Integer(-20), args), Value::Boolean(false));
  EXPECT_EQ(*state().LastErrorText, kCardBlocked);
  Set(u"thresholdpositiveoperations", Value::Text(u"1000"));
  EXPECT_EQ(Pay(u"PayByPaymentCard", Value::Real(999.5), args), Value::Boolean(true));
}

TEST_F(CardTest, ReturnAndCancellationDifferOnlyInTitle) {
  ArgumentArray args;
  EXPECT_EQ(Pay(u"ВернутьПлатежПоПлатежнойКарте", Value::Real(12.5), args), Value::Boolean(true));
  EXPECT_EQ(TapeTexts(state())[4], u"ВОЗВРАТ ПЛАТЕЖА");
  EXPECT_EQ(args.Get(6), Value::Text(kApprovedSlip));
  EXPECT_EQ(Pay(u"CancelPaymentByPaymentCard", Value::Real(150), args), Value::Boolean(false));
  EXPECT_EQ(TapeTexts(state())[4], u"ОТМЕНА ПЛАТЕЖА");
  EXPECT_EQ(TapeTexts(state()).size(), 14u);
  EXPECT_EQ(*state().LastErrorText, kCardBlocked);
}

TEST_F(CardTest, NonFiniteAmountsAreDeclinedWithoutFailing) {
  Set(u"ThresholdPositiveOperations", Value::Integer(std::numeric_limits<std::int32_t>::max()));
  const double amounts[] = {std::numeric_limits<double>::infinity(),
                            -std::numeric_limits<double>::infinity(),
                            std::numeric_limits<double>::quiet_NaN()};
  const char16_t* lines[] = {u"СУММА=INF", u"СУММА=INF", u"СУММА=NAN"};
  for (int i = 0; i < 3; ++i) {
    ArgumentArray args;
    EXPECT_EQ(Pay(u"PayByPaymentCard", Value::Real(amounts[i]), args), Value::Boolean(false));
    EXPECT_EQ(*state().LastErrorText, kCardBlocked);
    EXPECT_EQ(args.Get(6), Value::Text(kDeclinedSlip));
    EXPECT_EQ(AmountLine(), lines[i]);
  }
}

TEST_F(CardTest, CodesComeFromTheClock) {
  process_.clock->Set(AtMillisecond(5));
  ArgumentArray args;
  Pay(u"PayByPaymentCard", Value::Integer(1), args);
  EXPECT_EQ(args.Get(4), Value::Text(u"202403050907045"));
  EXPECT_EQ(args.Get(5), Value::Text(u"50407"));
  process_.clock->Set(AtMillisecond(0));
  Pay(u"PayByPaymentCard", Value::Integer(1), args);
  EXPECT_EQ(args.Get(4), Value::Text(u"202403050907040"));
  EXPECT_EQ(args.Get(5), Value::Text(u"00407"));
  EXPECT_EQ(TapeTexts(state())[9], u"PRN=202403050907040");
  EXPECT_EQ(TapeTexts(state())[10], u"AuthorizationCoder=00407");

  // The authorisation code takes its own reading of the clock.
  auto ticking = std::make_unique<TickingClock>();
  state().platform().clock = std::move(ticking);
  Pay(u"PayByPaymentCard", Value::Integer(1), args);
  EXPECT_EQ(args.Get(4), Value::Text(u"2024030509070456"));
  EXPECT_EQ(args.Get(5), Value::Text(u"570407"));
}

TEST_F(CardTest, HiddenWindowPrintsNothingAndAnswersTheSame) {
  Set(u"WindowShowType", Value::Integer(0));
  ArgumentArray args;
  EXPECT_EQ(Pay(u"PayByPaymentCard", Value::Real(100), args), Value::Boolean(false));
  EXPECT_EQ(*state().LastErrorText, kCardBlocked);
  EXPECT_EQ(args.Get(5), Value::Text(u"560407"));
  EXPECT_EQ(args.Get(6), Value::Text(kDeclinedSlip));
  ArgumentArray settle({Value::Text(id_), Value()});
  EXPECT_EQ(Call(*component_, u"Settlement", settle), Value::Boolean(true));
  EXPECT_EQ(settle.Get(1), Value::Text(u"ИТОГИ ДНЯ ПО КАРТАМ"));
  EXPECT_TRUE(TapeTexts(state()).empty());
}

TEST_F(CardTest, UnknownDeviceIsABlockedCard) {
  ArgumentArray args;
  Pay(u"PayByPaymentCard", Value::Real(1), args);
  const std::vector<std::u16string> tape_before = TapeTexts(state());
  args = ArgumentArray({Value::Text(u"9"), Value::Text(u"card"), Value::Real(1), Value(), Value(),
                        Value(), Value()});
  EXPECT_EQ(Call(*component_, u"PayByPaymentCard", args), Value::Boolean(false));
  EXPECT_EQ(*state().LastErrorText, kCardBlocked);
  for (int i = 0; i < 7; ++i) EXPECT_FALSE(args.WasWritten(i)) << i;
  EXPECT_EQ(TapeTexts(state()), tape_before);
}

TEST_F(CardTest, SettlementPrintsTheShortHeader) {
  ArgumentArray args({Value::Text(id_), Value::Text(u"old")});
  EXPECT_EQ(Call(*component_, u"ИтогиДняПоКартам", args), Value::Boolean(true));
  EXPECT_EQ(args.Get(0), Value::Text(id_));
  EXPECT_EQ(args.Get(1), Value::Text(u"ИТОГИ ДНЯ ПО КАРТАМ"));
  const std::u16string dashes(36, u'-');
  const std::vector<std::u16string> expected = {
      u"ТОЛЬКО ДЛЯ ТЕСТИРОВАНИЯ И ОБУЧЕНИЯ",
      u" ФФД 1.2",
      dashes,
      u"ООО \"ТЕСТОВАЯ ОРГАНИЗАЦИЯ\"",
      u"Г.МОСКВА, УЛ.ФЕДЕРАЛЬНАЯ Д6.",
      u"2 ЭТАЖ",
      u"ИНН :0000000000000",
      u"ИТОГИ ДНЯ ПО КАРТАМ",
      dashes,
  };
  EXPECT_EQ(TapeTexts(state()), expected);

  args = ArgumentArray({Value::Text(u"2"), Value::Text(u"old")});
  EXPECT_EQ(Call(*component_, u"Settlement", args), Value::Boolean(false));
  EXPECT_EQ(*state().LastErrorText, kDeviceNotFound);
  EXPECT_FALSE(args.WasWritten(0));
  EXPECT_FALSE(args.WasWritten(1));
}

TEST_F(CardTest, UnsupportedMethodsRefuseAndTouchNothing) {
  struct Case {
    const char16_t* method;
    int params;
    std::u16string_view error;
  };
  const Case cases[] = {
      {u"AuthorisationByPaymentCard", 7, u"Операция не поддерживается"},
      {u"ЗавершитьПреавторизациюПоПлатежнойКарте", 7, u"Операция не поддерживается"},
      {u"CancelAuthorisationByPaymentCard", 7, u"Операция не поддерживается"},
      {u"EmergencyReversal", 1, u"Ошибка аварийной отмены"},
      {u"PrintSlipOnTerminal", 0, kNoErrors},
  };
  for (const Case& c : cases) {
    const std::vector<Value> passed = {
        Value::Text(id_),    Value::Text(u"card"), Value::Real(10),     Value::Text(u"R-1"),
        Value::Text(u"rrn"), Value::Text(u"code"), Value::Text(u"slip")};
    ArgumentArray args(std::vector<Value>(passed.begin(), passed.begin() + c.params));
    EXPECT_EQ(Call(*component_, c.method, args), Value::Boolean(false)) << ToUtf8(c.method);
    EXPECT_EQ(*state().LastErrorText, c.error) << ToUtf8(c.method);
    for (int i = 0; i < c.params; ++i) {
      EXPECT_FALSE(args.WasWritten(i));
      EXPECT_EQ(args.Get(i), passed[static_cast<std::size_t>(i)]);
    }
    EXPECT_TRUE(TapeTexts(state()).empty());
  }
}

}  // namespace
}  // namespace kassivo
