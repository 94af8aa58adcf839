#include "platform/windows/registry_store.h"

#include <gtest/gtest.h>

#include "platform/windows/wide_text.h"

namespace kassivo {
namespace {

class RegistryStoreTest : public ::testing::Test {
 protected:
  void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, Wide(kPath)); }
  void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, Wide(kPath)); }

  static void Set(const wchar_t* name, DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, Wide(kPath), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size),
              ERROR_SUCCESS);
    RegCloseKey(key);
  }

  static inline const std::u16string kPath = u"Software\\KassivoTest\\Store";
  RegistryStore store{HKEY_CURRENT_USER, kPath};
};

TEST_F(RegistryStoreTest, AMissingKeyReadsAsNone) {
  EXPECT_EQ(store.Read(), std::nullopt);
}

TEST_F(RegistryStoreTest, WrittenValuesReadBackWithTheirTypes) {
  auto writer = store.OpenForWrite();  // creates the keys above it
  ASSERT_NE(writer, nullptr);
  EXPECT_TRUE(writer->Write(u"KKTNumber", StoredValue::Text(u"0001 \"Ромашка\"")));
  EXPECT_TRUE(writer->Write(u"CompanyName", StoredValue::Text(u"")));
  EXPECT_TRUE(writer->Write(u"Fiscal", StoredValue::DWord(1)));
  StoredValue expand = StoredValue::Text(u"%USERPROFILE%\\x");
  expand.type = StoredValue::Type::kExpandText;
  EXPECT_TRUE(writer->Write(u"FNSURL", expand));
  EXPECT_TRUE(writer->Commit());
  writer.reset();

  const auto values = store.Read();
  ASSERT_TRUE(values);
  EXPECT_EQ(values->size(), 4u);
  EXPECT_EQ(values->at(u"KKTNumber"), StoredValue::Text(u"0001 \"Ромашка\""));
  EXPECT_EQ(values->at(u"CompanyName"), StoredValue::Text(u""));  // empty, not missing
  EXPECT_EQ(values->at(u"Fiscal"), StoredValue::DWord(1));
  EXPECT_EQ(values->at(u"FNSURL"), expand);  // never expanded
}

TEST_F(RegistryStoreTest, ValuesOtherHandsWroteAreReadAsTheyAre) {
  const wchar_t text[] = L"a\0b";  // cut at the first NUL
  Set(L"Cut", REG_SZ, text, sizeof text);
  Set(L"NoData", REG_SZ, nullptr, 0);
  const wchar_t unterminated[] = {L'x', L'y'};
  Set(L"Unterminated", REG_SZ, unterminated, sizeof unterminated);
  const DWORD two = 2;
  Set(L"Two", REG_DWORD, &two, sizeof two);
  const unsigned char bytes[] = {1, 2, 3};
  Set(L"Binary", REG_BINARY, bytes, sizeof bytes);
  const unsigned long long wide = 5;
  Set(L"Qword", REG_QWORD, &wide, sizeof wide);
  const auto values = store.Read();
  ASSERT_TRUE(values);
  EXPECT_EQ(values->at(u"Cut"), StoredValue::Text(u"a"));
  EXPECT_EQ(values->at(u"NoData"), StoredValue::Text(u""));
  EXPECT_EQ(values->at(u"Unterminated"), StoredValue::Text(u"xy"));
  EXPECT_EQ(values->at(u"Two"), StoredValue::DWord(2));
  EXPECT_EQ(values->at(u"Binary").type, StoredValue::Type::kOther);
  EXPECT_EQ(values->at(u"Qword").type, StoredValue::Type::kOther);
}

TEST_F(RegistryStoreTest, LongNamesAndValuesAreReadWhole) {
  auto writer = store.OpenForWrite();
  ASSERT_NE(writer, nullptr);
  const std::u16string long_text(100000, u'Ж');
  EXPECT_TRUE(writer->Write(u"Long", StoredValue::Text(long_text)));
  writer.reset();
  EXPECT_EQ(store.Read()->at(u"Long").text, long_text);
}

TEST_F(RegistryStoreTest, AKeyThatCannotBeCreatedGivesNoWriter) {
  // A key name longer than the registry allows.
  RegistryStore nowhere{HKEY_CURRENT_USER, kPath + u"\\" + std::u16string(300, u'k')};
  EXPECT_EQ(nowhere.OpenForWrite(), nullptr);
  EXPECT_EQ(nowhere.Read(), std::nullopt);
}

}  // namespace
}  // namespace kassivo
