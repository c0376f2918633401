// A technician reads the driver's log by method name: every call a till makes is logged
// under its own name, whatever it returns.

#include <functional>
#include <utility>
#include <vector>

#include "unit/service/ServiceFixture.h"

namespace orn::testing {
namespace {

class MethodLogNamesTest : public ServiceFixture {};

TEST_F(MethodLogNamesTest, EveryCallIsLoggedUnderItsOwnName) {
  Attach();
  OpenAndClaim();
  service::FptrService& s = service_;
  std::u16string text;
  int32_t number = 0;
  const std::vector<std::pair<const char*, std::function<void()>>> calls = {
      {"CheckHealth", [&] { s.CheckHealth(1); }},
      {"ClearOutput", [&] { s.ClearOutput(); }},
      {"BeginFiscalDocument", [&] { s.BeginFiscalDocument(0); }},
      {"BeginFixedOutput", [&] { s.BeginFixedOutput(2, 0); }},
      {"BeginInsertion", [&] { s.BeginInsertion(0); }},
      {"BeginItemList", [&] { s.BeginItemList(0); }},
      {"BeginRemoval", [&] { s.BeginRemoval(0); }},
      {"BeginTraining", [&] { s.BeginTraining(); }},
      {"ClearError", [&] { s.ClearError(); }},
      {"EndFiscalDocument", [&] { s.EndFiscalDocument(); }},
      {"EndFixedOutput", [&] { s.EndFixedOutput(); }},
      {"EndInsertion", [&] { s.EndInsertion(); }},
      {"EndItemList", [&] { s.EndItemList(); }},
      {"EndRemoval", [&] { s.EndRemoval(); }},
      {"EndTraining", [&] { s.EndTraining(); }},
      {"GetDate", [&] { s.GetDate(text); }},
      {"GetTotalizer", [&] { s.GetTotalizer(0, 1, text); }},
      {"GetVatEntry", [&] { s.GetVatEntry(1, 0, number); }},
      {"PrintDuplicateReceipt", [&] { s.PrintDuplicateReceipt(); }},
      {"PrintFiscalDocumentLine", [&] { s.PrintFiscalDocumentLine(u"x"); }},
      {"PrintFixedOutput", [&] { s.PrintFixedOutput(0, 0, u"x"); }},
      {"PrintNormal", [&] { s.PrintNormal(2, u"x"); }},
      {"PrintPeriodicTotalsReport", [&] { s.PrintPeriodicTotalsReport(u"x", u"y"); }},
      {"PrintPowerLossReport", [&] { s.PrintPowerLossReport(); }},
      {"PrintReport", [&] { s.PrintReport(9, u"1", u"2"); }},
      {"SetPOSID", [&] { s.SetPOSID(u"1", u"2"); }},
      {"SetStoreFiscalID", [&] { s.SetStoreFiscalID(u"1"); }},
      {"SetVatTable", [&] { s.SetVatTable(); }},
      {"SetVatValue", [&] { s.SetVatValue(9, u"1"); }},
      {"VerifyItem", [&] { s.VerifyItem(u"x", 1); }},
      {"SetCurrency", [&] { s.SetCurrency(1); }},
      {"SetDate", [&] { s.SetDate(u"x"); }},
      {"SetHeaderLine", [&] { s.SetHeaderLine(99, u"x", false); }},
      {"SetTrailerLine", [&] { s.SetTrailerLine(99, u"x", false); }},
      {"BeginFiscalReceipt", [&] { s.BeginFiscalReceipt(true); }},
      {"PrintRecItem", [&] { s.PrintRecItem(u"x", 10000, 1000, 1, 0, u""); }},
      {"PrintRecItemAdjustment", [&] { s.PrintRecItemAdjustment(1, u"", 100, 1); }},
      {"PrintRecRefund", [&] { s.PrintRecRefund(u"x", 100, 1); }},
      {"PrintRecRefundVoid", [&] { s.PrintRecRefundVoid(u"x", 100, 1); }},
      {"PrintRecVoidItem", [&] { s.PrintRecVoidItem(u"x", 100, 0, 0, 0, 1); }},
      {"PrintRecSubtotal", [&] { s.PrintRecSubtotal(0); }},
      {"PrintRecSubtotalAdjustment", [&] { s.PrintRecSubtotalAdjustment(1, u"", 100); }},
      {"PrintRecSubtotalAdjustVoid", [&] { s.PrintRecSubtotalAdjustVoid(1, 100); }},
      {"PrintRecPackageAdjustment", [&] { s.PrintRecPackageAdjustment(1, u"x", u"1"); }},
      {"PrintRecPackageAdjustVoid", [&] { s.PrintRecPackageAdjustVoid(1, u"1"); }},
      {"PrintRecItemFuel", [&] { s.PrintRecItemFuel(u"x", 0, 0, 0, 0, u"", 0, u""); }},
      {"PrintRecItemFuelVoid", [&] { s.PrintRecItemFuelVoid(u"x", 0, 0, 0); }},
      {"PrintRecCash", [&] { s.PrintRecCash(100); }},
      {"PrintRecTotal", [&] { s.PrintRecTotal(0, 100000, u"Наличные"); }},
      {"PrintRecMessage", [&] { s.PrintRecMessage(u"x"); }},
      {"PrintRecNotPaid", [&] { s.PrintRecNotPaid(u"x", 100); }},
      {"PrintRecTaxID", [&] { s.PrintRecTaxID(u"x"); }},
      {"EndFiscalReceipt", [&] { s.EndFiscalReceipt(false); }},
      {"PrintRecVoid", [&] { s.PrintRecVoid(u"x"); }},
      {"BeginNonFiscal", [&] { s.BeginNonFiscal(); }},
      {"EndNonFiscal", [&] { s.EndNonFiscal(); }},
      {"PrintXReport", [&] { s.PrintXReport(); }},
      {"ResetPrinter", [&] { s.ResetPrinter(); }},
      {"PrintZReport", [&] { s.PrintZReport(); }},
      {"ReleaseDevice", [&] { s.ReleaseDevice(); }},
      {"Close service", [&] { s.CloseService(); }},
  };
  for (const auto& [name, call] : calls) {
    const size_t before = Log().size();
    call();
    const std::string entry = Log().substr(before);
    // The entry opens with the time stamp and the name on a line of their own.
    EXPECT_NE(entry.find(std::string(" ") + name + "\r\n"), std::string::npos)
        << name << ":\n"
        << entry.substr(0, 80);
  }
}

}  // namespace
}  // namespace orn::testing
