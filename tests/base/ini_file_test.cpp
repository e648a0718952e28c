#include "base/ini_file.h"

#include <gtest/gtest.h>

namespace {

using nav::IniFile;

TEST(IniFile, ReadsValuesOfTheirSectionOnly) {
  const IniFile ini = IniFile::parse("[Other]\nvor=7\n[view]\r\n  VOR =  2 \r\nmag=\n");
  EXPECT_EQ(ini.value("View", "vor"), "2");  // section and key without regard to case, value trimmed
  EXPECT_EQ(ini.value("View", "mag"), "");
  EXPECT_EQ(ini.value("View", "ndb"), std::nullopt);
  EXPECT_EQ(ini.value("Missing", "vor"), std::nullopt);
  EXPECT_EQ(ini.value("Other", "vor"), "7");
}

TEST(IniFile, LongValuesAreCut) {
  const IniFile ini = IniFile::parse("[View]\nleft=" + std::string(3000, '1') + "\n");
  EXPECT_EQ(ini.value("View", "left")->size(), IniFile::kMaxValueLength);
}

TEST(IniFile, SettingKeepsEveryOtherLineByteForByte) {
  const std::string original = "; comment\r\n[Other]\r\nx = 1\r\n\r\n[View]\r\nvor=0\r\nodd line\r\n\r\n[Tail]\r\ny=2";
  IniFile ini = IniFile::parse(original);
  ini.setValue("View", "vor", "1");
  ini.setValue("View", "mag", "3");  // new key: at the end of its section
  ini.setValue("Extra", "k", "v");   // new section: at the end of the file
  EXPECT_EQ(ini.text(),
            "; comment\r\n[Other]\r\nx = 1\r\n\r\n[View]\r\nvor=1\r\nodd line\r\nmag=3\r\n\r\n[Tail]\r\ny=2\r\n"
            "[Extra]\r\nk=v\r\n");
}

TEST(IniFile, ByteOrderMarkHidesNoSectionAndIsKept) {
  IniFile ini = IniFile::parse("\xEF\xBB\xBF[View]\r\nvor=1\r\n");
  EXPECT_EQ(ini.value("View", "vor"), "1");
  ini.setValue("View", "mag", "2");
  EXPECT_EQ(ini.text(), "\xEF\xBB\xBF[View]\r\nvor=1\r\nmag=2\r\n");  // no second [View]
}

TEST(IniFile, EmptyTextGetsTheSection) {
  IniFile ini = IniFile::parse("");
  ini.setValue("View", "a", "1");
  ini.setValue("View", "b", "2");
  EXPECT_EQ(ini.text(), "[View]\na=1\nb=2\n");
}

}  // namespace
