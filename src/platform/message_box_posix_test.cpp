#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/messages.h"
#include "platform/platform.h"
#include "platform/posix.h"

namespace hibiopen::platform::posix {
namespace {

std::string utf8_of(const char* cp932) {
  char* converted = cp932_to_utf8(cp932);
  std::string result = converted;
  std::free(converted);
  return result;
}

TEST(Cp932ToUtf8, CatalogueReadsAsWrittenWithHalfWidthKatakanaKept) {
  const struct {
    Message message;
    const char* text;
  } cases[] = {
      {Message::CommandLineShort,
       "HIBIOPEN：ｺﾏﾝﾄﾞﾗｲﾝの指定が足りません、または \" \" が抜けています。\n"},
      {Message::BadSelector, "HIBIOPEN：ｵﾌﾟｼｮﾝの指定が間違っています。\n"},
      {Message::NotFound, "今日／昨日の日付の ﾌｧｲﾙ が見つかりません。"},
      {Message::SearchError, "ﾌｧｲﾙ 探索時に ｴﾗｰ が発生しました。"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(utf8_of(message_entry(c.message).text), c.text);
  }
  const std::string about = utf8_of(message_entry(Message::About).text);
  EXPECT_EQ(about.rfind("             今日の日付の ﾌｧｲﾙ を開く補助\n", 0), 0u);
  EXPECT_NE(about.find("\n使い方の例：(ｺﾏﾝﾄﾞﾗｲﾝ = Win95 ｼｮｰﾄｶｯﾄ 等で )\n"), std::string::npos);
  EXPECT_NE(about.find("\nと指定。→ * を日付文字列に変換して実行します。"), std::string::npos);
  EXPECT_EQ(utf8_of(message_entry(Message::About).caption), "HIBIOPENについて");

  // Half-width ﾌ (U+FF8C), never full-width フ (U+30D5).
  const std::string not_found = utf8_of(message_entry(Message::NotFound).text);
  EXPECT_NE(not_found.find("\xEF\xBE\x8C"), std::string::npos);
  EXPECT_EQ(not_found.find("\xE3\x83\x95"), std::string::npos);
}

TEST(Cp932ToUtf8, UnknownBytesPassThrough) {
  EXPECT_EQ(utf8_of("a\xA0z"), "a\xA0z");
  EXPECT_EQ(utf8_of("\x82"), "\x82");  // a lead byte with nothing after it
  EXPECT_EQ(utf8_of(""), "");
}

std::vector<std::string> dialog(DialogProgram program, unsigned style) {
  const char* argv[kDialogArgvSize];
  char* storage = nullptr;
  EXPECT_TRUE(dialog_argv(program, "-text\nline", "Title", style, argv, &storage));
  std::vector<std::string> result;
  for (const char* const* p = argv; *p != nullptr; ++p) {
    result.emplace_back(*p);
  }
  std::free(storage);
  return result;
}

TEST(DialogArgv, TitleTextButtonAndIconPerProgram) {
  using V = std::vector<std::string>;
  EXPECT_EQ(dialog(DialogProgram::Zenity, kStyleOk),
            (V{"zenity", "--info", "--icon-name=", "--no-markup", "--no-wrap", "--title=Title",
               "--text=-text\nline"}));
  EXPECT_EQ(
      dialog(DialogProgram::Zenity, kStyleIconHand),
      (V{"zenity", "--error", "--no-markup", "--no-wrap", "--title=Title", "--text=-text\nline"}));
  EXPECT_EQ(dialog(DialogProgram::Kdialog, kStyleOk),
            (V{"kdialog", "--title", "Title", "--msgbox", "-text\nline"}));
  EXPECT_EQ(dialog(DialogProgram::Kdialog, kStyleIconHand),
            (V{"kdialog", "--title", "Title", "--error", "-text\nline"}));
  EXPECT_EQ(dialog(DialogProgram::Xmessage, kStyleIconHand),
            (V{"xmessage", "-title", "Title", "-buttons", "OK:0", "-default", "OK", "-center",
               "-text\nline"}));
}

TEST(DialogShown, StatusOneCountsAsClosedUnlessTheDisplayWasUnreachable) {
  const int exited_0 = 0x0000;  // wait statuses as waitpid gives them
  const int exited_1 = 0x0100;
  const int exited_255 = 0xFF00;
  const int killed = SIGABRT;
  const struct {
    DialogProgram program;
    int status;
    const char* errors;
    bool shown;
  } cases[] = {
      {DialogProgram::Zenity, exited_0, "", true},
      {DialogProgram::Zenity, exited_1, "", true},  // closed rather than confirmed
      {DialogProgram::Zenity, exited_1, "Gtk-Message: GtkDialog mapped without a transient parent",
       true},
      {DialogProgram::Zenity, exited_1,
       "(zenity:4242): Gtk-WARNING **: 10:00:00.000: cannot open display: :99\n", false},
      {DialogProgram::Zenity, exited_255, "", false},
      {DialogProgram::Kdialog, exited_1, "", true},
      {DialogProgram::Kdialog, exited_1, "qt.qpa.xcb: could not connect to display :99\n", false},
      {DialogProgram::Kdialog, exited_1, "kdialog: cannot connect to X server :99\n", false},
      {DialogProgram::Kdialog, killed, "", false},
      {DialogProgram::Xmessage, exited_0, "", true},
      {DialogProgram::Xmessage, exited_1, "", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(dialog_shown(c.program, c.status, c.errors), c.shown)
        << static_cast<int>(c.program) << " status " << c.status << " errors '" << c.errors << "'";
  }
}

TEST(ShowMessageBox, WithoutADesktopWritesCaptionAndTextToStandardError) {
  const char* saved_display = std::getenv("DISPLAY");
  const std::string display = saved_display != nullptr ? saved_display : "";
  unsetenv("DISPLAY");
  unsetenv("WAYLAND_DISPLAY");
  const struct {
    Message message;
    const char* expected;
  } cases[] = {
      {Message::NotFound, "HIBIOPEN File Not Found.\n今日／昨日の日付の ﾌｧｲﾙ が見つかりません。\n"},
      // A text that ends in a line feed gets no second one.
      {Message::BadSelector, "HIBIOPEN Error\nHIBIOPEN：ｵﾌﾟｼｮﾝの指定が間違っています。\n"},
  };
  for (const auto& c : cases) {
    const MessageEntry& entry = message_entry(c.message);
    ::testing::internal::CaptureStderr();
    show_message_box(entry.text, entry.caption, entry.style);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), c.expected);
  }
  if (saved_display != nullptr) {
    setenv("DISPLAY", display.c_str(), 1);
  }
}

}  // namespace
}  // namespace hibiopen::platform::posix
