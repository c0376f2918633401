#include "DoctorReport.h"

#include <cstdio>

namespace orn::ornfr {

namespace {

const char* Word(Verdict verdict) {
  switch (verdict) {
    case Verdict::kOk:
      return "[ОК]";
    case Verdict::kWarning:
      return "[ВНИМАНИЕ]";
    case Verdict::kFailure:
      return "[ОШИБКА]";
    case Verdict::kSkipped:
      return "[ПРОПУЩЕНО]";
    case Verdict::kInfo:
      break;
  }
  return "[СВЕДЕНИЯ]";
}

// Several parts may give the same advice: it is said once.
void Join(std::string& to, const std::string& part, const char* separator, bool once) {
  if (part.empty() || (once && to.find(part) != std::string::npos)) return;
  if (!to.empty()) to += separator;
  to += part;
}

}  // namespace

void Finding::Add(Verdict partVerdict, const std::string& partText, const std::string& partAdvice) {
  if (partVerdict > verdict || text.empty()) verdict = partVerdict;
  Join(text, partText, "; ", false);
  Join(advice, partAdvice, "; ", true);
}

Finding Ok(const std::string& text) {
  return Finding{Verdict::kOk, text, {}};
}

Finding Skipped(const std::string& text) {
  return Finding{Verdict::kSkipped, text, {}};
}

void DoctorReport::Add(int check, const std::string& subject, const Finding& finding) {
  if (finding.verdict == Verdict::kFailure) ++failures_;
  if (finding.verdict == Verdict::kWarning) ++warnings_;
  // Windows-1251 has one byte a letter, so the verdicts line up before conversion.
  char head[32];
  std::snprintf(head, sizeof head, "%-12s", Word(finding.verdict));
  std::string line = head;
  if (check > 0) line += std::to_string(check) + ". ";
  line += subject + ": " + finding.text;
  if (!finding.advice.empty() && finding.verdict >= Verdict::kWarning)
    line += ". Что делать: " + finding.advice;
  if (line.back() != '.') line += '.';
  Line(line);
}

void DoctorReport::Line(const std::string& text) {
  env_.out << env_.consoleText(text) << "\n";
  env_.out.flush();
}

bool DoctorReport::Summarize() {
  if (failures_ == 0) {
    Line(warnings_ == 0 ? "Итог: всё, что нужно для чека, в порядке."
                        : "Итог: всё, что нужно для чека, в порядке; замечаний: " +
                              std::to_string(warnings_) + ".");
    return true;
  }
  Line("Итог: чек не пройдёт, ошибок: " + std::to_string(failures_) +
       (warnings_ ? ", замечаний: " + std::to_string(warnings_) : std::string()) + ".");
  return false;
}

}  // namespace orn::ornfr
