// The receipt window's system menu: the driver options' items switch the
// options, save them, mark the caption, and follow changes made elsewhere.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <mutex>
#include <string>

#include "receipt_window_screen.h"

namespace kassivo {
namespace {

bool Checked(HWND window, UINT command) {
  return (GetMenuState(GetSystemMenu(window, FALSE), command, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

std::u16string MenuText(HWND window, UINT command) {
  wchar_t text[128] = {};
  const int length = GetMenuStringW(GetSystemMenu(window, FALSE), command, text, 128, MF_BYCOMMAND);
  return std::u16string(reinterpret_cast<const char16_t*>(text),
                        static_cast<std::size_t>(std::max(length, 0)));
}

TEST_F(ReceiptWindowScreenTest, TheSystemMenuSwitchesTheDriverOptionsAndSavesThem) {
  using Command = ReceiptWindowPresenter;
  PrintDocument(1);
  HWND window = presenter_.window();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(MenuText(window, Command::kStrictCommand), u"Строгий режим (как реальная ККТ)");
  EXPECT_EQ(MenuText(window, Command::kJournalCommand), u"Журнал вызовов");
  EXPECT_FALSE(Checked(window, Command::kStrictCommand));
  EXPECT_FALSE(Checked(window, Command::kJournalCommand));

  // Strict mode on: held for the next call, saved, marked in the caption.
  SendMessageW(window, WM_SYSCOMMAND, Command::kStrictCommand, 0);
  EXPECT_EQ(Caption(window), u"Кассиво: лента — строгий режим");
  EXPECT_TRUE(Checked(window, Command::kStrictCommand));
  {
    std::lock_guard<CallLock> lock(state_.call_lock);
    EXPECT_TRUE(state_.Options.Strict);
    EXPECT_EQ(state_.Options.Origin.Strict, OptionOrigin::kChanged);
  }
  EXPECT_EQ(options_store_->values().at(u"Strict"), StoredValue::DWord(1));

  // The journal item switches between off and the user's local folder.
  SendMessageW(window, WM_SYSCOMMAND, Command::kJournalCommand, 0);
  EXPECT_EQ(options_store_->values().at(u"Journal"),
            StoredValue::Text(u"C:\\Users\\кассир\\AppData\\Local\\Kassivo\\journal.txt"));
  EXPECT_TRUE(Checked(window, Command::kJournalCommand));
  SendMessageW(window, WM_SYSCOMMAND, Command::kJournalCommand, 0);
  EXPECT_EQ(options_store_->values().at(u"Journal"), StoredValue::Text(u""));
  EXPECT_FALSE(Checked(window, Command::kJournalCommand));
  EXPECT_EQ(Caption(window), u"Кассиво: лента — строгий режим");

  // A right click on the tape still hides the window; shown again, the mark stays.
  SendMessageW(window, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(50, 50));
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_TRUE(state_.Options.Strict);
  state_.WindowCaption = u"Вторая касса";
  PrintDocument(1);
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(Caption(window), u"Вторая касса — строгий режим");

  // While a driver call on this thread pumps messages, the menu changes nothing.
  {
    std::lock_guard<CallLock> lock(state_.call_lock);
    SendMessageW(window, WM_SYSCOMMAND, Command::kStrictCommand, 0);
    EXPECT_TRUE(state_.Options.Strict);
  }
  EXPECT_EQ(options_store_->writes(), 3);

  // Off again: the caption loses its mark, the store says so.
  SendMessageW(window, WM_SYSCOMMAND, Command::kStrictCommand, 0);
  EXPECT_EQ(Caption(window), u"Вторая касса");
  EXPECT_FALSE(Checked(window, Command::kStrictCommand));
  EXPECT_EQ(options_store_->values().at(u"Strict"), StoredValue::DWord(0));

  // Switched on elsewhere (not through the menu), the window follows at its next update.
  {
    std::lock_guard<CallLock> lock(state_.call_lock);
    state_.Options.Strict = true;
  }
  PrintDocument(1);
  EXPECT_EQ(Caption(window), u"Вторая касса — строгий режим");
  EXPECT_TRUE(Checked(window, Command::kStrictCommand));

  // Other system commands still reach the system: the close command hides.
  SendMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_FALSE(IsWindowVisible(window));
}

TEST_F(ReceiptWindowScreenTest, TheFaultsSubmenuSetsFaultsForTheNextCallAndSavesThem) {
  using Command = ReceiptWindowPresenter;
  PrintDocument(1);
  HWND window = presenter_.window();
  ASSERT_NE(window, nullptr);
  const UINT paper_out = Command::FaultItemCommand(0);  // kCommonFaults[0]: paper=out
  const UINT ofd_offline = Command::FaultItemCommand(8);
  EXPECT_EQ(MenuText(window, paper_out), u"Нет бумаги");
  EXPECT_EQ(MenuText(window, Command::kLoadPaperCommand), u"Заправить бумагу");
  EXPECT_EQ(MenuText(window, Command::kClearFaultsCommand), u"Сбросить все неисправности");
  EXPECT_FALSE(Checked(window, paper_out));

  SendMessageW(window, WM_SYSCOMMAND, paper_out, 0);
  SendMessageW(window, WM_SYSCOMMAND, ofd_offline, 0);
  EXPECT_TRUE(Checked(window, paper_out));
  EXPECT_TRUE(Checked(window, ofd_offline));
  EXPECT_EQ(Caption(window), u"Кассиво: лента — неисправности");
  {
    std::lock_guard<CallLock> lock(state_.call_lock);
    EXPECT_EQ(state_.Faults.paper, PaperState::kOut);
    EXPECT_EQ(state_.FaultChanges,
              (std::vector<std::u16string>{u"paper=out", u"ofd=offline:age=31d"}));
  }
  EXPECT_EQ(options_store_->values().at(u"Faults"), StoredValue::Text(u"paper=out,ofd=offline"));

  // Paper loaded: the item follows; the OFD still marks the caption.
  SendMessageW(window, WM_SYSCOMMAND, Command::kLoadPaperCommand, 0);
  EXPECT_FALSE(Checked(window, paper_out));
  EXPECT_EQ(options_store_->values().at(u"Faults"), StoredValue::Text(u"ofd=offline"));
  EXPECT_EQ(Caption(window), u"Кассиво: лента — неисправности");
  SendMessageW(window, WM_SYSCOMMAND, Command::kClearFaultsCommand, 0);
  EXPECT_EQ(Caption(window), u"Кассиво: лента");
  EXPECT_EQ(options_store_->values().at(u"Faults"), StoredValue::Text(u""));

  // The FaultActions option is a check item like the others.
  SendMessageW(window, WM_SYSCOMMAND, Command::kFaultActionsCommand, 0);
  EXPECT_TRUE(Checked(window, Command::kFaultActionsCommand));
  EXPECT_EQ(options_store_->values().at(u"FaultActions"), StoredValue::DWord(1));

  // A refusal's status line: drawn under the tape.
  {
    std::lock_guard<CallLock> lock(state_.call_lock);
    state_.Receipt.SetStatus(u"Нет бумаги. Заправьте чековую ленту.");
  }
  PrintDocument(1);
  ASSERT_TRUE(PumpUntil(
      [&] {
        RECT client{};
        GetClientRect(window, &client);
        return Screenshot().At(ClientToScreenPoint(window, 2, client.bottom - 2)) ==
               RGB(255, 200, 140);
      },
      std::chrono::seconds(5)));
}

}  // namespace
}  // namespace kassivo
