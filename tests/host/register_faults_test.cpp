// The register's faults as a host meets them: one sequence of calls per
// family (printer, fiscal storage, OFD, power, shift), checking answers,
// messages, outputs and the tape.
#include <gtest/gtest.h>

#include <algorithm>

#include "device/fault_state.h"
#include "documents/document_fixture.h"

namespace kassivo {
namespace {

using testing::DocumentTest;
using testing::kTestMoment;

constexpr std::u16string_view kSale =
    u"<CheckPackage><Parameters CashierName=\"Петрова\" OperationType=\"1\" "
    u"TaxationSystem=\"0\"/><Positions>"
    u"<FiscalString Name=\"Молоко\" Quantity=\"1\" PriceWithDiscount=\"95\""
    u" AmountWithDiscount=\"95\" VATRate=\"10\" PaymentMethod=\"4\" CalculationSubject=\"1\"/>"
    u"</Positions><Payments Cash=\"100\"/></CheckPackage>";

class RegisterFaults : public DocumentTest {
 protected:
  void Fault(std::u16string_view spec) {
    std::u16string error;
    ASSERT_TRUE(SetFaults(state, spec, error)) << ToUtf8(error);
  }
  void Days(std::int32_t days) { process.clock->Set(AddDays(kTestMoment, days)); }
  Value Sale() { return Run(u"ProcessCheck", {Value::Text(id), False(), T(kSale), Value()}); }
  Value Print(std::u16string_view name) { return Run(name, {Value::Text(id), T(u"")}); }
  // An attribute of the last status answer (GetCurrentStatus's, by default).
  std::u16string Status(std::u16string_view name, bool ask = true) {
    if (ask) {
      EXPECT_EQ(Run(u"GetCurrentStatus", u""), True());
    }
    const std::u16string out = Output(2);
    const std::u16string key = std::u16string(name) + u"=\"";
    const std::size_t at = out.find(key);
    if (at == std::u16string::npos) return u"<absent>";
    const std::size_t from = at + key.size();
    return out.substr(from, out.find(u'"', from) - from);
  }
  bool Printed(std::u16string_view line) {
    const std::vector<std::u16string> tape = Tape();
    return std::any_of(tape.begin(), tape.end(),
                       [&](const std::u16string& entry) { return entry.find(line) == 0; });
  }
  // A refusal: false, the message, the window's status, and the tape as it was.
  void ExpectRefused(Value answer, std::u16string_view message,
                     const std::vector<std::u16string>& tape) {
    EXPECT_EQ(answer, False());
    EXPECT_EQ(LastError(), message);
    EXPECT_EQ(state.Receipt.status(), message);
    EXPECT_EQ(Tape(), tape);
  }
  static Value T(std::u16string_view text) { return Value::Text(std::u16string(text)); }
};

TEST_F(RegisterFaults, PaperRunsOutAndIsLoadedCoverAndLink) {
  Fault(u"paper=near:2");
  EXPECT_EQ(Run(u"OpenShift", u""), True());
  EXPECT_EQ(Tape().back(), u"БУМАГА ЗАКАНЧИВАЕТСЯ");
  EXPECT_EQ(Print(u"PrintXReport"), True());
  EXPECT_EQ(Tape().back(), u"БУМАГА ЗАКАНЧИВАЕТСЯ");

  const std::vector<std::u16string> tape = Tape();
  ExpectRefused(Sale(), u"Нет бумаги. Заправьте чековую ленту.", tape);
  EXPECT_EQ(Output(0), id);
  EXPECT_EQ(Output(3), u"");
  EXPECT_EQ(state.Counters.CheckNumber, 1);
  ExpectRefused(Print(u"PrintCheckCopy"), u"Нет бумаги. Заправьте чековую ленту.", tape);
  // GetLastError keeps the status line; a call that goes through clears it.
  EXPECT_EQ(testing::LastError(*component), u"Нет бумаги. Заправьте чековую ленту.");
  EXPECT_EQ(state.Receipt.status(), u"Нет бумаги. Заправьте чековую ленту.");
  EXPECT_EQ(Run(u"OpenCashDrawer", {Value::Text(id)}), True());
  EXPECT_EQ(state.Receipt.status(), u"");

  Fault(u"paper=ok,cover=open");
  ExpectRefused(Print(u"PrintTextDocument"), u"Открыта крышка принтера ККТ.", Tape());
  EXPECT_EQ(Output(0), id);
  Fault(u"cover=ok");
  EXPECT_EQ(Sale(), True());
  EXPECT_EQ(Tape().back(), std::u16string(36, u'='));

  Fault(u"kkt=offline");
  ExpectRefused(Run(u"GetLineLength", {Value::Text(id), Value()}), u"Нет связи с ККТ.", Tape());
  EXPECT_EQ(Run(u"Close", {Value::Text(id)}), True());
  ExpectRefused(Run(u"Open", {Value::Text(u"5")}), u"Нет связи с ККТ.", Tape());
  EXPECT_EQ(Output(0), u"");

  Fault(u"clear");
  EXPECT_TRUE(state.FaultsSet);  // until a call clears the status line
  EXPECT_EQ(Run(u"GetLineLength", {Value::Text(id), Value()}), True());
  EXPECT_FALSE(state.FaultsSet);
}

TEST_F(RegisterFaults, FiscalStorageExpiresIsReplacedFailsAndFills) {
  Fault(u"fn.expires=30d");
  EXPECT_EQ(Run(u"OpenShift", u""), True());
  EXPECT_TRUE(Printed(u"РЕСУРС КЛЮЧЕЙ ФН: 30 ДН."));
  EXPECT_FALSE(Printed(u"СРОЧНАЯ ЗАМЕНА ФН"));
  EXPECT_EQ(Status(u"FNFail", false), u"True");
  EXPECT_EQ(Status(u"FNError", false), u"False");

  Days(27);
  EXPECT_EQ(Status(u"FNError"), u"True");
  EXPECT_EQ(Run(u"CloseShift", u""), True());
  EXPECT_TRUE(Printed(u"РЕСУРС КЛЮЧЕЙ ФН: 3 ДН."));
  EXPECT_TRUE(Printed(u"СРОЧНАЯ ЗАМЕНА ФН"));

  Days(31);
  const std::u16string expired = u"Закончен срок действия ключей ФН. Требуется замена ФН.";
  ExpectRefused(Run(u"OpenShift", u""), expired, Tape());
  EXPECT_EQ(Output(2), u"");
  EXPECT_EQ(Print(u"PrintXReport"), True());
  EXPECT_EQ(Run(u"OperationFN", {Value::Text(id), Value::Integer(2), T(u"<Parameters/>")}), True());
  EXPECT_EQ(Run(u"OpenShift", u""), True());
  EXPECT_EQ(Status(u"FNFail", false), u"False");
  EXPECT_FALSE(Printed(u"РЕСУРС КЛЮЧЕЙ ФН"));

  Fault(u"fn=absent");
  const std::u16string absent = u"ФН не найден: нет связи с фискальным накопителем.";
  ExpectRefused(Run(u"GetCurrentStatus", u""), absent, Tape());
  EXPECT_EQ(Output(0), id);
  EXPECT_EQ(Output(2), u"");
  ExpectRefused(Run(u"GetDataKKT", {Value::Text(id), Value()}), absent, Tape());
  EXPECT_EQ(Output(1), u"");
  ExpectRefused(Sale(), absent, Tape());
  EXPECT_EQ(Print(u"PrintXReport"), True());
  EXPECT_EQ(Run(u"CashInOutcome", {Value::Text(id), T(u""), Value::Real(10)}), True());

  Fault(u"fn=broken");
  EXPECT_EQ(Status(u"FNError"), u"True");
  ExpectRefused(Sale(), u"Неисправимая ошибка ФН. Требуется замена ФН.", Tape());

  Fault(u"fn=ok,fn.archive=90%");
  EXPECT_EQ(Status(u"FNOverflow"), u"True");
  EXPECT_EQ(Sale(), True());
  Fault(u"fn.archive=full");
  EXPECT_EQ(Status(u"FNOverflow"), u"True");
  ExpectRefused(Sale(), u"Архив ФН переполнен.", Tape());
}

TEST_F(RegisterFaults, OfdOfflineQueuesBlocksAfterThirtyDaysAndDrains) {
  EXPECT_EQ(Status(u"BacklogDocumentFirstNumber"), u"999");  // untracked: the fixed values
  Fault(u"ofd=offline");
  EXPECT_EQ(Run(u"OpenShift", u""), True());
  EXPECT_EQ(Sale(), True());
  EXPECT_EQ(Print(u"PrintXReport"), True());  // takes no number
  EXPECT_EQ(Status(u"BacklogDocumentsCounter"), u"2");
  EXPECT_EQ(Status(u"BacklogDocumentFirstNumber", false), u"1");
  EXPECT_EQ(Status(u"BacklogDocumentFirstDateTime", false), u"2024-03-05T09:07:04");

  Days(29);
  EXPECT_EQ(Sale(), True());
  EXPECT_EQ(Run(u"CloseShift", u""), True());
  EXPECT_TRUE(Printed(u"НЕПЕРЕДАННЫХ ФД: 4"));
  EXPECT_TRUE(Printed(u"ПЕРВЫЙ НЕПЕРЕДАННЫЙ: № 1 ОТ"));  // wrapped to the width
  EXPECT_TRUE(Printed(u"05.03.2024"));
  EXPECT_EQ(Status(u"BacklogDocumentsCounter", false), u"4");

  Days(30);
  const std::u16string blocked = u"Превышено время ожидания передачи документов в ОФД (30 дней).";
  ExpectRefused(Run(u"OpenShift", u""), blocked, Tape());
  EXPECT_EQ(Run(u"CashInOutcome", {Value::Text(id), T(u""), Value::Real(10)}), True());

  Fault(u"ofd=online");
  EXPECT_EQ(Status(u"BacklogDocumentsCounter"), u"0");
  EXPECT_EQ(Status(u"BacklogDocumentFirstNumber", false), u"0");
  EXPECT_EQ(Status(u"BacklogDocumentFirstDateTime", false), u"");
  EXPECT_EQ(Run(u"OpenShift", u""), True());
  EXPECT_FALSE(state.FaultsSet);

  // age= dates the last document back; a register registered offline never
  // queues.
  Fault(u"ofd=offline:age=31d");
  ExpectRefused(Sale(), blocked, Tape());
  Fault(u"ofd=online");
  EXPECT_EQ(Print(u"PrintXReport"), True());
  state.Registration.IsOffline = true;
  Fault(u"ofd=offline:age=31d");
  EXPECT_EQ(Sale(), True());
  EXPECT_EQ(Status(u"BacklogDocumentsCounter"), u"0");
}

TEST_F(RegisterFaults, PowerFailsBeforeAndAfterTheDocument) {
  EXPECT_EQ(Run(u"OpenShift", u""), True());
  const std::u16string lost = u"Нет связи с ККТ: превышено время ожидания ответа.";
  Fault(u"ofd=offline,power=before");
  EXPECT_EQ(Sale(), False());
  EXPECT_EQ(LastError(), lost);
  EXPECT_EQ(Output(3), u"");
  EXPECT_TRUE(Printed(u"Молоко"));
  EXPECT_EQ(Tape().back(), u"ЧЕК АННУЛИРОВАН");
  EXPECT_EQ(Status(u"CheckNumber"), u"1");
  EXPECT_EQ(Status(u"BacklogDocumentsCounter", false), u"0");
  EXPECT_EQ(state.Faults.power, PowerFault::kNone);

  Fault(u"power=after");
  EXPECT_EQ(Sale(), False());
  EXPECT_EQ(LastError(), lost);
  EXPECT_EQ(Output(3), u"");
  EXPECT_FALSE(Printed(u"ЧЕК АННУЛИРОВАН"));
  EXPECT_TRUE(Printed(u"Молоко"));
  // The host asks the register whether the check exists.
  EXPECT_EQ(Status(u"CheckNumber"), u"2");
  EXPECT_EQ(Status(u"BacklogDocumentsCounter", false), u"1");
  EXPECT_EQ(Sale(), True());
  EXPECT_EQ(Status(u"CheckNumber"), u"3");
}

TEST_F(RegisterFaults, PowerLostBeforeTheCheckLeavesTheDrawerAsItWas) {
  state.Options.Strict = true;
  EXPECT_EQ(Run(u"OpenShift", u""), True());
  EXPECT_EQ(Run(u"CashInOutcome", {Value::Text(id), T(u""), Value::Real(100)}), True());
  Fault(u"power=before");
  EXPECT_EQ(Sale(), False());
  EXPECT_EQ(Tape().back(), u"ЧЕК АННУЛИРОВАН");
  EXPECT_EQ(state.DrawerCash.Format(2, NumberFormat{}), u"100.00");
  Fault(u"power=after");
  EXPECT_EQ(Sale(), False());
  EXPECT_EQ(state.DrawerCash.Format(2, NumberFormat{}), u"195.00");
}

TEST_F(RegisterFaults, AShiftOverTwentyFourHoursSellsNothingUntilClosed) {
  EXPECT_EQ(Run(u"OpenShift", u""), True());
  Fault(u"shift=over24h");
  EXPECT_EQ(state.Counters.ShiftOpenedAt, AddDays(kTestMoment, -1));
  const std::u16string over = u"Смена превысила 24 часа. Закройте смену.";
  ExpectRefused(Sale(), over, Tape());
  ExpectRefused(Run(u"CashInOutcome", {Value::Text(id), T(u""), Value::Real(10)}), over, Tape());
  EXPECT_EQ(Print(u"PrintXReport"), True());
  EXPECT_EQ(Run(u"CloseShift", u""), True());
  EXPECT_EQ(Run(u"OpenShift", u""), True());
  EXPECT_EQ(Sale(), True());
}

}  // namespace
}  // namespace kassivo
