#include <gtest/gtest.h>

#include "common/text.h"
#include "device/emulator.h"
#include "platform/host_platform.h"
#include "support/test_platform.h"

namespace kassivo {
namespace {

using testing::TestProcess;

const std::u16string kStart =
    u"<?xml version=\"1.0\" encoding=\"UTF-8\" ?><Settings><Page Caption=\"Параметры "
    u"устройства\"><Group Caption=\"Параметры подключения\"> <Parameter Name=\"Size\" "
    u"Caption=\"Ширина эмулируемой чековой ленты\" TypeValue=\"Number\" DefaultValue=\"36\" "
    u"Description=\"Ширина в символах эмулируемой чековой ленты на экране\">    <ChoiceList>  "
    u"     <Item Value=\"24\">24 символа</Item>";
const std::u16string kEnd =
    u" <Parameter Name=\"ThresholdPositiveOperations\" Caption=\"Порог положительных операций "
    u"(руб)\" TypeValue=\"Number\" DefaultValue=\"100\"/></Group></Page></Settings>";

bool StartsWith(const std::u16string& text, const std::u16string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}
bool EndsWith(const std::u16string& text, const std::u16string& suffix) {
  return text.size() >= suffix.size() &&
         text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}
bool Contains(const std::u16string& text, const std::u16string& part) {
  return text.find(part) != std::u16string::npos;
}

// The DefaultValue of a parameter found by parsing the description.
std::u16string DefaultOf(const std::u16string& xml, std::u16string_view name) {
  const XmlDocument document = MakeHostXmlParser()->Parse(xml);
  for (const XmlNode& page : document.root.children) {
    for (const XmlNode& group : page.children) {
      for (const XmlNode& parameter : group.children) {
        if (*parameter.FindAttribute(u"Name") == name) {
          return std::u16string(*parameter.FindAttribute(u"DefaultValue"));
        }
      }
    }
  }
  ADD_FAILURE() << "no parameter";
  return u"";
}

class SettingsDescriptionTest : public ::testing::Test {
 protected:
  std::u16string Settings() const { return TFPEmulator::GetParamsListToXML(*process.state); }
  TestProcess process;
};

TEST_F(SettingsDescriptionTest, StartsAndEndsExactlyOnOneLine) {
  const std::u16string xml = Settings();
  EXPECT_TRUE(StartsWith(xml, kStart));
  EXPECT_TRUE(EndsWith(xml, kEnd));
  EXPECT_EQ(xml.find_first_of(u"\r\n"), std::u16string::npos);
}

TEST_F(SettingsDescriptionTest, ChoiceListLayouts) {
  const std::u16string xml = Settings();
  EXPECT_TRUE(Contains(xml,
                       u"<Item Value=\"64\">64 символа</Item>    </ChoiceList> </Parameter> "
                       u"<Parameter Name=\"WindowShowType\" Caption=\"Отображение окна "
                       u"эмулируемого чека на экране\" TypeValue=\"Number\" DefaultValue=\"2\" "
                       u"Description=\"Отображение окна эмулируемого чека на "
                       u"экране\"><ChoiceList><Item Value=\"0\">Не показывать</Item><Item "
                       u"Value=\"1\">Показывать всегда</Item>"));
  EXPECT_TRUE(Contains(xml,
                       u"<Item Value=\"4\">Скрывать через 60 секунд</Item></ChoiceList>"
                       u"</Parameter> <Parameter Name=\"Cur\" Caption=\"Наименование валюты\" "
                       u"TypeValue=\"String\" DefaultValue=\"РУБ.\" Description=\"Наименование "
                       u"валюты в эмулируемом чеке\"/></Group></Page><Page "
                       u"Caption=\"ФН/Основное\"><Group Caption=\"Основное\"> <Parameter "
                       u"Name=\"KKTNumber\" Caption=\"Регистрационный номер ККТ\" "
                       u"TypeValue=\"String\" ReadOnly=\"True\" DefaultValue=\"\"/>"));
  EXPECT_TRUE(Contains(xml,
                       u"DefaultValue=\"1\">    <ChoiceList>       <Item Value=\"1\">Планируемый "
                       u"статус товара корректен</Item>       <Item Value=\"2\">"));
  EXPECT_TRUE(Contains(xml,
                       u"<Item Value=\"2\">Указанный в запросе код маркировки имеет некорректный "
                       u"формат (не распознан)</Item>    </ChoiceList> </Parameter></Group></Page>"
                       u"<Page Caption=\"Платежные операции\"><Group Caption=\"Основное\"> "
                       u"<Parameter Name=\"PrintSlipOnTerminal\" Caption=\"Печать квитанций на "
                       u"терминале\" TypeValue=\"Boolean\" ReadOnly=\"True\" "
                       u"DefaultValue=\"True\"/>"));
  EXPECT_TRUE(Contains(xml,
                       u"<Parameter Name=\"KKTSerialNumber\" Caption=\"Заводской номер ККТ\" "
                       u"TypeValue=\"String\" ReadOnly=\"False\" DefaultValue=\"\"/>"));
}

TEST_F(SettingsDescriptionTest, ParsesIntoPagesGroupsAndParameters) {
  const XmlDocument document = MakeHostXmlParser()->Parse(Settings());
  ASSERT_EQ(document.root.name, u"Settings");
  std::vector<std::u16string> pages;
  std::vector<std::size_t> groups;
  std::vector<std::u16string> names;
  for (const XmlNode& page : document.root.children) {
    pages.emplace_back(*page.FindAttribute(u"Caption"));
    groups.push_back(page.children.size());
    for (const XmlNode& group : page.children) {
      for (const XmlNode& parameter : group.children) {
        EXPECT_TRUE(parameter.Is(u"Parameter"));
        names.emplace_back(*parameter.FindAttribute(u"Name"));
      }
    }
  }
  EXPECT_EQ(pages,
            (std::vector<std::u16string>{u"Параметры устройства", u"ФН/Основное",
                                         u"ФН/Режимы работы", u"ФФД 1.2", u"Платежные операции"}));
  EXPECT_EQ(groups, (std::vector<std::size_t>{1, 3, 1, 2, 1}));
  EXPECT_EQ(names, (std::vector<std::u16string>{u"Size",
                                                u"WindowShowType",
                                                u"Cur",
                                                u"KKTNumber",
                                                u"KKTSerialNumber",
                                                u"FNSerialNumber",
                                                u"Fiscal",
                                                u"CompanyName",
                                                u"INN",
                                                u"SaleAddress",
                                                u"SaleLocation",
                                                u"TaxationSystems",
                                                u"OFDCompany",
                                                u"OFDCompanyINN",
                                                u"SenderEmail",
                                                u"FNSURL",
                                                u"IsOffline",
                                                u"IsEncrypted",
                                                u"IsService",
                                                u"IsExcisable",
                                                u"IsGambling",
                                                u"IsLottery",
                                                u"AgentTypes",
                                                u"BSOSing",
                                                u"IsOnlineOnly",
                                                u"IsAutomaticPrinter",
                                                u"IsAutomatic",
                                                u"AutomaticNumber",
                                                u"FFD12_Checking",
                                                u"FFD12_CheckingResult",
                                                u"FFD12_OISM_Result",
                                                u"FFD12_OISM_StatusInfo",
                                                u"FFD12_OISM_HandleCode",
                                                u"PrintSlipOnTerminal",
                                                u"ThresholdPositiveOperations"}));
}

TEST_F(SettingsDescriptionTest, FreshProcessHasEmptyRegistration) {
  const std::u16string xml = Settings();
  EXPECT_EQ(DefaultOf(xml, u"KKTNumber"), u"");
  EXPECT_EQ(DefaultOf(xml, u"CompanyName"), u"");
  EXPECT_EQ(DefaultOf(xml, u"Fiscal"), u"False");
  EXPECT_EQ(DefaultOf(xml, u"IsAutomatic"), u"False");
}

TEST_F(SettingsDescriptionTest, FollowsTheRegistrationInMemoryOnly) {
  auto component = process.NewComponent();
  testing::OpenDevice(*component);
  std::u16string xml = Settings();
  EXPECT_EQ(DefaultOf(xml, u"KKTNumber"), u"0000000000000");
  EXPECT_EQ(DefaultOf(xml, u"FNSerialNumber"), u"0000000000000");
  EXPECT_TRUE(Contains(xml, u"DefaultValue=\"ООО &#34;ТЕСТОВАЯ ОРГАНИЗАЦИЯ&#34;\""));

  process.state->Registration.KKTSerialNumber = u"100000001";
  process.state->Registration.IsLottery = true;
  xml = Settings();
  EXPECT_EQ(DefaultOf(xml, u"KKTSerialNumber"), u"100000001");
  EXPECT_EQ(DefaultOf(xml, u"IsLottery"), u"True");
}

TEST_F(SettingsDescriptionTest, FixedDefaultsIgnoreSetParameter) {
  process.state->Settings.Size = 48;
  process.state->Settings.WindowShowType = 0;
  process.state->Settings.FFD12_Checking = false;
  process.state->Settings.ThresholdPositiveOperations = 5;
  const std::u16string xml = Settings();
  EXPECT_EQ(DefaultOf(xml, u"Size"), u"36");
  EXPECT_EQ(DefaultOf(xml, u"WindowShowType"), u"2");
  EXPECT_EQ(DefaultOf(xml, u"FFD12_Checking"), u"True");
  EXPECT_EQ(DefaultOf(xml, u"ThresholdPositiveOperations"), u"100");
}

TEST_F(SettingsDescriptionTest, EveryRegistrationTextIsEscaped) {
  const std::u16string nasty = u"x\"<&>'\r\ny";
  KKTRegistration& r = process.state->Registration;
  for (std::u16string* field :
       {&r.KKTNumber, &r.KKTSerialNumber, &r.FNSerialNumber, &r.CompanyName, &r.INN, &r.SaleAddress,
        &r.SaleLocation, &r.TaxationSystems, &r.OFDCompany, &r.OFDCompanyINN, &r.SenderEmail,
        &r.FNSURL, &r.AgentTypes, &r.AutomaticNumber}) {
    *field = nasty;
  }
  const std::u16string xml = Settings();
  EXPECT_EQ(xml.find_first_of(u"\r\n"), std::u16string::npos);
  EXPECT_TRUE(Contains(xml, u"DefaultValue=\"x&#34;&#60;&#38;&#62;&#39;&#13;&#10;y\""));
  for (const char16_t* name : {u"KKTNumber", u"KKTSerialNumber", u"TaxationSystems", u"AgentTypes",
                               u"CompanyName", u"AutomaticNumber"}) {
    EXPECT_EQ(DefaultOf(xml, name), nasty) << ToUtf8(name);
  }
}

TEST_F(SettingsDescriptionTest, PlainCodeListsComeOutUnchanged) {
  process.state->Registration.TaxationSystems = u"0,1, 2";
  process.state->Registration.AgentTypes = u"Agent 7";
  const std::u16string xml = Settings();
  EXPECT_TRUE(Contains(xml, u"DefaultValue=\"0,1, 2\""));
  EXPECT_TRUE(Contains(xml, u"DefaultValue=\"Agent 7\""));
}

TEST(ActionsDescription, ExactText) {
  EXPECT_EQ(TFPEmulator::GetAddParamsListToXML(),
            u"<?xml version=\"1.0\" encoding=\"UTF-8\" ?><Actions>   <Action Name=\"Test\" "
            u"Caption=\"Тестовая операция\"/></Actions>");
}

TEST(ActionsDescription, ThroughTheDispatcher) {
  TestProcess process;
  auto component = process.NewComponent();
  for (const char16_t* method : {u"GetAdditionalActions", u"GetParameters"}) {
    ArgumentArray args({Value()});
    EXPECT_EQ(testing::Call(*component, method, args), Value::Boolean(true));
    ASSERT_EQ(args.Get(0).kind(), Value::Kind::kText);
    EXPECT_TRUE(StartsWith(args.Get(0).text(), u"<?xml version=\"1.0\" encoding=\"UTF-8\" ?>"));
  }
}

}  // namespace
}  // namespace kassivo
