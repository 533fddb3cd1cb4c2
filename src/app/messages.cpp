#include "app/messages.h"

#include "platform/platform.h"

namespace hibiopen {
namespace {

// The texts are code page 932 bytes. Each literal is followed by what it
// reads as; a literal is split where the next character would otherwise be
// taken into a hex escape.

// HIBIOPENについて
constexpr char kAboutCaption[] = "HIBIOPEN\x82\xC9\x82\xC2\x82\xA2\x82\xC4";
// HIBIOPEN Error
constexpr char kErrorCaption[] = "HIBIOPEN Error";
// HIBIOPEN File Not Found.
constexpr char kNotFoundCaption[] = "HIBIOPEN File Not Found.";

constexpr char kAboutText[] =
    // (13 spaces)今日の日付の ﾌｧｲﾙ を開く補助
    "             \x8D\xA1\x93\xFA\x82\xCC\x93\xFA\x95t\x82\xCC \xCC\xA7\xB2\xD9 "
    "\x82\xF0\x8AJ\x82\xAD\x95\xE2\x8F\x95\n"
    "                      HIBIOPEN  ver.1.03\n"
    "\n"
    "       by HIBIOPEN developers (hibiopen@example.org)\n"
    "                      (https://hibiopen.example.org/)\n"
    "\n"
    "----------------------------------------\n"
    "\n"
    // 使い方の例：(ｺﾏﾝﾄﾞﾗｲﾝ = Win95 ｼｮｰﾄｶｯﾄ 等で )
    "\x8Eg\x82\xA2\x95\xFB\x82\xCC\x97\xE1\x81"
    "F(\xBA\xCF\xDD\xC4\xDE\xD7\xB2\xDD = Win95 \xBC\xAE\xB0\xC4\xB6\xAF\xC4 \x93\x99\x82\xC5 )\n"
    "\n"
    "HIBIOPEN.EXE 345678 Application.Exe NI*.LOG\n"
    "\n"
    // と指定。→ * を日付文字列に変換して実行します。
    "\x82\xC6\x8Ew\x92\xE8\x81"
    "B\x81\xA8 * \x82\xF0\x93\xFA\x95t\x95\xB6\x8E\x9A\x97\xF1\x82\xC9\x95\xCF\x8A\xB7\x82\xB5\x82"
    "\xC4\x8E\xC0\x8Ds\x82\xB5\x82\xDC\x82\xB7\x81"
    "B";

// HIBIOPEN：ｺﾏﾝﾄﾞﾗｲﾝの指定が足りません、または " " が抜けています。(line feed)
constexpr char kCommandLineShortText[] =
    "HIBIOPEN\x81"
    "F\xBA\xCF\xDD\xC4\xDE\xD7\xB2\xDD\x82\xCC\x8Ew\x92\xE8\x82\xAA\x91\xAB\x82\xE8\x82\xDC\x82\xB9"
    "\x82\xF1\x81"
    "A\x82\xDC\x82\xBD\x82\xCD \" \" \x82\xAA\x94\xB2\x82\xAF\x82\xC4\x82\xA2\x82\xDC\x82\xB7\x81"
    "B\n";

// HIBIOPEN：ｵﾌﾟｼｮﾝの指定が間違っています。(line feed)
constexpr char kBadSelectorText[] =
    "HIBIOPEN\x81"
    "F\xB5\xCC\xDF\xBC\xAE\xDD\x82\xCC\x8Ew\x92\xE8\x82\xAA\x8A\xD4\x88\xE1\x82\xC1\x82\xC4\x82\xA2"
    "\x82\xDC\x82\xB7\x81"
    "B\n";

// 今日／昨日の日付の ﾌｧｲﾙ が見つかりません。
constexpr char kNotFoundText[] =
    "\x8D\xA1\x93\xFA\x81^\x8D\xF0\x93\xFA\x82\xCC\x93\xFA\x95t\x82\xCC \xCC\xA7\xB2\xD9 "
    "\x82\xAA\x8C\xA9\x82\xC2\x82\xA9\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81"
    "B";

// ﾌｧｲﾙ 探索時に ｴﾗｰ が発生しました。
constexpr char kSearchErrorText[] =
    "\xCC\xA7\xB2\xD9 \x92T\x8D\xF5\x8E\x9E\x82\xC9 \xB4\xD7\xB0 "
    "\x82\xAA\x94\xAD\x90\xB6\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81"
    "B";

// Indexed by Message.
constexpr MessageEntry kCatalogue[] = {
    {kAboutText, kAboutCaption, platform::kStyleOk},
    {kCommandLineShortText, kErrorCaption, platform::kStyleIconHand},
    {kBadSelectorText, kErrorCaption, platform::kStyleIconHand},
    {kNotFoundText, kNotFoundCaption, platform::kStyleOk},
    {kSearchErrorText, kErrorCaption, platform::kStyleIconHand},
};

}  // namespace

const MessageEntry& message_entry(Message message) {
  return kCatalogue[static_cast<int>(message)];
}

void show_message(Message message) {
  const MessageEntry& entry = message_entry(message);
  platform::show_message_box(entry.text, entry.caption, entry.style);
}

}  // namespace hibiopen
