// Hostile XML in every XML input of the driver: a hundred thousand nested
// elements, entity-expansion documents, an external entity and a 50 MB
// attribute. Each call must end in a clear failure or a normal answer,
// without exhausting the stack and without expanding an entity.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
// After windows.h, which it needs.
#include <psapi.h>
#else
#include <sys/resource.h>
#endif

#include <string>
#include <vector>

#include "common/text.h"
#include "support/huge_inputs.h"
#include "support/test_platform.h"

namespace kassivo {
namespace {

// An XML-reading method and how its input wraps a value of one attribute
// the method actually reads. (GetCurrentStatus takes an input it never
// reads, so it is not among them.)
struct XmlInput {
  const char* name;
  Method method;
  std::int32_t xml_parameter;
  std::u16string before;  // up to the attribute value
  std::u16string after;   // from the closing quote on
};

std::vector<XmlInput> XmlInputs() {
  const std::u16string input = u"<InputParameters><Parameters CashierName=\"";
  const std::u16string input_end = u"\"/></InputParameters>";
  const std::u16string check =
      u"<CheckPackage><Parameters CashierName=\"К\"/><Positions><FiscalString Quantity=\"1\" "
      u"PriceWithDiscount=\"1\" AmountWithDiscount=\"1\" VATRate=\"20\" Name=\"";
  const std::u16string check_end = u"\"/></Positions><Payments Cash=\"1\"/></CheckPackage>";
  return {
      {"OperationFN", Method::kOperationFN, 2, u"<Parameters KKTNumber=\"1\" CompanyName=\"",
       u"\"/>"},
      {"OpenShift", Method::kOpenShift, 1, input, input_end},
      {"CloseShift", Method::kCloseShift, 1, input, input_end},
      {"ProcessCheck", Method::kProcessCheck, 2, check, check_end},
      {"PrintTextDocument", Method::kPrintTextDocument, 1,
       u"<Document><Positions><TextString Text=\"", u"\"/></Positions></Document>"},
      {"ProcessCorrectionCheck", Method::kProcessCorrectionCheck, 1, check, check_end},
      {"CashInOutcome", Method::kCashInOutcome, 1, input, input_end},
      {"ReportCurrentStatusOfSettlements", Method::kReportCurrentStatusOfSettlements, 1, input,
       input_end},
      {"PrintXReport", Method::kPrintXReport, 1, input, input_end},
      {"RequestKM", Method::kRequestKM, 1,
       u"<RequestKM GUID=\"G\" PlannedStatus=\"1\" MarkingCode=\"", u"\"/>"},
  };
}

long PeakResidentKilobytes() {
#ifdef _WIN32
  PROCESS_MEMORY_COUNTERS counters{};
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return static_cast<long>(counters.PeakWorkingSetSize / 1024);
#else
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
#endif
}

class HostileXml : public ::testing::Test {
 protected:
  HostileXml() : component_(process_.NewComponent()) {
    // Wide enough that a reading failure printed on the tape is not cut.
    process_.state->Settings.Size = 200;
    testing::OpenDevice(*component_);
  }

  // Calls `input`'s method with `xml`; checks the answer is defined and
  // returns it.
  Value CallWith(const XmlInput& input, const std::u16string& xml) {
    SCOPED_TRACE(input.name);
    std::int32_t count = 0;
    DriverComponent::GetNParams(Number(input.method), count);
    std::vector<Value> values(count);
    values[0] = Value::Text(u"1");
    values[input.xml_parameter] = Value::Text(xml);
    if (input.method == Method::kCashInOutcome) values[2] = Value::Integer(100);  // the amount
    ArgumentArray args(std::move(values));
    Value result;
    EXPECT_EQ(component_->CallAsFunc(input.method, result, args), HResult::kOk);
    EXPECT_EQ(result.kind(), Value::Kind::kBoolean);
    EXPECT_TRUE(process_.state->LastErrorText.has_value());
    return result;
  }

  // What the call left for the host to see: the error text and the tape.
  std::u16string Outcome() const {
    std::u16string all = process_.state->LastErrorText.value_or(u"");
    for (const std::u16string& line : testing::TapeTexts(*process_.state)) all += u"\n" + line;
    return all;
  }

  testing::TestProcess process_;
  std::unique_ptr<DriverComponent> component_;
};

TEST_F(HostileXml, HundredThousandNestedElementsAreRefused) {
  std::u16string closed, unclosed;
  for (int i = 0; i < 100'000; ++i) closed += u"<A>";
  unclosed = closed;
  for (int i = 0; i < 100'000; ++i) closed += u"</A>";
  for (const XmlInput& input : XmlInputs()) {
    for (const std::u16string* nested : {&closed, &unclosed}) {
      // Inside the element the method reads, and as the whole document.
      CallWith(input, input.before + u"x\">" + *nested + u"<B a=\"" + input.after);
      EXPECT_NE(Outcome().find(u"XML"), std::u16string::npos) << input.name << "\n"
                                                              << ToUtf8(Outcome());
      CallWith(input, *nested);
      EXPECT_NE(Outcome().find(u"XML"), std::u16string::npos) << input.name;
    }
  }
}

TEST_F(HostileXml, InternalEntitiesAreNeverExpanded) {
  // A billion laughs, and one big entity referenced many times.
  std::u16string laughs = u"<?xml version=\"1.0\"?><!DOCTYPE R [<!ENTITY l0 \"lol\">";
  for (int level = 1; level <= 9; ++level) {
    laughs += u"<!ENTITY l" + DecimalText(level) + u" \"";
    for (int i = 0; i < 10; ++i) laughs += u"&l" + DecimalText(level - 1) + u";";
    laughs += u"\">";
  }
  laughs += u"]>";
  std::u16string big = u"<!DOCTYPE R [<!ENTITY big \"" + std::u16string(100'000, u'x') + u"\">]>";
  std::u16string many_refs;
  for (int i = 0; i < 10'000; ++i) many_refs += u"&big;";
  const long before = PeakResidentKilobytes();
  for (const XmlInput& input : XmlInputs()) {
    for (const auto& [prolog, reference] :
         {std::pair{laughs, std::u16string(u"&l9;")}, std::pair{big, many_refs}}) {
      const Value result = CallWith(input, prolog + input.before + reference + input.after);
      // A failure naming the reference, never the expanded text.
      const std::u16string outcome = Outcome();
      EXPECT_NE(outcome.find(u"Ошибка разбора XML"), std::u16string::npos) << input.name << "\n"
                                                                           << ToUtf8(outcome);
      EXPECT_EQ(outcome.find(u"lollol"), std::u16string::npos) << input.name;
      EXPECT_EQ(outcome.find(u"xxxxxxxx"), std::u16string::npos) << input.name;
      EXPECT_EQ(result, Value::Boolean(false)) << input.name;
    }
  }
  // An expanded billion laughs alone would take gigabytes.
  EXPECT_LT(PeakResidentKilobytes() - before, 200 * 1024);
}

TEST_F(HostileXml, ExternalEntitiesAreNeitherFetchedNorExpanded) {
  const std::u16string prolog = u"<!DOCTYPE R [<!ENTITY ext SYSTEM \"file:///etc/passwd\">]>";
  for (const XmlInput& input : XmlInputs()) {
    CallWith(input, prolog + input.before + u"&ext;" + input.after);
    EXPECT_NE(Outcome().find(u"Ошибка разбора XML"), std::u16string::npos) << input.name;
    EXPECT_EQ(Outcome().find(u"root:"), std::u16string::npos) << input.name;
  }
}

TEST_F(HostileXml, FiftyMegabyteAttributeGetsANormalAnswer) {
  // 50 MB of UTF-8 (a tenth under AddressSanitizer) in one attribute value,
  // once for each reader of the parsed tree (the other methods share these
  // readers). The tape is off so that the reading, not the printing of a
  // million lines, is what is tried.
  process_.state->Settings.WindowShowType = 0;
  const std::u16string huge(testing::HugeInputBytes(50), u'7');
#ifdef _WIN32
  // MSXML may refuse a value this long (Wine's does): a clear failure will do.
  const bool must_read = false;
#else
  const bool must_read = true;
#endif
  bool stored = false;
  for (const XmlInput& input : XmlInputs()) {
    const Method m = input.method;
    if (m != Method::kOperationFN && m != Method::kOpenShift && m != Method::kProcessCheck &&
        m != Method::kPrintTextDocument && m != Method::kRequestKM) {
      continue;
    }
    const Value result = CallWith(input, input.before + huge + input.after);
    if (m == Method::kRequestKM) continue;  // a malformed marking code is a refusal
    const std::u16string error = process_.state->LastErrorText.value_or(u"");
    if (must_read || result == Value::Boolean(true)) {
      EXPECT_EQ(result, Value::Boolean(true)) << input.name << ": " << ToUtf8(error);
    } else if (m != Method::kProcessCheck && m != Method::kPrintTextDocument) {
      EXPECT_TRUE(error.starts_with(u"Ошибка разбора XML")) << input.name << ": " << ToUtf8(error);
    }
    if (m == Method::kOperationFN) stored = result == Value::Boolean(true);
  }
  if (!stored) return;
  // OperationFN stored the company name whole; GetDataKKT gives it back.
  ArgumentArray data({Value::Text(u"1"), Value()});
  EXPECT_EQ(testing::Call(*component_, u"GetDataKKT", data), Value::Boolean(true));
  EXPECT_NE(data.Get(1).text().find(u"CompanyName=\"" + huge + u"\""), std::u16string::npos);
}

}  // namespace
}  // namespace kassivo
