#pragma once
// The receipt fixture with what the tests of reports, settings and documents look at: the
// requests the log shows, lines of the tape that contain a text, texts read back, and the
// tax inspector's password in the device key (the fiscal memory reports need it).

#include <string>

#include "ReceiptFixture.h"

namespace orn::testing {

class DocumentFixture : public ReceiptFixture {
 protected:
  // The tax inspector's password 0, as the simulator has it.
  void AllowFiscalReports() {
    ASSERT_TRUE(memory_.registry.ImportReg(
        "REGEDIT4\r\n\r\n"
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\OLEforRetail\\ServiceOPOS\\FiscalPrinter\\"
        "Ornita-OPOS-1]\r\n"
        "\"PasswordNI\"=dword:00000000\r\n"));
  }

  // How many requests the log shows that begin with these bytes ("22 1E 00 00 00 1F").
  int Requests(const std::string& bytes) const {
    const std::string needle = "\n\t-> " + bytes;
    const std::string log = Log();
    int count = 0;
    for (size_t at = log.find(needle); at != std::string::npos; at = log.find(needle, at + 1))
      ++count;
    return count;
  }
  // Where the first such request stands in the log (npos when there is none).
  size_t RequestAt(const std::string& bytes) const { return Log().find("\n\t-> " + bytes); }

  bool TapeContains(const std::string& text) const {
    for (const std::string& line : Tape())
      if (line.find(text) != std::string::npos) return true;
    return false;
  }
  // The index of the first tape line that contains `text`, or -1.
  int TapeIndex(const std::string& text) const {
    for (size_t i = 0; i < Tape().size(); ++i)
      if (Tape()[i].find(text) != std::string::npos) return int(i);
    return -1;
  }

  int32_t Number(int32_t index) {
    int32_t value = -7777;
    fptr_->GetPropertyNumber(index, value);
    return value;
  }
  std::string Ansi(const std::u16string& text) { return memory_.text.AnsiFromUtf16(text); }
  std::string ErrorString() const { return fptr_->Device().ErrorString(); }
  uint32_t Elapsed(uint32_t since) { return memory_.clock.TickCount() - since; }
};

}  // namespace orn::testing
