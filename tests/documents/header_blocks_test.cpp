#include "documents/header_blocks.h"

#include <gtest/gtest.h>

#include "support/test_platform.h"

namespace kassivo {
namespace {

using testing::TapeTexts;
using testing::TestProcess;
using Texts = std::vector<std::u16string>;

class HeaderBlocksTest : public ::testing::Test {
 protected:
  HeaderBlocksTest() : state(*process.state) {
    LoadRegistration(state.Registration, *process.store);  // the defaults
  }

  // The entries printed after BeginDocument's two.
  Texts Printed() const {
    const Texts all = TapeTexts(state);
    return Texts(all.begin() + 2, all.end());
  }

  TestProcess process;
  ProcessState& state;
};

TEST_F(HeaderBlocksTest, FullHeaderWithDefaultRegistration) {
  state.Receipt.BeginDocument();
  PrintDocumentHeader(state, u"СМЕНА ОТКРЫТА", u"", u"", u"", u"");
  const Texts expected = {
      std::u16string(36, u'-'),
      u"ООО \"ТЕСТОВАЯ ОРГАНИЗАЦИЯ\"",
      u"Г.МОСКВА, УЛ.ФЕДЕРАЛЬНАЯ Д6.",
      u"2 ЭТАЖ",
      u"ИНН:0000000000000РН ККТ:000000000000",
      u"ККТ:0000000000000   ФН:0000000000000",
      u"СМЕНА ОТКРЫТА",
      u"КАССИР: " + std::u16string(28, u' '),
      u"КАССИР ИНН : " + std::u16string(23, u' '),
      u"",
      u"",
  };
  EXPECT_EQ(Printed(), expected);
  const auto& entries = state.Receipt.entries();
  EXPECT_EQ(entries[2 + 7].alignment, AlignLeft);
  EXPECT_EQ(entries[2 + 8].alignment, AlignLeft);
  EXPECT_EQ(entries[2 + 9].alignment, AlignCenter);
}

TEST_F(HeaderBlocksTest, HeaderFormTrimsUnquotesAndUpperCases) {
  EXPECT_EQ(HeaderForm(state, u" \t ооо &quot;ромашка&quot; and co\r\n "),
            u"ООО \"РОМАШКА\" AND CO");
  EXPECT_EQ(HeaderForm(state, u"&QUOT;x&quot"), u"&QUOT;X&QUOT");  // exact entity only
  EXPECT_EQ(HeaderForm(state, u"Straße 5"), state.platform().upper->ToUpper(u"Straße 5"));
  EXPECT_EQ(HeaderForm(state, u"\u00A0ё\u00A0"), u"\u00A0Ё\u00A0");  // no-break space stays
  EXPECT_EQ(HeaderForm(state, u"   "), u"");
}

TEST_F(HeaderBlocksTest, JustifiedPairsFillOrJoin) {
  state.Registration.INN = u"1234567890";
  state.Registration.KKTNumber = u"1234567890123456";
  state.Registration.KKTSerialNumber = u"123456789";
  state.Registration.FNSerialNumber = u"987654321";
  state.Receipt.BeginDocument();
  PrintDocumentHeader(state, u"T", u"", u"", u"", u"");
  // 14 + 23 characters exceed 36: joined and cut, losing the last digit.
  EXPECT_EQ(Printed()[4], u"ИНН:1234567890РН ККТ:123456789012345");
  // 13 + 12 characters: eleven spaces between them.
  EXPECT_EQ(Printed()[5], u"ККТ:123456789" + std::u16string(11, u' ') + u"ФН:987654321");

  state.Settings.Size = 24;
  state.Receipt.BeginDocument();
  PrintDocumentHeader(state, u"T", u"", u"", u"", u"");
  EXPECT_EQ(Printed()[4], u"ИНН:1234567890РН ККТ:123");
  EXPECT_EQ(Printed()[5], u"ККТ:123456789ФН:98765432");
}

TEST_F(HeaderBlocksTest, RegistrationValuesInPairsAreUsedAsStored) {
  state.Registration.INN = u" abc ";
  state.Registration.KKTNumber = u"x&quot;";
  state.Receipt.BeginDocument();
  PrintDocumentHeader(state, u"T", u"", u"", u"", u"");
  EXPECT_EQ(Printed()[4], u"ИНН: abc " + std::u16string(36 - 9 - 14, u' ') + u"РН ККТ:x&quot;");
}

TEST_F(HeaderBlocksTest, CallerTextsArePrintedAsPassed) {
  state.Receipt.BeginDocument();
  PrintDocumentHeader(state, u"title in lower case", u"иванов и.и.", u"7701",
                      u"ул. &quot;Ленина&quot;", u" зал 2 ");
  const Texts printed = Printed();
  EXPECT_EQ(printed[6], u"title in lower case");
  EXPECT_EQ(printed[7], u"КАССИР: иванов и.и." + std::u16string(17, u' '));
  EXPECT_EQ(printed[8], u"КАССИР ИНН : 7701" + std::u16string(19, u' '));
  EXPECT_EQ(printed[9], u"ул. &quot;Ленина&quot;");
  EXPECT_EQ(printed[10], u" зал 2 ");
}

TEST_F(HeaderBlocksTest, EmptyRegistrationPrintsEmptyEntries) {
  state.Registration = KKTRegistration{};
  state.Receipt.BeginDocument();
  PrintDocumentHeader(state, u"T", u"", u"", u"", u"");
  const Texts printed = Printed();
  ASSERT_EQ(printed.size(), 11u);
  EXPECT_EQ(printed[1], u"");
  EXPECT_EQ(printed[4], u"ИНН:" + std::u16string(25, u' ') + u"РН ККТ:");
  EXPECT_EQ(printed[5], u"ККТ:" + std::u16string(29, u' ') + u"ФН:");
}

TEST_F(HeaderBlocksTest, ShortHeaderHasSixEntriesAndItsOwnInnLabel) {
  state.Receipt.BeginDocument();
  PrintShortHeader(state, u"ИТОГИ ДНЯ");
  EXPECT_EQ(Printed(), (Texts{std::u16string(36, u'-'), u"ООО \"ТЕСТОВАЯ ОРГАНИЗАЦИЯ\"",
                              u"Г.МОСКВА, УЛ.ФЕДЕРАЛЬНАЯ Д6.", u"2 ЭТАЖ", u"ИНН :0000000000000",
                              u"ИТОГИ ДНЯ"}));
}

TEST_F(HeaderBlocksTest, NothingWithShowTypeZero) {
  state.Settings.WindowShowType = 0;
  PrintDocumentHeader(state, u"T", u"a", u"b", u"c", u"d");
  PrintShortHeader(state, u"T");
  EXPECT_TRUE(state.Receipt.entries().empty());
}

TEST_F(HeaderBlocksTest, HugeSizeJustifiesWithinTheCappedWidth) {
  state.Settings.Size = 2'000'000'000;
  state.Receipt.BeginDocument();
  PrintDocumentHeader(state, u"T", u"", u"", u"", u"");
  const Texts printed = Printed();
  EXPECT_EQ(printed[4].size(), 1024u);
  EXPECT_EQ(printed[4].substr(1024 - 20), u"РН ККТ:0000000000000");
  EXPECT_EQ(printed[5].size(), 1024u);
}

}  // namespace
}  // namespace kassivo
