#include "SettingsCommands.h"

#include <cstdio>

#include "OrnfrOutput.h"
#include "device/ModelTable.h"
#include "device/ResultCodes.h"
#include "receipt/OposText.h"
#include "receipt/SettingsTables.h"

namespace orn::ornfr {

namespace {

constexpr uint8_t kFullReport = 1;
constexpr uint16_t kLastShift = 65535;
constexpr uint32_t kReportPollMs = 500;
constexpr size_t kDayDigits = 8;  // DDMMYYYY: the report takes whole days

int Usage(Environment& env, const char* text) {
  env.err << "ornfr: " << text << "\n";
  return kExitUsage;
}

// DDMMYYYY, or the twelve digits of an OPOS date (the time is not used).
bool ParseDay(const std::string& text, uint8_t day[3]) {
  receipt::RegisterDateTime date;
  const std::string full = text.size() == kDayDigits ? text + "0000" : text;
  if (!receipt::ParseOposDate(full, date)) return false;
  day[0] = date.day;
  day[1] = date.month;
  day[2] = date.year;
  return true;
}

int Report(const std::vector<std::string>& args, device::FiscalDevice& device, Environment& env) {
  bool sent = false;
  if (args[0] == "--dates") {
    uint8_t first[3];
    uint8_t last[3];
    if (!ParseDay(args[1], first) || !ParseDay(args[2], last))
      return Usage(env, "report --dates takes two dates DDMMYYYY");
    sent = device.FiscalReportByDates(kFullReport, first, last);
  } else if (args[0] == "--shifts") {
    uint16_t first = 0;
    uint16_t last = 0;
    if (!receipt::ParseWord(args[1], first) || !receipt::ParseWord(args[2], last) || first == 0 ||
        (last != 0 && last < first))
      return Usage(env, "report --shifts takes the first and last shift (0: to the end)");
    sent = device.FiscalReportByShifts(kFullReport, first, last == 0 ? kLastShift : last);
  } else {
    return Usage(env, "report takes --dates FROM TO or --shifts FIRST LAST");
  }
  if (!sent && device.ResultCode() == device::OPOS_E_ILLEGAL)
    return Usage(env, "the fiscal memory reports need --tax-password");
  if (!sent || !device.WaitForPrinting(kReportPollMs)) return ReportFailure(device, env);
  env.out << "report: printed\n";
  return kExitSuccess;
}

// The register's type gives the line width and where table 4 keeps its lines.
bool ReadTextLayout(device::FiscalDevice& device, receipt::TextRows& rows) {
  if (!device.GetDeviceType()) return false;
  device.SetLineWidth(device::LineWidthForCategory(device.ModelCategory()));
  return receipt::ReadTextRows(device, rows);
}

int SetTextLine(bool header, const std::vector<std::string>& args, device::FiscalDevice& device,
                Environment& env) {
  receipt::TextRows rows;
  if (!ReadTextLayout(device, rows)) return ReportFailure(device, env);
  const int32_t count = header ? rows.headerLines : rows.trailerLines;
  uint16_t line = 0;
  if (!receipt::ParseWord(args[0], line) || line < 1 || line > count) {
    env.err << "ornfr: this register has " << (header ? "header" : "trailer") << " lines 1.."
            << count << "\n";
    return kExitUsage;
  }
  const uint16_t row = uint16_t(header ? rows.firstHeaderRow + line - 1 : line);
  if (!receipt::WriteTextRow(device, row, env.ansiText(args[1]))) return ReportFailure(device, env);
  env.out << (header ? "set-header" : "set-trailer") << ": line " << line << " (table 4, row "
          << row << ")\n";
  return kExitSuccess;
}

int ShowTaxRates(device::FiscalDevice& device, Environment& env) {
  for (int32_t group = 1; group <= receipt::kTaxGroups; ++group) {
    const uint16_t row = uint16_t(group);
    const std::optional<device::TableValue> rateValue =
        device.ReadTable({receipt::kTaxTable, row, 1, device::FieldKind::kNumber, 2});
    if (!rateValue) return ReportFailure(device, env);
    const uint32_t rate = rateValue->number;
    const std::optional<device::TableValue> name =
        device.ReadTable({receipt::kTaxTable, row, 2, device::FieldKind::kString, 255});
    if (!name) return ReportFailure(device, env);
    char text[64];
    std::snprintf(text, sizeof text, "tax %d: %u.%02u %% ", int(group), unsigned(rate / 100),
                  unsigned(rate % 100));
    env.out << text << env.consoleText(std::string(name->text)) << "\n";
  }
  return kExitSuccess;
}

int SetTaxRate(const std::vector<std::string>& args, device::FiscalDevice& device,
               Environment& env) {
  uint16_t group = 0;
  uint16_t rate = 0;
  if (!receipt::ParseWord(args[0], group) || group < 1 || group > receipt::kTaxGroups ||
      !receipt::ParseWord(args[1], rate) || rate > receipt::kMaxTaxRate)
    return Usage(env, "set-vat takes a tax group 1..4 and a rate in 0.01 % (1800 = 18 %)");
  if (!receipt::WriteTaxRate(device, group, rate)) return ReportFailure(device, env);
  env.out << "set-vat: tax " << group << " = " << rate / 100 << "." << (rate % 100) / 10
          << rate % 10 << " %\n";
  return kExitSuccess;
}

}  // namespace

bool RunSettingsCommand(const std::string& command, const std::vector<std::string>& args,
                        device::FiscalDevice& device, Environment& env, int& status) {
  if (command == "report") {
    status = Report(args, device, env);
  } else if (command == "set-header" || command == "set-trailer") {
    status = SetTextLine(command == "set-header", args, device, env);
  } else if (command == "vat") {
    status = ShowTaxRates(device, env);
  } else if (command == "set-vat") {
    status = SetTaxRate(args, device, env);
  } else {
    return false;
  }
  return true;
}

}  // namespace orn::ornfr
