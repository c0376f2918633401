// Texts at the interface: the 1000-byte limit, the OEM code page when Codepage866 is set,
// malformed UTF-16, and objects that keep their texts apart.

#include "device/ResultCodes.h"
#include "unit/service/ServiceFixture.h"

namespace orn::testing {
namespace {

class TextBoundaryTest : public ServiceFixture {
 protected:
  // The text as an application of the OEM code page hands it over: its 866 bytes, read as
  // ANSI text.
  std::u16string AsOemApplication(const std::string& ansi) {
    return memory_.text.Utf16FromAnsi(memory_.text.OemFromAnsi(ansi));
  }
};

TEST_F(TextBoundaryTest, WithCodepage866TextsComeInAndGoOutInTheOemCodePage) {
  SetDeviceDword("Codepage866", 1);
  Attach();
  ASSERT_EQ(Open(), 0);
  const std::u16string oem = AsOemApplication("Скидка 5%");
  ASSERT_NE(oem, u"Скидка 5%");
  ASSERT_EQ(service_.SetPropertyString(kPidxPreLine, oem), 0);
  EXPECT_EQ(String(kPidxPreLine), oem);
  // Inside, the text is ANSI: the device name the register reports goes out as OEM.
  ASSERT_EQ(service_.ClaimDevice(0), 0);
  EXPECT_EQ(String(1000003), AsOemApplication("ОРНИТА-ФР-Ф"));
  EXPECT_NE(Log().find("\tDeviceName = Ornita-OPOS-1\r\n"), std::string::npos);
}

TEST_F(TextBoundaryTest, LongTextsAreCutTo1000Bytes) {
  const std::u16string huge(1'000'000, u'Ж');
  ASSERT_EQ(service_.SetPropertyString(kPidxPreLine, huge), 0);
  EXPECT_EQ(String(kPidxPreLine), huge.substr(0, 1000));
  const std::u16string exact(1000, u'a');
  ASSERT_EQ(service_.SetPropertyString(kPidxPreLine, exact), 0);
  EXPECT_EQ(String(kPidxPreLine), exact);
}

TEST_F(TextBoundaryTest, MalformedUtf16BecomesQuestionMarks) {
  const char16_t lone[] = {u'A', 0xD800, u'B', 0xDC00, 0xDBFF};
  ASSERT_EQ(service_.SetPropertyString(kPidxPreLine, std::u16string_view(lone, 5)), 0);
  EXPECT_EQ(String(kPidxPreLine), u"A?B??");
  // A surrogate pair at the cut keeps the 1000 bytes defined.
  std::u16string cut(999, u'x');
  cut += u"\U0001F600";
  ASSERT_EQ(service_.SetPropertyString(kPidxPreLine, cut), 0);
  EXPECT_EQ(String(kPidxPreLine).size(), 1000u);
}

TEST_F(TextBoundaryTest, AnAutomationStringEndsAtItsFirstZero) {
  ASSERT_EQ(service_.SetPropertyString(kPidxPreLine, std::u16string_view(u"до\0после", 8)), 0);
  EXPECT_EQ(String(kPidxPreLine), u"до");
  ASSERT_EQ(service_.SetPropertyString(kPidxPreLine, std::u16string_view()), 0);
  EXPECT_EQ(String(kPidxPreLine), u"");
}

TEST_F(TextBoundaryTest, TwoObjectsKeepTheirTextsApart) {
  service::FptrService other(memory_.Bundle(), ports_);
  ASSERT_EQ(service_.SetPropertyString(kPidxPreLine, u"первый"), 0);
  ASSERT_EQ(other.SetPropertyString(kPidxPreLine, u"второй"), 0);
  std::u16string first, second;
  service_.GetPropertyString(kPidxPreLine, first);
  other.GetPropertyString(kPidxPreLine, second);
  EXPECT_EQ(first, u"первый");
  EXPECT_EQ(second, u"второй");
  ASSERT_EQ(other.SetPropertyString(kPidxPostLine, std::u16string(5000, u'z')), 0);
  EXPECT_EQ(String(kPidxPreLine), u"первый");
}

}  // namespace
}  // namespace orn::testing
