#include "FrameLayouts.h"

#include <cstdio>

#include "device/DeviceErrors.h"
#include "device/DeviceStatus.h"

namespace orn::ornfr {

namespace {

using T = FieldType;

template <size_t n>
constexpr size_t Count(const Field (&)[n]) {
  return n;
}

constexpr Field kNone[] = {{"", T::kBytes, 0}};
constexpr Field kStatus[] = {{"status", T::kStatus}};
constexpr Field kExchange[] = {{"port", T::kByte}, {"baud code", T::kByte}, {"timeout", T::kByte}};
constexpr Field kPrintString[] = {{"station", T::kByte}, {"text", T::kText}};
constexpr Field kPrintWithFont[] = {{"station", T::kByte}, {"font", T::kByte}, {"text", T::kText}};
constexpr Field kOneByte[] = {{"value", T::kByte}};
constexpr Field kRegister[] = {{"register", T::kByte}};
constexpr Field kCashRegister[] = {{"operator", T::kByte}, {"value", T::kLong}};
constexpr Field kOperationRegister[] = {{"operator", T::kByte}, {"value", T::kWord}};
constexpr Field kWriteTable[] = {
    {"table", T::kByte}, {"row", T::kWord}, {"field", T::kByte}, {"value", T::kText}};
constexpr Field kReadTable[] = {{"table", T::kByte}, {"row", T::kWord}, {"field", T::kByte}};
constexpr Field kTableValue[] = {{"value", T::kText}};
constexpr Field kTime[] = {{"time", T::kTime}};
constexpr Field kDate[] = {{"date", T::kDate}};
constexpr Field kTable[] = {{"table", T::kByte}};
constexpr Field kTableStructure[] = {
    {"name", T::kBytes, 40}, {"rows", T::kWord}, {"fields", T::kByte}};
constexpr Field kMoney[] = {{"amount", T::kMoney}};
constexpr Field kRecordDate[] = {
    {"operator", T::kByte}, {"record kind", T::kByte}, {"date", T::kDate}};
constexpr Field kReportByDates[] = {{"kind", T::kByte}, {"first", T::kDate}, {"last", T::kDate}};
constexpr Field kReportByShifts[] = {{"kind", T::kByte}, {"first", T::kWord}, {"last", T::kWord}};
constexpr Field kOpenSlip[] = {{"type", T::kByte}, {"settings", T::kBytes, 7}};
constexpr Field kSlipOperation[] = {{"line", T::kByte},   {"quantity", T::kQuantity},
                                    {"price", T::kMoney}, {"department", T::kByte},
                                    {"taxes", T::kTaxes}, {"text", T::kText}};
constexpr Field kSlipAdjustment[] = {{"surcharge", T::kByte},
                                     {"line", T::kByte},
                                     {"amount", T::kMoney},
                                     {"taxes", T::kTaxes},
                                     {"text", T::kText}};
constexpr Field kCloseSlip[] = {
    {"line", T::kByte},    {"cash", T::kMoney},        {"type 2", T::kMoney}, {"type 3", T::kMoney},
    {"type 4", T::kMoney}, {"reserved", T::kBytes, 6}, {"text", T::kText}};
constexpr Field kFillSlip[] = {{"line", T::kByte}, {"text", T::kText}};
constexpr Field kPrintSlip[] = {{"settings", T::kBytes, 2}};
constexpr Field kItem[] = {{"quantity", T::kQuantity},
                           {"price", T::kMoney},
                           {"department", T::kByte},
                           {"taxes", T::kTaxes},
                           {"text", T::kText}};
constexpr Field kCloseReceipt[] = {
    {"cash", T::kMoney},    {"type 2", T::kMoney}, {"type 3", T::kMoney}, {"type 4", T::kMoney},
    {"discount", T::kWord}, {"taxes", T::kTaxes},  {"text", T::kText}};
constexpr Field kAdjustment[] = {{"amount", T::kMoney}, {"taxes", T::kTaxes}, {"text", T::kText}};
constexpr Field kSubtotal[] = {{"operator", T::kByte}, {"subtotal", T::kMoney}};
constexpr Field kDeviceType[] = {
    {"type", T::kByte},  {"subtype", T::kByte},  {"protocol", T::kByte}, {"subversion", T::kByte},
    {"model", T::kByte}, {"language", T::kByte}, {"name", T::kText}};

#define ORN_LAYOUT(code, name, password, request, answer) \
  { code, name, password, request, Count(request), answer, Count(answer) }
#define NONE kNone

// clang-format off
const FrameLayout kLayouts[] = {
    ORN_LAYOUT(0x03, "InterruptDataOutput", true, NONE, NONE),
    ORN_LAYOUT(0x11, "GetStatus", true, NONE, kStatus),
    ORN_LAYOUT(0x14, "SetExchangeParams", true, kExchange, NONE),
    ORN_LAYOUT(0x17, "PrintString", true, kPrintString, NONE),
    ORN_LAYOUT(0x19, "StartTestRun", true, kOneByte, NONE),
    ORN_LAYOUT(0x1A, "GetCashRegister", true, kRegister, kCashRegister),
    ORN_LAYOUT(0x1B, "GetOperationRegister", true, kRegister, kOperationRegister),
    ORN_LAYOUT(0x1E, "WriteTable", true, kWriteTable, NONE),
    ORN_LAYOUT(0x1F, "ReadTable", true, kReadTable, kTableValue),
    ORN_LAYOUT(0x21, "SetDeviceTime", true, kTime, NONE),
    ORN_LAYOUT(0x22, "SetDeviceDate", true, kDate, NONE),
    ORN_LAYOUT(0x23, "ConfirmDate", true, kDate, NONE),
    ORN_LAYOUT(0x25, "CutPaper", true, kOneByte, NONE),
    ORN_LAYOUT(0x2B, "InterruptTest", true, NONE, NONE),
    ORN_LAYOUT(0x2D, "GetTableStructure", true, kTable, kTableStructure),
    ORN_LAYOUT(0x2F, "PrintStringWithFont", true, kPrintWithFont, NONE),
    ORN_LAYOUT(0x40, "PrintReportX", true, NONE, NONE),
    ORN_LAYOUT(0x41, "PrintReportZ", true, NONE, NONE),
    ORN_LAYOUT(0x50, "CashIn", true, kMoney, NONE),
    ORN_LAYOUT(0x51, "CashOut", true, kMoney, NONE),
    ORN_LAYOUT(0x63, "GetLastFiscalRecordDate", true, NONE, kRecordDate),
    ORN_LAYOUT(0x64, "EnterTaxPassword", true, NONE, NONE),
    ORN_LAYOUT(0x66, "FiscalReportByDates", true, kReportByDates, NONE),
    ORN_LAYOUT(0x67, "FiscalReportByShifts", true, kReportByShifts, NONE),
    ORN_LAYOUT(0x71, "OpenSlipDocument", true, kOpenSlip, NONE),
    ORN_LAYOUT(0x73, "SlipOperation", true, kSlipOperation, NONE),
    ORN_LAYOUT(0x75, "SlipAdjustment", true, kSlipAdjustment, NONE),
    ORN_LAYOUT(0x77, "CloseSlipReceipt", true, kCloseSlip, NONE),
    ORN_LAYOUT(0x7A, "FillSlipBuffer", true, kFillSlip, NONE),
    ORN_LAYOUT(0x7D, "PrintSlip", true, kPrintSlip, NONE),
    ORN_LAYOUT(0x80, "Sale", true, kItem, NONE),
    ORN_LAYOUT(0x82, "ReturnSale", true, kItem, NONE),
    ORN_LAYOUT(0x84, "Storno", true, kItem, NONE),
    ORN_LAYOUT(0x85, "CloseReceipt", true, kCloseReceipt, NONE),
    ORN_LAYOUT(0x86, "Discount", true, kAdjustment, NONE),
    ORN_LAYOUT(0x87, "Surcharge", true, kAdjustment, NONE),
    ORN_LAYOUT(0x88, "AnnulReceipt", true, NONE, NONE),
    ORN_LAYOUT(0x89, "Subtotal", true, NONE, kSubtotal),
    ORN_LAYOUT(0x8A, "StornoDiscount", true, kAdjustment, NONE),
    ORN_LAYOUT(0x8B, "StornoSurcharge", true, kAdjustment, NONE),
    ORN_LAYOUT(0x8C, "RepeatDocument", true, NONE, NONE),
    ORN_LAYOUT(0xB0, "ContinuePrint", true, NONE, NONE),
    ORN_LAYOUT(0xFC, "GetDeviceType", false, NONE, kDeviceType),
};
// clang-format on
#undef NONE
#undef ORN_LAYOUT

uint64_t Le(const uint8_t* bytes, size_t count) {
  uint64_t value = 0;
  for (size_t i = count; i > 0; --i) value = value << 8 | bytes[i - 1];
  return value;
}

std::string Printf(const char* format, unsigned long long a, unsigned long long b = 0,
                   unsigned long long c = 0) {
  char text[96];
  std::snprintf(text, sizeof text, format, a, b, c);
  return text;
}

std::string Hex(const uint8_t* bytes, size_t count) {
  std::string text;
  for (size_t i = 0; i < count; ++i) text += Printf(i == 0 ? "%02llX" : " %02llX", bytes[i]);
  return text;
}

std::string Amount(uint64_t value) {
  return Printf("%llu", value);
}

std::string Status(const uint8_t* s) {
  namespace st = device::status;
  const uint8_t mode = s[st::kMode];
  return Printf("mode %llu.%llu", device::mode::Number(mode), device::mode::Detail(mode)) +
         Printf(", submode %llu (", s[st::kSubmode]) + device::SubmodeText(s[st::kSubmode]) + ")" +
         Printf(", flags %04llXh", Le(s + st::kFlags, 2)) +
         Printf(", document %llu", Le(s + st::kDocumentNumber, 2)) +
         Printf(", date %02llu.%02llu.", s[st::kDate], s[st::kDate + 1]) +
         Printf("%04llu", 2000u + s[st::kDate + 2]) +
         Printf(" %02llu:%02llu:%02llu", s[st::kTime], s[st::kTime + 1], s[st::kTime + 2]) +
         Printf(", last shift %llu", Le(s + st::kLastClosedShift, 2)) +
         Printf(", free records %llu", Le(s + st::kFreeMemoryRecords, 2));
}

// The size a field takes; 0 for a field that takes the rest.
size_t SizeOf(const Field& field) {
  switch (field.type) {
    case T::kByte:
      return 1;
    case T::kWord:
      return 2;
    case T::kMoney:
    case T::kQuantity:
      return 5;
    case T::kLong:
      return 6;
    case T::kDate:
    case T::kTime:
      return 3;
    case T::kTaxes:
      return 4;
    case T::kBytes:
      return field.size;
    case T::kStatus:
      return size_t(device::status::kSize);
    case T::kText:
      return 0;
  }
  return 0;
}

}  // namespace

const FrameLayout* FindFrameLayout(uint8_t code) {
  for (const FrameLayout& layout : kLayouts)
    if (layout.code == code) return &layout;
  return nullptr;
}

std::string DescribeFields(const Field* fields, size_t count, const uint8_t* bytes, size_t size) {
  std::string text;
  size_t at = 0;
  for (size_t i = 0; i < count && at < size; ++i) {
    const Field& field = fields[i];
    const size_t width = field.type == T::kText ? size - at : SizeOf(field);
    if (width == 0) continue;
    if (at + width > size) break;  // a short frame: the rest in hex below
    const uint8_t* p = bytes + at;
    std::string value;
    switch (field.type) {
      case T::kByte:
      case T::kWord:
      case T::kLong:
        value = Amount(Le(p, width));
        break;
      case T::kMoney:
        value = Amount(Le(p, width));
        break;
      case T::kQuantity: {
        const uint64_t q = Le(p, width);
        value = Printf("%llu.%03llu", q / 1000, q % 1000);
        break;
      }
      case T::kDate:
        value = Printf("%02llu.%02llu.%04llu", p[0], p[1], 2000u + p[2]);
        break;
      case T::kTime:
        value = Printf("%02llu:%02llu:%02llu", p[0], p[1], p[2]);
        break;
      case T::kTaxes:
      case T::kBytes:
        value = Hex(p, width);
        break;
      case T::kText: {
        size_t length = 0;
        while (length < width && p[length] != 0) ++length;
        value = "\"" + std::string(reinterpret_cast<const char*>(p), length) + "\"";
        break;
      }
      case T::kStatus:
        value = Status(p);
        break;
    }
    if (!text.empty()) text += ", ";
    text += field.type == T::kStatus ? value : std::string(field.name) + " " + value;
    at += width;
  }
  if (at < size) {
    if (!text.empty()) text += ", ";
    text += "bytes " + Hex(bytes + at, size - at);
  }
  return text;
}

}  // namespace orn::ornfr
