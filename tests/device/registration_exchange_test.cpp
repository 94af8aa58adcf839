#include <gtest/gtest.h>

#include "device/emulator.h"
#include "documents/document_fixture.h"
#include "platform/host_platform.h"
#include "support/test_platform.h"

namespace kassivo::testing {
namespace {

using Texts = std::vector<std::u16string>;

class RegistrationExchangeTest : public DocumentTest {
 protected:
  std::u16string GetDataKKT() {
    EXPECT_EQ(Run(u"GetDataKKT", {Value::Text(id), Value()}), True()) << ToUtf8(LastError());
    return Output(1);
  }
  Value OperationFN(std::int32_t type, std::u16string xml) {
    return Run(u"OperationFN",
               {Value::Text(id), Value::Integer(type), Value::Text(std::move(xml))});
  }
  // The stored value of a text field.
  std::u16string Stored(const std::u16string& name) const {
    return process.store->values().at(name).text;
  }
};

TEST_F(RegistrationExchangeTest, DefaultsAnswerExactly) {
  const std::u16string text = GetDataKKT();
  EXPECT_EQ(text.find(u'\n'), std::u16string::npos);
  const Texts lines = SplitAtCr(text);
  const Texts expected = {
      u"<?xml version=\"1.0\" encoding=\"UTF-8\"?> ",
      u"<Parameters",
      u"KKTNumber=\"0000000000000\"",
      u"KKTSerialNumber=\"100000001\"",
      u"FFDVersionFN=\"1.2\"",
      u"FFDVersionKKT=\"1.2\"",
      u"Fiscal=\"False\"",
      u"FNSerialNumber=\"200000002\"",
      u"DocumentNumber=\"\"",
      u"CompanyName=\"ООО &#34;ТЕСТОВАЯ ОРГАНИЗАЦИЯ&#34;\"",
      u"INN=\"0000000000000\"",
      u"SaleAddress=\"г.Москва, ул.Федеральная д6.\"",
      u"SaleLocation=\"2 этаж\"",
      u"TaxationSystems=\"0,1,2,3,4,5\"",
      u"IsOffline=\"False\"",
      u"IsEncrypted=\"False\"",
      u"IsService=\"False\"",
      u"IsExcisable=\"False\"",
      u"IsGambling=\"False\"",
      u"IsLottery=\"False\"",
      u"AgentTypes=\"\"",
      u"BSOSing=\"False\"",
      u"IsOnlineOnly=\"False\"",
      u"IsOnline=\"False\"",
      u"IsMarking=\"False\"",
      u"IsPawnshop=\"False\"",
      u"IsAssurance=\"False\"",
      u"IsAutomaticPrinter=\"False\"",
      u"IsAutomatic=\"False\"",
      u"AutomaticNumber=\"\"",
      u"OFDCompany=\"\"",
      u"OFDCompanyINN=\"\"",
      u"SenderEmail=\"\"",
      u"FNSURL=\"\"",
      u"/>",
  };
  EXPECT_EQ(lines, expected);
  EXPECT_EQ(Output(0), id);
  EXPECT_TRUE(Tape().empty());
}

TEST_F(RegistrationExchangeTest, ReportsFixedSerialsAndTaxationAndTrimsTheCompany) {
  process.store->Put(u"TaxationSystems", StoredValue::Text(u"7"));
  process.store->Put(u"KKTSerialNumber", StoredValue::Text(u"555"));
  process.store->Put(u"CompanyName", StoredValue::Text(u"  ИП Иванов\t"));
  const Texts lines = SplitAtCr(GetDataKKT());
  EXPECT_EQ(lines[3], u"KKTSerialNumber=\"100000001\"");
  EXPECT_EQ(lines[7], u"FNSerialNumber=\"200000002\"");
  EXPECT_EQ(lines[9], u"CompanyName=\"ИП Иванов\"");
  EXPECT_EQ(lines[13], u"TaxationSystems=\"0,1,2,3,4,5\"");
  // The serials live in memory only; the store keeps its own.
  EXPECT_EQ(state.Registration.KKTSerialNumber, u"100000001");
  EXPECT_EQ(Stored(u"KKTSerialNumber"), u"555");
  EXPECT_EQ(state.Registration.TaxationSystems, u"7");
}

TEST_F(RegistrationExchangeTest, WronglyTypedStoreValueFailsTheCall) {
  process.store->Put(u"INN", StoredValue::DWord(5));
  EXPECT_EQ(Run(u"GetDataKKT", {Value::Text(id), Value::Text(u"previous")}), False());
  EXPECT_NE(LastError(), u"Нет ошибок.");
  EXPECT_NE(LastError().find(u"INN"), std::u16string::npos);
  EXPECT_EQ(Output(0), id);
  EXPECT_TRUE(last.WasWritten(1));
  EXPECT_EQ(Output(1), u"");
}

TEST_F(RegistrationExchangeTest, SpecialCharactersGiveWellFormedXml) {
  const std::u16string nasty = u"a\"b<c&d>'e\r\nf";
  KKTRegistration& r = state.Registration;
  for (std::u16string* field :
       {&r.KKTNumber, &r.KKTSerialNumber, &r.FNSerialNumber, &r.DocumentNumber, &r.CompanyName,
        &r.INN, &r.SaleAddress, &r.SaleLocation, &r.TaxationSystems, &r.AgentTypes,
        &r.AutomaticNumber, &r.OFDCompany, &r.OFDCompanyINN, &r.SenderEmail, &r.FNSURL}) {
    *field = nasty;
  }
  r.IsMarking = true;
  ASSERT_EQ(OperationFN(2, u"<Other/>"), True());  // saves the record as it is
  const std::u16string text = GetDataKKT();
  const XmlDocument document = MakeHostXmlParser()->Parse(text);
  EXPECT_EQ(document.root.name, u"Parameters");
  EXPECT_EQ(document.root.attributes.size(), 32u);
  for (const char16_t* name : {u"KKTNumber", u"DocumentNumber", u"INN", u"AgentTypes",
                               u"AutomaticNumber", u"SaleAddress", u"FNSURL"}) {
    EXPECT_EQ(*document.root.FindAttribute(name), nasty) << ToUtf8(name);
  }
  EXPECT_EQ(*document.root.FindAttribute(u"IsMarking"), u"True");
  EXPECT_EQ(*document.root.FindAttribute(u"TaxationSystems"), u"0,1,2,3,4,5");
}

TEST_F(RegistrationExchangeTest, OwnAnswerFedBackKeepsEverything) {
  KKTRegistration& r = state.Registration;
  r.KKTNumber = u"0001234567890";
  r.CompanyName = u"ООО \"Ромашка & Ко\"";
  r.DocumentNumber = u"17";
  r.AgentTypes = u"1,2";
  r.OFDCompany = u"ОФД <Тест>";
  r.FNSURL = u"www.nalog.gov.ru";
  r.Fiscal = r.IsOffline = r.IsExcisable = r.BSOSing = r.IsOnline = r.IsAssurance = r.IsAutomatic =
      true;
  ASSERT_EQ(OperationFN(0, u"<Other/>"), True());
  const std::u16string answer = GetDataKKT();

  ASSERT_EQ(OperationFN(2, answer), True());
  KKTRegistration expected = state.Registration;  // as GetDataKKT left it
  EXPECT_EQ(Stored(u"FNSerialNumber"), u"200000002");
  EXPECT_EQ(process.store->values().at(u"Fiscal"), StoredValue::DWord(1));
  EXPECT_EQ(process.store->values().at(u"IsAutomatic"), StoredValue::DWord(1));
  EXPECT_EQ(process.store->values().at(u"IsGambling"), StoredValue::DWord(0));
  EXPECT_EQ(state.Registration.CompanyName, u"ООО \"Ромашка & Ко\"");
  EXPECT_EQ(state.Registration.TaxationSystems, u"0,1,2,3,4,5");

  // A second round trip changes nothing more.
  ASSERT_EQ(OperationFN(2, GetDataKKT()), True());
  EXPECT_EQ(state.Registration, expected);
}

TEST_F(RegistrationExchangeTest, OperationFNReadsEveryFieldAndPrints) {
  ASSERT_EQ(OperationFN(1,
                        u"<ParametersFiscal KKTNumber=\" 42 \" INN=\"7701&amp;\" Fiscal=\"true\" "
                        u"IsLottery=\"TRUE\" IsPawnshop=\"1\" IsService=\" true\" "
                        u"IsEncrypted=\"yes\" SaleAddress=\"addr\" SaleAddres=\"ignored\"/>"),
            True());
  const KKTRegistration& r = state.Registration;
  EXPECT_EQ(r.KKTNumber, u" 42 ");
  EXPECT_EQ(r.INN, u"7701&");
  EXPECT_EQ(r.SaleAddress, u"addr");
  EXPECT_EQ(r.CompanyName, u"");  // absent attributes clear their fields
  EXPECT_EQ(r.KKTSerialNumber, u"");
  EXPECT_TRUE(r.Fiscal);
  EXPECT_TRUE(r.IsLottery);
  EXPECT_TRUE(r.IsPawnshop);
  EXPECT_FALSE(r.IsService);
  EXPECT_FALSE(r.IsEncrypted);
  EXPECT_EQ(Stored(u"KKTNumber"), u" 42 ");
  EXPECT_EQ(Stored(u"CompanyName"), u"");
  EXPECT_EQ(Tape(), (Texts{kBanner, kTitleLine, std::u16string(36, u'='),
                           u"ОПЕРАЦИЯ C ФИСКАЛЬНЫМ НАКОПИТЕЛЕМ", std::u16string(36, u'=')}));
  EXPECT_EQ(Tape()[3][9], u'C');  // the Latin letter
}

TEST_F(RegistrationExchangeTest, EmptyParametersClearEverything) {
  ASSERT_EQ(OperationFN(1, u"<Parameters/>"), True());
  KKTRegistration cleared;
  EXPECT_EQ(state.Registration, cleared);
  EXPECT_EQ(process.store->values().size(), 30u);
}

TEST_F(RegistrationExchangeTest, OtherRootSavesTheRecordInMemory) {
  GetDataKKT();
  ASSERT_EQ(OperationFN(2, u"<Registration KKTNumber=\"1\"/>"), True());
  EXPECT_EQ(state.Registration.KKTNumber, u"0000000000000");
  EXPECT_EQ(Stored(u"KKTSerialNumber"), u"100000001");
  EXPECT_EQ(Stored(u"FNSerialNumber"), u"200000002");
  EXPECT_EQ(Tape().size(), 5u);
}

TEST_F(RegistrationExchangeTest, UnreadableXmlChangesNothing) {
  const KKTRegistration before = state.Registration;
  for (const char16_t* xml : {u"", u"<Parameters KKTNumber=\"1\"", u"   "}) {
    EXPECT_EQ(OperationFN(1, xml), False());
    EXPECT_NE(LastError(), u"Нет ошибок.");
    EXPECT_FALSE(LastError().empty());
  }
  EXPECT_EQ(state.Registration, before);
  EXPECT_FALSE(process.store->has_key());
  EXPECT_TRUE(Tape().empty());
}

TEST_F(RegistrationExchangeTest, OperationTypeSetsTheDeviceFlagFirst) {
  TFPEmulator device(state);
  EXPECT_TRUE(device.OperationFN(1, u"<Parameters Fiscal=\"false\"/>"));
  EXPECT_TRUE(device.FFiscal);
  EXPECT_FALSE(state.Registration.Fiscal);
  EXPECT_TRUE(device.OperationFN(2, u"<Parameters/>"));
  EXPECT_TRUE(device.FFiscal);
  EXPECT_THROW(device.OperationFN(3, u"<broken"), DriverError);
  EXPECT_FALSE(device.FFiscal);
  EXPECT_THROW(device.OperationFN(1, u""), DriverError);
  EXPECT_TRUE(device.FFiscal);
}

TEST_F(RegistrationExchangeTest, FailingStoreStillSucceeds) {
  process.store->set_cannot_create(true);
  EXPECT_EQ(OperationFN(1, u"<Parameters KKTNumber=\"9\"/>"), True());
  EXPECT_EQ(state.Registration.KKTNumber, u"9");
  EXPECT_FALSE(process.store->has_key());
  EXPECT_EQ(Tape().size(), 5u);
}

}  // namespace
}  // namespace kassivo::testing
