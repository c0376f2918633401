#pragma once
// What ornfr doctor prints: one line per check with its verdict, what was found and, for
// a finding that is not in order, what to do; then a summary. Texts are Windows-1251, as
// every text of the driver, and reach the console in its own encoding.

#include <string>

#include "Environment.h"

namespace orn::ornfr {

// In order of weight: a finding takes the weightiest verdict of its parts.
enum class Verdict { kInfo, kSkipped, kOk, kWarning, kFailure };

struct Finding {
  Verdict verdict = Verdict::kOk;
  std::string text;    // what was found
  std::string advice;  // what to do; empty when nothing is to be done

  // Adds a part: the texts and pieces of advice are joined, the verdict is the weightier.
  void Add(Verdict partVerdict, const std::string& partText, const std::string& partAdvice = {});
};

Finding Ok(const std::string& text);
Finding Skipped(const std::string& text);

class DoctorReport {
 public:
  explicit DoctorReport(Environment& env) : env_(env) {}

  // "[ОШИБКА]   5. Порт COM3: text. Что делать: advice." at once, so that a technician
  // sees each check as it ends. Check 0 prints no number.
  void Add(int check, const std::string& subject, const Finding& finding);
  void Line(const std::string& text);
  // The last line; true when nothing needed for a receipt failed.
  bool Summarize();

 private:
  Environment& env_;
  int failures_ = 0;
  int warnings_ = 0;
};

}  // namespace orn::ornfr
