#include "document_fixture.h"

namespace kassivo::testing {
namespace {

using Texts = std::vector<std::u16string>;

class TextDocumentTest : public DocumentTest {
 protected:
  Value Print(std::u16string package) {
    return Run(u"PrintTextDocument", {Value::Text(id), Value::Text(std::move(package))});
  }
  // The entries after the banner and title line.
  Texts Body() const {
    const Texts all = Tape();
    EXPECT_GE(all.size(), 2u);
    EXPECT_EQ(all.at(0), kBanner);
    return Texts(all.begin() + 2, all.end());
  }
};

TEST_F(TextDocumentTest, TextStringsAndBarcodesInOrder) {
  EXPECT_EQ(Print(u"<Document><Positions>"
                  u"<TextString Text=\"Спасибо за покупку!\"/>"
                  u"<Barcode Type=\"QR\" Value=\"t=20240305\"/>"
                  u"<Barcode Type=\"EAN13\" ValueBase64=\"NDYwMTIz\" Value=\"ignored\"/>"
                  u"<Barcode Type=\"PDF417\" ValueBase64=\"\" Value=\"ignored\"/>"
                  u"<TextString/>"
                  u"<Barcode Value=\"123\"/>"
                  u"<Barcode Type=\"CODE39\"/>"
                  u"<TextString Text=\"  &lt;raw&gt; &amp; untrimmed  \"/>"
                  u"</Positions></Document>"),
            True());
  EXPECT_EQ(Body(), (Texts{u"Спасибо за покупку!", u"QR t=20240305", u"EAN13 NDYwMTIz", u"PDF417 ",
                           u"", u" 123", u"CODE39 ", u"  <raw> & untrimmed  "}));
  for (const TapeEntry& entry : state.Receipt.entries()) {
    EXPECT_EQ(entry.alignment, AlignCenter);
  }
  EXPECT_EQ(Output(0), id);
  EXPECT_EQ(LastError(), u"Нет ошибок.");
}

TEST_F(TextDocumentTest, OtherNodesLeaveNoTrace) {
  EXPECT_EQ(Print(u"<Document>\n <Positions>\n  <TextString Text=\"a\"/>\n  <Unknown Text=\"x\"/>"
                  u"<!-- comment --><FiscalString Name=\"n\"/>stray text<textstring Text=\"y\"/>"
                  u"<TextString Text=\"b\"/>\n </Positions>\n</Document>"),
            True());
  EXPECT_EQ(Body(), (Texts{u"a", u"b"}));
}

TEST_F(TextDocumentTest, PositionsMustBeTheFirstChild) {
  EXPECT_EQ(Print(u"<Document><Parameters/><Positions><TextString Text=\"a\"/></Positions>"
                  u"</Document>"),
            True());
  EXPECT_EQ(Body(), Texts{});
  EXPECT_EQ(Print(u"<Document><!-- c --><Positions><TextString Text=\"a\"/></Positions>"
                  u"</Document>"),
            True());
  EXPECT_EQ(Body(), Texts{});
  EXPECT_EQ(Print(u"<Positions><TextString Text=\"root is not examined\"/></Positions>"), True());
  EXPECT_EQ(Body(), Texts{});  // the root's first child is the TextString
}

TEST_F(TextDocumentTest, LongTextIsCutAtTheWidth) {
  SetParameter(u"Size", Value::Integer(24));
  Print(u"<d><Positions><TextString Text=\"" + std::u16string(30, u'ж') + u"\"/></Positions></d>");
  EXPECT_EQ(Body(), Texts{std::u16string(24, u'ж')});
}

TEST_F(TextDocumentTest, UnreadablePackageFailsWithTheDocumentBegun) {
  for (const char16_t* package : {u"", u"<Document><Positions>", u"<Document/>", u"plain"}) {
    SCOPED_TRACE(ToUtf8(package));
    ASSERT_EQ(Run(u"OpenCashDrawer", {Value::Text(id)}), True());
    EXPECT_EQ(Print(package), False());
    const std::u16string message = LastError();
    EXPECT_NE(message, u"Нет ошибок.");
    EXPECT_FALSE(message.empty());
    EXPECT_EQ(Output(0), id);
    EXPECT_EQ(Body(), Texts{});

    // GetLastError hands the same message out.
    ArgumentArray args({Value()});
    EXPECT_EQ(Call(*component, u"GetLastError", args), Value::Integer(0));
    EXPECT_EQ(args.Get(0), Value::Text(message));
  }
}

TEST_F(TextDocumentTest, CheckCopyPrintsTheSameNoticeForAnyNumber) {
  const Texts notice = {kBanner, kTitleLine, u"ПЕЧАТЬ КОПИИ ЧЕКА", u"Эмулятор ККТ тест чека",
                        u"на экран не выводит"};
  for (const Value& number : {Value::Text(u"1"), Value::Text(u"999"), Value::Integer(5), Value()}) {
    EXPECT_EQ(Run(u"PrintCheckCopy", {Value::Text(id), number}), True());
    EXPECT_EQ(Tape(), notice);
    EXPECT_FALSE(last.WasWritten(1));
  }
}

TEST_F(TextDocumentTest, NothingPrintedWithShowTypeZero) {
  SetParameter(u"WindowShowType", Value::Integer(0));
  EXPECT_EQ(Print(u"<d><Positions><TextString Text=\"a\"/></Positions></d>"), True());
  EXPECT_EQ(Run(u"PrintCheckCopy", {Value::Text(id), Value::Text(u"1")}), True());
  EXPECT_TRUE(Tape().empty());
}

}  // namespace
}  // namespace kassivo::testing
