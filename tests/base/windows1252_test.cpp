#include "base/windows1252.h"

#include <gtest/gtest.h>

namespace {

using nav::utf8ToWindows1252;

TEST(Utf8ToWindows1252, MapsWhatTheCodePageHolds) {
  EXPECT_EQ(utf8ToWindows1252("Orly"), "Orly");
  EXPECT_EQ(utf8ToWindows1252("A\xC3\xA9roport"), "A\xE9roport");  // é
  EXPECT_EQ(utf8ToWindows1252("\xE2\x82\xAC"), "\x80");            // €
  EXPECT_EQ(utf8ToWindows1252("c\xC5\x93ur"), "c\x9Cur");          // œ
  EXPECT_EQ(utf8ToWindows1252("\xC5\xB8"), "\x9F");                // Ÿ
  EXPECT_EQ(utf8ToWindows1252("\xC3\xBF"), "\xFF");                // ÿ
}

TEST(Utf8ToWindows1252, OtherCharactersBecomeAQuestionMark) {
  EXPECT_EQ(utf8ToWindows1252("\xE6\x88\x90\xE7\x94\xB0"), "??");  // 成田
  EXPECT_EQ(utf8ToWindows1252("\xF0\x9F\x9B\xAB!"), "?!");         // outside the BMP
  // U+0081 has no byte of its own in the code page.
  EXPECT_EQ(utf8ToWindows1252("\xC2\x81"), "?");
}

TEST(Utf8ToWindows1252, EachBrokenSequenceBecomesOneQuestionMark) {
  EXPECT_EQ(utf8ToWindows1252("a\xE9z"), "a?z");             // a Latin-1 byte, not UTF-8
  EXPECT_EQ(utf8ToWindows1252("\x80\xBF"), "??");            // stray continuation bytes
  EXPECT_EQ(utf8ToWindows1252("\xE2\x82z"), "?z");           // cut short, the next byte kept
  EXPECT_EQ(utf8ToWindows1252("x\xE2\x82"), "x?");           // cut short by the end
  EXPECT_EQ(utf8ToWindows1252("\xC0\xAF"), "??");            // overlong
  EXPECT_EQ(utf8ToWindows1252("\xED\xA0\x80"), "???");       // a surrogate
  EXPECT_EQ(utf8ToWindows1252("\xF4\x90\x80\x80"), "????");  // above U+10FFFF
}

TEST(Windows1252Char, EveryByteComesBackTheSameAndTheRestIsAQuestionMark) {
  for (int b = 0; b < 256; ++b) {
    const auto byte = static_cast<unsigned char>(b);
    EXPECT_EQ(nav::windows1252Byte(nav::windows1252Char(byte)), static_cast<char>(byte)) << b;
  }
  EXPECT_EQ(nav::windows1252Char(0x80), u'\u20AC');
  EXPECT_EQ(nav::windows1252Char(0x96), u'\u2013');
  EXPECT_EQ(nav::windows1252Char(0x81), u'\u0081');  // undefined: its C1 control
  EXPECT_EQ(nav::windows1252Byte(U'\u6210'), '?');
  EXPECT_EQ(nav::windows1252Byte(U'\U0001F6EB'), '?');
}

}  // namespace
