#include "app/messages.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <string>
#include <vector>

#include "platform/fake_platform.h"

namespace hibiopen {
namespace {

// The catalogue's texts as they read, turned into code page 932 by the
// system's converter, so the hand-written bytes are checked against an
// independent source.
std::string to_cp932(const std::string& utf8) {
  iconv_t converter = iconv_open("CP932", "UTF-8");
  EXPECT_NE(converter, reinterpret_cast<iconv_t>(-1));
  std::string out(utf8.size() * 2 + 1, '\0');
  char* in = const_cast<char*>(utf8.data());
  std::size_t in_left = utf8.size();
  char* put = out.data();
  std::size_t out_left = out.size();
  EXPECT_NE(iconv(converter, &in, &in_left, &put, &out_left), static_cast<std::size_t>(-1));
  iconv_close(converter);
  out.resize(out.size() - out_left);
  return out;
}

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::string::size_type start = 0;
  for (;;) {
    const std::string::size_type end = text.find('\n', start);
    lines.push_back(text.substr(start, end - start));
    if (end == std::string::npos) {
      return lines;
    }
    start = end + 1;
  }
}

struct Expected {
  Message message;
  const char* text;
  const char* caption;
  unsigned style;
  std::size_t text_bytes;
  std::size_t caption_bytes;
};

const Expected kExpected[] = {
    {Message::CommandLineShort,
     "HIBIOPEN：ｺﾏﾝﾄﾞﾗｲﾝの指定が足りません、または \" \" が抜けています。\n", "HIBIOPEN Error",
     0x10, 66, 14},
    {Message::BadSelector, "HIBIOPEN：ｵﾌﾟｼｮﾝの指定が間違っています。\n", "HIBIOPEN Error", 0x10, 41,
     14},
    {Message::NotFound, "今日／昨日の日付の ﾌｧｲﾙ が見つかりません。", "HIBIOPEN File Not Found.", 0,
     42, 24},
    {Message::SearchError, "ﾌｧｲﾙ 探索時に ｴﾗｰ が発生しました。", "HIBIOPEN Error", 0x10, 34, 14},
};

TEST(MessageCatalogue, TextsCaptionsAndStylesAreExact) {
  for (const Expected& e : kExpected) {
    const MessageEntry& entry = message_entry(e.message);
    EXPECT_EQ(std::string(entry.text), to_cp932(e.text));
    EXPECT_EQ(std::string(entry.text).size(), e.text_bytes) << e.text;
    EXPECT_EQ(std::string(entry.caption), e.caption);
    EXPECT_EQ(std::string(entry.caption).size(), e.caption_bytes);
    EXPECT_EQ(entry.style, e.style);
  }
}

TEST(MessageCatalogue, OnlyTheCommandLineErrorsEndInALineFeed) {
  for (const Message m : {Message::About, Message::CommandLineShort, Message::BadSelector,
                          Message::NotFound, Message::SearchError}) {
    const std::string text = message_entry(m).text;
    const bool ends_in_line_feed = text.back() == '\n';
    EXPECT_EQ(ends_in_line_feed, m == Message::CommandLineShort || m == Message::BadSelector);
    // Line breaks are single line feeds.
    EXPECT_EQ(text.find('\r'), std::string::npos);
  }
}

TEST(MessageCatalogue, AboutBoxLineByLine) {
  const MessageEntry& about = message_entry(Message::About);
  EXPECT_EQ(std::string(about.caption), to_cp932("HIBIOPENについて"));
  EXPECT_EQ(std::string(about.caption).size(), 16u);
  EXPECT_EQ(about.style, 0u);

  const std::vector<std::string> lines = lines_of(about.text);
  ASSERT_EQ(lines.size(), 13u);
  const struct {
    std::size_t line;
    std::string content;
    std::size_t bytes;
  } fixed[] = {
      {1, std::string(13, ' ') + "今日の日付の ﾌｧｲﾙ を開く補助", 41},
      {2, std::string(22, ' ') + "HIBIOPEN  ver.1.03", 40},
      {3, "", 0},
      {6, "", 0},
      {7, std::string(40, '-'), 40},
      {8, "", 0},
      {9, "使い方の例：(ｺﾏﾝﾄﾞﾗｲﾝ = Win95 ｼｮｰﾄｶｯﾄ 等で )", 44},
      {10, "", 0},
      {11, "HIBIOPEN.EXE 345678 Application.Exe NI*.LOG", 43},
      {12, "", 0},
      {13, "と指定。→ * を日付文字列に変換して実行します。", 47},
  };
  for (const auto& f : fixed) {
    const std::string& line = lines[f.line - 1];
    EXPECT_EQ(line, to_cp932(f.content)) << "line " << f.line;
    EXPECT_EQ(line.size(), f.bytes) << "line " << f.line;
  }

  // Lines 4 and 5: the author with a contact address, and the home page.
  const std::string& author = lines[3];
  EXPECT_EQ(author.rfind(std::string(7, ' ') + "by ", 0), 0u) << author;
  EXPECT_NE(author[10], ' ');
  EXPECT_NE(author.find(" (", 10), std::string::npos);
  EXPECT_NE(author.find('@'), std::string::npos);
  EXPECT_EQ(author.back(), ')');
  const std::string& home = lines[4];
  EXPECT_EQ(home.rfind(std::string(22, ' ') + "(", 0), 0u) << home;
  EXPECT_EQ(home.back(), ')');
}

TEST(ShowMessage, ShowsTheCatalogueEntryOnce) {
  fake::reset();
  show_message(Message::NotFound);
  ASSERT_EQ(fake::state().messages.size(), 1u);
  const fake::ShownMessage& shown = fake::state().messages[0];
  EXPECT_EQ(shown.text, message_entry(Message::NotFound).text);
  EXPECT_EQ(shown.caption, "HIBIOPEN File Not Found.");
  EXPECT_EQ(shown.style, 0u);
}

}  // namespace
}  // namespace hibiopen
