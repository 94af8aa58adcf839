#include "package/check_package.h"

#include <gtest/gtest.h>

#include <deque>

#include "common/text.h"
#include "common/value.h"
#include "platform/host_platform.h"

namespace kassivo {
namespace {

// Kept for the rest of the run: the node views its document's text.
const XmlNode& Element(std::u16string_view xml) {
  static std::deque<XmlDocument> kept;
  return kept.emplace_back(MakeHostXmlParser()->Parse(xml)).root;
}

double Number(std::u16string_view value, const NumberFormat& format = {}) {
  XmlNode node;
  node.is_element = true;
  node.name = u"FiscalString";
  node.attributes.push_back({u"Quantity", value});
  return ReadNumberAttribute(node, u"Quantity", format);
}

TEST(CheckNumberAttribute, FollowsTheStrictGrammar) {
  EXPECT_EQ(Number(u"2"), 2);
  EXPECT_EQ(Number(u"  2  "), 2);
  EXPECT_EQ(Number(u"-12.5"), -12.5);
  EXPECT_EQ(Number(u"+.5"), 0.5);
  EXPECT_EQ(Number(u"5."), 5);
  EXPECT_EQ(Number(u"1e3"), 1000);
  EXPECT_EQ(Number(u"2.5E-1"), 0.25);
  // Everything outside the grammar reads as 0, never as a failure.
  for (const std::u16string_view text :
       {u"", u"   ", u"abc", u"1 000", u"1,000.5", u"1.2.3", u"\t5", u"0x10", u"1e", u"e5", u"--1",
        u"1e400", u"-1e999", u"inf", u"nan", u"5 kg"}) {
    EXPECT_EQ(Number(text), 0) << ToUtf8(text);
  }
}

TEST(CheckNumberAttribute, AbsentIsZero) {
  const XmlNode node = Element(u"<FiscalString Name='x'/>");
  EXPECT_EQ(ReadNumberAttribute(node, u"Quantity", {}), 0);
}

TEST(CheckNumberAttribute, AcceptsTheFullStopAndTheProcessSeparator) {
  const NumberFormat comma{u",", u"\u00A0"};
  EXPECT_EQ(Number(u"12.5", comma), 12.5);
  EXPECT_EQ(Number(u"12,5", comma), 12.5);
  EXPECT_EQ(Number(u"1\u00A0000", comma), 0);  // no grouping
  // With a full stop as separator a comma is not a decimal separator.
  EXPECT_EQ(Number(u"12,5"), 0);
  // A separator of several characters still takes the full stop's place.
  const NumberFormat wide{u"::", u" "};
  EXPECT_EQ(Number(u"3.25", wide), 3.25);
  EXPECT_EQ(Number(u"3::25", wide), 3.25);
}

std::int32_t Code(std::u16string_view value) {
  XmlNode node;
  node.is_element = true;
  node.attributes.push_back({u"OperationType", value});
  return ReadCodeAttribute(node, u"OperationType");
}

TEST(CheckCodeAttribute, ReadsDecimalIntegersInThe32BitRange) {
  EXPECT_EQ(Code(u"7"), 7);
  EXPECT_EQ(Code(u"  -3 "), -3);
  EXPECT_EQ(Code(u"+12"), 12);
  EXPECT_EQ(Code(u"007"), 7);
  EXPECT_EQ(Code(u"2147483647"), 2147483647);
  EXPECT_EQ(Code(u"-2147483648"), -2147483647 - 1);
  EXPECT_EQ(Code(u"000000000000000000001"), 1);
}

TEST(CheckCodeAttribute, RefusesEverythingElseWithAMessageNamingTheText) {
  for (const std::u16string_view text :
       {u"", u" ", u"x", u"1.0", u"0x10", u"true", u"1e3", u"- 1", u"+", u"1 2", u"\t1",
        u"2147483648", u"-2147483649", u"99999999999", u"99999999999999999999999"}) {
    try {
      Code(text);
      ADD_FAILURE() << "accepted " << ToUtf8(text);
    } catch (const DriverError& error) {
      EXPECT_NE(error.message().find(u"OperationType"), std::u16string::npos);
      EXPECT_NE(error.message().find(u"\"" + std::u16string(text) + u"\""), std::u16string::npos);
    }
  }
}

TEST(CheckParameters, ReadsDefaultsAndRawTexts) {
  const CheckParameters empty = ReadCheckParameters(Element(u"<Parameters/>"));
  EXPECT_EQ(empty.operation_type, 1);
  EXPECT_EQ(empty.cashier_name, u"");
  EXPECT_FALSE(empty.customer_email.has_value());

  const CheckParameters read = ReadCheckParameters(
      Element(u"<Parameters OperationType=' 3 ' CashierName=' Иванов ' CustomerEmail='' "
              u"CustomerINN=' 7700 ' AgentType='2' GroupingPositionsWhenPrinting='true'/>"));
  EXPECT_EQ(read.operation_type, 3);
  EXPECT_EQ(read.cashier_name, u" Иванов ");
  ASSERT_TRUE(read.customer_email.has_value());
  EXPECT_EQ(*read.customer_email, u"");
  EXPECT_EQ(read.customer_inn, u" 7700 ");
}

TEST(CheckParameters, AFailingOperationTypeThrows) {
  EXPECT_THROW(ReadCheckParameters(Element(u"<Parameters OperationType='x'/>")), DriverError);
  EXPECT_EQ(ReadTaxationSystem(Element(u"<Parameters/>")), std::nullopt);
  EXPECT_EQ(ReadTaxationSystem(Element(u"<Parameters TaxationSystem='5'/>")), 5);
  EXPECT_THROW(ReadTaxationSystem(Element(u"<Parameters TaxationSystem='1.0'/>")), DriverError);
}

// Hosts spell three attributes the standard way; the long-standing misspelt
// forms still win when present.
TEST(CheckSpellings, SaleAddressIsReadUnderBothSpellings) {
  EXPECT_EQ(ReadCheckParameters(Element(u"<Parameters SaleAddress='ул. Ленина'/>")).sale_address,
            u"ул. Ленина");
  EXPECT_EQ(ReadCheckParameters(Element(u"<Parameters SaleAddres='old'/>")).sale_address, u"old");
  EXPECT_EQ(ReadCheckParameters(Element(u"<Parameters SaleAddres='old' SaleAddress='new'/>"))
                .sale_address,
            u"old");
}

TEST(CheckSpellings, CorrectionDateIsReadUnderBothSpellings) {
  EXPECT_EQ(ReadCorrectionData(Element(u"<CorrectionData Date=' 01.02.2024 '/>")).date,
            u"01.02.2024");
  EXPECT_EQ(ReadCorrectionData(Element(u"<CorrectionData Dat\u0435='cyr' Date='lat'/>")).date,
            u"cyr");
  EXPECT_EQ(ReadCorrectionData(Element(u"<CorrectionData Type='0'/>")).date, std::nullopt);
}

TEST(CheckSpellings, CountryOfOriginIsReadUnderBothSpellings) {
  const NumberFormat format;
  EXPECT_EQ(ReadFiscalString(Element(u"<FiscalString CountryOfOrigin=' 156 '/>"), format, false)
                .country_of_origin,
            u"156");
  EXPECT_EQ(ReadFiscalString(Element(u"<FiscalString \u0421ountryOfOrigin='643' "
                                     u"CountryOfOrigin='156'/>"),
                             format, false)
                .country_of_origin,
            u"643");
}

TEST(CheckItems, FiscalStringDefaultsAndTexts) {
  const NumberFormat format;
  const FiscalString bare = ReadFiscalString(Element(u"<FiscalString/>"), format, false);
  EXPECT_EQ(bare.name, u"<>");
  EXPECT_EQ(bare.amount, 0);
  EXPECT_EQ(bare.vat_rate, std::nullopt);
  EXPECT_EQ(bare.payment_method, u"");

  const FiscalString read = ReadFiscalString(
      Element(u"<FiscalString Name='' Quantity='1.5' DiscountAmount='' PaymentMethod=' 4 ' "
              u"ExciseAmount=' 12.30 ' VATRate='' MarkingCode=' AQID\u001D91EE11 '>"
              u"<AgentData AgentPhone='+7'/><GoodCodeData GTIN='046' MI='x'/>"
              u"<FractionalQuantity Numerator='1' Denominator='2'/><GoodCodeData/></FiscalString>"),
      format, false);
  EXPECT_EQ(read.name, u"");
  EXPECT_EQ(read.quantity, 1.5);
  EXPECT_EQ(read.discount, 0);
  EXPECT_EQ(read.payment_method, u"4");
  EXPECT_EQ(read.excise_amount, u"12.30");
  EXPECT_EQ(read.vat_rate, u"");
  EXPECT_EQ(read.marking_code, u"AQID\u001D91EE11");
  ASSERT_EQ(read.good_codes.size(), 2u);
  EXPECT_EQ(read.good_codes[0].gtin, u"046");
  EXPECT_EQ(read.good_codes[0].mi, u"x");
  EXPECT_EQ(read.good_codes[1].gtin, std::nullopt);
}

TEST(CheckItems, BarcodePrefersAPresentBase64Value) {
  EXPECT_EQ(ReadBarcode(Element(u"<Barcode ValueBase64='' Value='123'/>")).value, u"");
  EXPECT_EQ(ReadBarcode(Element(u"<Barcode Value='123' Type='EAN13'/>")).value, u"123");
  EXPECT_EQ(ReadBarcode(Element(u"<Barcode Type='QR'/>")).type, u"QR");
}

// The index among the root's children of the payments section, or -1.
int PaymentsIndex(std::u16string_view xml) {
  const CheckPackage package = CheckPackage::Load(*MakeHostXmlParser(), xml);
  const XmlNode* payments = package.PaymentsSection();
  if (!payments) return -1;
  return static_cast<int>(payments - package.root().children.data());
}

TEST(CheckSections, PaymentsIsTheLastChildSoNamedFromIndexOne) {
  EXPECT_EQ(PaymentsIndex(u"<C><Parameters/><Positions/><Payments/></C>"), 2);
  EXPECT_EQ(PaymentsIndex(u"<C><Parameters/><Positions/></C>"), -1);
  EXPECT_EQ(PaymentsIndex(u"<C><Parameters/><Payments/></C>"), 1);
  // Elements hosts send after the payments no longer hide them.
  EXPECT_EQ(PaymentsIndex(u"<C><Parameters/><Positions/><Payments Cash='1'/>"
                          u"<ElectronicPaymentInfo/><!-- end --></C>"),
            2);
  EXPECT_EQ(PaymentsIndex(u"<C><Parameters/><Positions/><Payments/><Payments/><X/></C>"), 3);
  // The first child is the parameters section whatever its name.
  EXPECT_EQ(PaymentsIndex(u"<C><Payments/><Positions/></C>"), -1);
  EXPECT_EQ(PaymentsIndex(u"<C><Payments/></C>"), -1);
  EXPECT_EQ(PaymentsIndex(u"<C><Parameters/><Positions/><payments/></C>"), -1);
}

TEST(CheckSections, MissingSectionsAreReadingFailures) {
  const CheckPackage empty = CheckPackage::Load(*MakeHostXmlParser(), u"<C/>");
  EXPECT_THROW(empty.ParametersSection(), DriverError);
  const CheckPackage one = CheckPackage::Load(*MakeHostXmlParser(), u"<C><Parameters/></C>");
  EXPECT_TRUE(one.ParametersSection().Is(u"Parameters"));
  EXPECT_THROW(one.PositionsSection(), DriverError);
  // A comment takes a position: index 1 is the comment, not the positions.
  const CheckPackage commented = CheckPackage::Load(
      *MakeHostXmlParser(), u"<C>\n  <Parameters/>\n  <!-- c -->\n  <Positions/></C>");
  EXPECT_FALSE(commented.PositionsSection().Is(u"Positions"));
  const CheckPackage spaced =
      CheckPackage::Load(*MakeHostXmlParser(), u"<C>\n  <Parameters/>\n\t <Positions/>\n</C>");
  EXPECT_TRUE(spaced.PositionsSection().Is(u"Positions"));
  EXPECT_THROW(CheckPackage::Load(*MakeHostXmlParser(), u"<C><Parameters></C>"), DriverError);
}

TEST(CheckSections, PaymentsReadsFiveAmounts) {
  const Payments read = ReadPayments(
      Element(u"<Payments Cash='100' ElectronicPayment='2.5' PrePayment='' PostPayment='x' "
              u"Barter='-1' Certificate='7'/>"),
      NumberFormat{});
  EXPECT_EQ(read.cash, 100);
  EXPECT_EQ(read.electronic, 2.5);
  EXPECT_EQ(read.prepayment, 0);
  EXPECT_EQ(read.postpayment, 0);
  EXPECT_EQ(read.barter, -1);
}

}  // namespace
}  // namespace kassivo
