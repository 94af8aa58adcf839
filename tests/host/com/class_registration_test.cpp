#include "host/com/class_registration.h"

#include <gtest/gtest.h>

#include <string>

#include "common/text.h"
#include "platform/windows/wide_text.h"

namespace kassivo::com {
namespace {

// Registers under a scratch key of the current user, so the test touches no
// real class registration.
class ClassRegistrationTest : public ::testing::Test {
 protected:
  void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, Wide(kScratch)); }
  void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, Wide(kScratch)); }

  static std::u16string Default(const std::u16string& key) {
    wchar_t buffer[512] = {};
    DWORD size = sizeof buffer;
    if (RegGetValueW(HKEY_CURRENT_USER, Wide(where.prefix + key), nullptr, RRF_RT_REG_SZ, nullptr,
                     buffer, &size) != ERROR_SUCCESS) {
      return u"<missing>";
    }
    return FromWide(buffer);
  }
  static bool Exists(const std::u16string& key) {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, Wide(where.prefix + key), 0, KEY_READ, &opened) !=
        ERROR_SUCCESS) {
      return false;
    }
    RegCloseKey(opened);
    return true;
  }

  static inline const std::u16string kScratch = u"Software\\KassivoTest";
  static inline const RegistrationRoot where{HKEY_CURRENT_USER, u"Software\\KassivoTest\\"};
};

TEST_F(ClassRegistrationTest, TheClassIdInRegistryForm) {
  EXPECT_EQ(ClassIdText(), u"{6C1E4F7A-2B9D-4E53-9A61-3F0C8B2D7E15}");
}

TEST_F(ClassRegistrationTest, RegisterWritesTheFiveKeysAndUnregisterRemovesThem) {
  const std::u16string clsid = u"CLSID\\" + ClassIdText();
  ASSERT_EQ(RegisterServer(where, u"C:\\Drivers\\FPKassivo.dll"), S_OK);
  EXPECT_EQ(Default(clsid), u"Kassivo 4.0.5.1");
  EXPECT_EQ(Default(clsid + u"\\InprocServer32"), u"C:\\Drivers\\FPKassivo.dll");
  EXPECT_EQ(Default(clsid + u"\\ProgID"), u"AddIn.Kassivo");
  EXPECT_EQ(Default(u"AddIn.Kassivo"), u"Kassivo 4.0.5.1");
  EXPECT_EQ(Default(u"AddIn.Kassivo\\Clsid"), ClassIdText());
  // No threading model is written.
  wchar_t model[64] = {};
  DWORD size = sizeof model;
  EXPECT_NE(RegGetValueW(HKEY_CURRENT_USER, Wide(where.prefix + clsid + u"\\InprocServer32"),
                         L"ThreadingModel", RRF_RT_ANY, nullptr, model, &size),
            ERROR_SUCCESS);

  ASSERT_EQ(UnregisterServer(where), S_OK);
  EXPECT_FALSE(Exists(clsid));
  EXPECT_FALSE(Exists(u"AddIn.Kassivo"));
  // Unregistering what is not registered succeeds.
  EXPECT_EQ(UnregisterServer(where), S_OK);
}

TEST_F(ClassRegistrationTest, AKeyThatCannotBeWrittenFailsTheRegistration) {
  // A key name longer than the registry allows cannot be created.
  const RegistrationRoot unwritable{HKEY_CURRENT_USER,
                                    where.prefix + std::u16string(300, u'k') + u"\\"};
  EXPECT_EQ(RegisterServer(unwritable, u"C:\\x.dll"), E_FAIL);
  EXPECT_EQ(InstallServer(true, unwritable, u"C:\\x.dll"), E_FAIL);
}

HRESULT RegisterThenFail(const RegistrationRoot& where, const std::u16string& path) {
  RegisterServer(where, path);
  return E_FAIL;
}

TEST_F(ClassRegistrationTest, AFailedInstallLeavesNothingBehind) {
  EXPECT_EQ(InstallServer(true, where, u"C:\\x.dll", RegisterThenFail), E_FAIL);
  EXPECT_FALSE(Exists(u"CLSID\\" + ClassIdText()));
  EXPECT_FALSE(Exists(u"AddIn.Kassivo"));
  EXPECT_EQ(InstallServer(true, where, u"C:\\x.dll"), S_OK);
  EXPECT_EQ(Default(u"AddIn.Kassivo\\Clsid"), ClassIdText());
  EXPECT_EQ(InstallServer(false, where, u""), S_OK);
  EXPECT_FALSE(Exists(u"AddIn.Kassivo"));
}

TEST_F(ClassRegistrationTest, PathsWithSpacesAreGivenInShortForm) {
  EXPECT_FALSE(ServerPath(nullptr).empty());  // this test program
  wchar_t temp[MAX_PATH] = {};
  ASSERT_GT(GetTempPathW(MAX_PATH, temp), 0u);
  const std::u16string folder = FromWide(temp) + u"kassivo spaced folder";
  const std::u16string file = folder + u"\\FPKassivo.dll";
  CreateDirectoryW(Wide(folder), nullptr);
  HANDLE handle = CreateFileW(Wide(file), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(handle, INVALID_HANDLE_VALUE);
  CloseHandle(handle);
  const std::u16string registered = ShortFormWhenSpaced(file);
  EXPECT_EQ(registered.find(u' '), std::u16string::npos) << ToUtf8(registered);
  EXPECT_NE(GetFileAttributesW(Wide(registered)), INVALID_FILE_ATTRIBUTES) << ToUtf8(registered);
  EXPECT_EQ(ShortFormWhenSpaced(u"C:\\NoSpaces\\x.dll"), u"C:\\NoSpaces\\x.dll");
  DeleteFileW(Wide(file));
  RemoveDirectoryW(Wide(folder));
}

TEST_F(ClassRegistrationTest, PerUserCommandLine) {
  EXPECT_TRUE(IsPerUser(L"user"));
  EXPECT_TRUE(IsPerUser(L"USER"));
  EXPECT_TRUE(IsPerUser(L"User"));
  EXPECT_FALSE(IsPerUser(L""));
  EXPECT_FALSE(IsPerUser(nullptr));
  EXPECT_FALSE(IsPerUser(L"users"));
}

}  // namespace
}  // namespace kassivo::com
