// Code pages and currency text: the table converter (memory and POSIX bundles) and the
// system's own (Win32 under wine with a Russian locale) must agree.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/portable/TableTextConverter.h"
#include "support/NativePlatform.h"

#ifndef _WIN32
#include <iconv.h>
#endif

namespace orn::platform {
namespace {

// Narrow literals are compiled as Windows-1251.
const std::string kAnsiGreeting = "Привет, Мир! Ёё №5";
const std::string kOemGreeting =
    "\x8F\xE0\xA8\xA2\xA5\xE2, \x8C\xA8\xE0! \xF0\xF1 \xFC"
    "5";

class ConverterTest : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    if (GetParam())
      converter_ = testing::MakeNativeTextConverter();
    else
      converter_ = std::make_unique<TableTextConverter>();
  }
  std::unique_ptr<TextConverter> converter_;
};

TEST_P(ConverterTest, CyrillicRoundTripsBetweenAnsiAndOem) {
  EXPECT_EQ(converter_->OemFromAnsi(kAnsiGreeting), kOemGreeting);
  EXPECT_EQ(converter_->AnsiFromOem(kOemGreeting), kAnsiGreeting);
  std::string allLetters;
  for (int c = 0xC0; c <= 0xFF; ++c) allLetters.push_back(char(c));
  EXPECT_EQ(converter_->AnsiFromOem(converter_->OemFromAnsi(allLetters)), allLetters);
  EXPECT_EQ(converter_->OemFromAnsi(""), "");
}

TEST_P(ConverterTest, Utf16AndAnsi) {
  const std::u16string wide = u"Нет связи: Ёё №";
  EXPECT_EQ(converter_->AnsiFromUtf16(wide), "Нет связи: Ёё №");
  EXPECT_EQ(converter_->Utf16FromAnsi("Нет связи: Ёё №"), wide);
  EXPECT_EQ(converter_->AnsiFromUtf16(u"a\u4E2Db"), "a?b");
  EXPECT_EQ(converter_->AnsiFromUtf16(u""), "");
  std::string allBytes;
  for (int c = 1; c < 256; ++c)
    if (c != 0x98) allBytes.push_back(char(c));  // 98h is unassigned in 1251
  EXPECT_EQ(converter_->AnsiFromUtf16(converter_->Utf16FromAnsi(allBytes)), allBytes);
}

TEST_P(ConverterTest, CurrencyTextInTheRussianLocale) {
  EXPECT_EQ(converter_->CurrencyText(123456), "12,3456");
  EXPECT_EQ(converter_->CurrencyText(1000000), "100");
  EXPECT_EQ(converter_->CurrencyText(15000), "1,5");
  EXPECT_EQ(converter_->CurrencyText(-5000), "-0,5");
  EXPECT_EQ(converter_->CurrencyText(0), "0");
  EXPECT_EQ(converter_->CurrencyText(1), "0,0001");
  EXPECT_EQ(converter_->CurrencyText(30000000000000LL), "3000000000");
}

INSTANTIATE_TEST_SUITE_P(TableAndNative, ConverterTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Native" : "Table"; });

#ifdef _WIN32
// The tables must match the system's own code pages byte for byte.
TEST(CodePageTables, MatchTheSystemCodePages) {
  std::unique_ptr<TextConverter> system = testing::MakeNativeTextConverter();
  TableTextConverter table;
  for (int c = 0x80; c < 0x100; ++c) {
    const std::string byte(1, char(c));
    if (c != 0x98) {
      EXPECT_EQ(table.Utf16FromAnsi(byte), system->Utf16FromAnsi(byte)) << c;
    }
  }
  std::string allBytes;
  for (int c = 0; c < 0x100; ++c) allBytes.push_back(char(c));
  EXPECT_EQ(table.OemFromAnsi(allBytes), system->OemFromAnsi(allBytes));
  EXPECT_EQ(table.AnsiFromOem(allBytes), system->AnsiFromOem(allBytes));
}
#else
// The tables must match glibc's iconv byte for byte.
std::u16string IconvDecode(const char* codePage, unsigned char byte) {
  iconv_t cd = iconv_open("UTF-16LE", codePage);
  char in[1] = {char(byte)};
  char out[8] = {};
  char* inPtr = in;
  char* outPtr = out;
  size_t inLeft = 1, outLeft = sizeof out;
  const size_t result = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
  iconv_close(cd);
  if (result == size_t(-1)) return {};
  return std::u16string(1, char16_t(uint8_t(out[0]) | uint8_t(out[1]) << 8));
}

TEST(CodePageTables, MatchIconv) {
  for (int c = 0x80; c < 0x100; ++c) {
    if (c != 0x98) {
      EXPECT_EQ(std::u16string(1, kCp1251High[c - 0x80]), IconvDecode("CP1251", c)) << c;
    }
    EXPECT_EQ(std::u16string(1, kCp866High[c - 0x80]), IconvDecode("CP866", c)) << c;
  }
}
#endif

}  // namespace
}  // namespace orn::platform

namespace orn::platform {
namespace {

TEST(Utf8, RoundTripsAndReplacesMalformedBytes) {
  const std::u16string text = u"Итог: 5 € \U0001F600";
  EXPECT_EQ(Utf16FromUtf8(Utf8FromUtf16(text)), text);
  EXPECT_EQ(Utf8FromUtf16(u"Ё"), std::string("\xD0\x81"));
  EXPECT_EQ(Utf16FromUtf8("a\xD0"), u"a\uFFFD");
  EXPECT_EQ(Utf16FromUtf8("\x80z"), u"\uFFFDz");
}

// Found by fuzzing: these decoded to lone surrogates or to codes UTF-16 cannot hold.
TEST(Utf8, SequencesWithoutAUtf16FormAreMalformed) {
  EXPECT_EQ(Utf16FromUtf8("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");            // a surrogate half
  EXPECT_EQ(Utf16FromUtf8("\xF4\x90\x80\x80"), u"\uFFFD\uFFFD\uFFFD\uFFFD");  // past U+10FFFF
  EXPECT_EQ(Utf16FromUtf8("\xF8\x88\x80\x80\x80"), std::u16string(5, u'\uFFFD'));
  EXPECT_EQ(Utf16FromUtf8("\xC0\xAF"), u"\uFFFD\uFFFD");  // '/' in two bytes
  EXPECT_EQ(Utf16FromUtf8("\xE0\x80\xAF"), u"\uFFFD\uFFFD\uFFFD");
  // The largest codes that do have a form still decode.
  EXPECT_EQ(Utf16FromUtf8("\xF4\x8F\xBF\xBF\xEF\xBF\xBD"), u"\U0010FFFF\uFFFD");
  EXPECT_EQ(Utf16FromUtf8("\xED\x9F\xBF\xEE\x80\x80"), u"\uD7FF\uE000");
}

}  // namespace
}  // namespace orn::platform
