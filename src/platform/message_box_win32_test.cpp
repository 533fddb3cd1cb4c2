#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "app/messages.h"
#include "platform/win32.h"

namespace hibiopen::platform {
namespace {

// What each message box shows: the code page 932 texts converted by the
// system, compared with the same texts written in UTF-16. Half-width katakana
// stay half-width (U+FF61 to U+FF9F).
TEST(MessageBoxTexts, ConvertToTheirUnicodeForms) {
  const struct {
    Message message;
    const wchar_t* text;
    const wchar_t* caption;
  } cases[] = {
      {Message::About,
       L"             今日の日付の ﾌｧｲﾙ を開く補助\n"
       L"                      HIBIOPEN  ver.1.03\n"
       L"\n"
       L"       by HIBIOPEN developers (hibiopen@example.org)\n"
       L"                      (https://hibiopen.example.org/)\n"
       L"\n"
       L"----------------------------------------\n"
       L"\n"
       L"使い方の例：(ｺﾏﾝﾄﾞﾗｲﾝ = Win95 ｼｮｰﾄｶｯﾄ 等で )\n"
       L"\n"
       L"HIBIOPEN.EXE 345678 Application.Exe NI*.LOG\n"
       L"\n"
       L"と指定。→ * を日付文字列に変換して実行します。",
       L"HIBIOPENについて"},
      {Message::CommandLineShort,
       L"HIBIOPEN：ｺﾏﾝﾄﾞﾗｲﾝの指定が足りません、または \" \" が抜けています。\n", L"HIBIOPEN Error"},
      {Message::BadSelector, L"HIBIOPEN：ｵﾌﾟｼｮﾝの指定が間違っています。\n", L"HIBIOPEN Error"},
      {Message::NotFound, L"今日／昨日の日付の ﾌｧｲﾙ が見つかりません。",
       L"HIBIOPEN File Not Found."},
      {Message::SearchError, L"ﾌｧｲﾙ 探索時に ｴﾗｰ が発生しました。", L"HIBIOPEN Error"},
  };
  for (const auto& c : cases) {
    const MessageEntry& entry = message_entry(c.message);
    wchar_t* text = win32::cp932_to_wide(entry.text);
    wchar_t* caption = win32::cp932_to_wide(entry.caption);
    ASSERT_NE(text, nullptr);
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(std::wstring(text), std::wstring(c.text)) << static_cast<int>(c.message);
    EXPECT_EQ(std::wstring(caption), std::wstring(c.caption)) << static_cast<int>(c.message);
    std::free(text);
    std::free(caption);
  }
}

// The full-width and half-width forms that a wrong conversion would mix up.
TEST(MessageBoxTexts, KeepTheWidthOfEveryCharacter) {
  wchar_t* text = win32::cp932_to_wide("\xCC\xA7\xB2\xD9\x81\x46\x81\x5E\x81\xA8");
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(std::wstring(text), std::wstring(L"\xFF8C\xFF67\xFF72\xFF99\xFF1A\xFF0F\x2192"));
  std::free(text);
}

}  // namespace
}  // namespace hibiopen::platform
