#include "package/input_parameters.h"

#include <gtest/gtest.h>

#include "common/value.h"
#include "platform/host_platform.h"
#include "support/test_platform.h"

namespace kassivo {
namespace {

using testing::SplitAtCr;

TEST(BuildOutputParameters, ExactText) {
  EXPECT_EQ(BuildOutputParameters(2, 1, 3),
            u"<?xml version=\"1.0\" encoding=\"UTF-8\"?> \r"
            u"<OutputParameters>\r"
            u"<Parameters\r"
            u"CheckNumber=\"3\"\r"
            u"ShiftClosingCheckNumber=\"3\"\r"
            u"ShiftNumber=\"1\"\r"
            u"DateTime=\"\"\r"
            u"ShiftState=\"2\"\r"
            u"CashBalance=\"1000\"\r"
            u"FNError=\"False\"\r"
            u"FNOverflow=\"False\"\r"
            u"FNFail=\"False\"\r"
            u"BacklogDocumentsCounter=\"1\"\r"
            u"BacklogDocumentFirstNumber=\"999\"\r"
            u"BacklogDocumentFirstDateTime=\"2018-11-09T16:13:42\"\r"
            u"/></OutputParameters>");
}

TEST(BuildOutputParameters, SixteenCrLinesAndPlainNumbers) {
  const std::u16string text = BuildOutputParameters(1, -2147483647 - 1, 2147483647);
  EXPECT_EQ(text.find(u'\n'), std::u16string::npos);
  const auto lines = SplitAtCr(text);
  ASSERT_EQ(lines.size(), 16u);
  EXPECT_EQ(lines.front().back(), u' ');
  EXPECT_EQ(lines[3], u"CheckNumber=\"2147483647\"");
  EXPECT_EQ(lines[5], u"ShiftNumber=\"-2147483648\"");
  EXPECT_EQ(lines[7], u"ShiftState=\"1\"");
  EXPECT_EQ(lines.back(), u"/></OutputParameters>");
  // And it is well-formed.
  const XmlDocument document = MakeHostXmlParser()->Parse(text);
  EXPECT_EQ(document.root.name, u"OutputParameters");
}

class ParseInputParametersTest : public ::testing::Test {
 protected:
  InputParameters Parse(std::u16string_view text) {
    InputParameters params{u"n", u"i", u"a", u"l"};
    ParseInputParameters(*parser, text, params);
    return params;
  }
  static bool Untouched(const InputParameters& p) {
    return p.CashierName == u"n" && p.CashierINN == u"i" && p.SaleAddress == u"a" &&
           p.SaleLocation == u"l";
  }

  std::unique_ptr<XmlParser> parser = MakeHostXmlParser();
};

TEST_F(ParseInputParametersTest, ReadsTheFourTextsAsDecoded) {
  const InputParameters p = Parse(
      u"<?xml version=\"1.0\"?><InputParameters><Parameters CashierName=\" Иванов &amp; Co \" "
      u"CashierINN=\"7701\" SaleAddres=\"&quot;Зал&quot;\" SaleLocation=\"касса 1\" "
      u"Other=\"x\"/><Ignored/></InputParameters>");
  EXPECT_EQ(p.CashierName, u" Иванов & Co ");
  EXPECT_EQ(p.CashierINN, u"7701");
  EXPECT_EQ(p.SaleAddress, u"\"Зал\"");
  EXPECT_EQ(p.SaleLocation, u"касса 1");
}

TEST_F(ParseInputParametersTest, AbsentAttributesClearTheirTexts) {
  const InputParameters p = Parse(u"<AnyRoot><Parameters CashierINN=\"1\"/></AnyRoot>");
  EXPECT_EQ(p.CashierName, u"");
  EXPECT_EQ(p.CashierINN, u"1");
  EXPECT_EQ(p.SaleAddress, u"");
  EXPECT_EQ(p.SaleLocation, u"");
}

TEST_F(ParseInputParametersTest, SaleAddressUnderEitherSpelling) {
  EXPECT_EQ(Parse(u"<r><Parameters SaleAddress=\"standard\"/></r>").SaleAddress, u"standard");
  EXPECT_EQ(Parse(u"<r><Parameters SaleAddres=\"old\" SaleAddress=\"standard\"/></r>").SaleAddress,
            u"old");
  EXPECT_EQ(Parse(u"<r><Parameters SaleAddres=\"\" SaleAddress=\"standard\"/></r>").SaleAddress,
            u"");
}

TEST_F(ParseInputParametersTest, BlankTextOrOtherFirstChildLeavesTextsAlone) {
  for (const char16_t* text :
       {u"", u"  \r\n\t ", u"<r><Other CashierName=\"x\"/><Parameters CashierName=\"y\"/></r>",
        u"<r><!-- note --><Parameters CashierName=\"y\"/></r>",
        u"<r>text<Parameters CashierName=\"y\"/></r>", u"<r><parameters CashierName=\"y\"/></r>"}) {
    EXPECT_TRUE(Untouched(Parse(text)));
  }
}

TEST_F(ParseInputParametersTest, WhitespaceBetweenElementsIsNotAChild) {
  const InputParameters p = Parse(u"<r>\n  <Parameters CashierName=\"x\"/>\n</r>");
  EXPECT_EQ(p.CashierName, u"x");
}

TEST_F(ParseInputParametersTest, UnreadableTextThrows) {
  for (const char16_t* text : {u"<r><Parameters", u"not xml", u"<r/>", u"<r></r>"}) {
    InputParameters params{u"n", u"i", u"a", u"l"};
    EXPECT_THROW(ParseInputParameters(*parser, text, params), DriverError);
    EXPECT_TRUE(Untouched(params));
  }
}

}  // namespace
}  // namespace kassivo
