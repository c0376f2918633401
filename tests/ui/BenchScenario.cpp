// OrnBenchUi: drives OrnBench against a register as a person at the keyboard would, checks
// each step's result panel, and asks for a screenshot of every page.
//   OrnBenchUi.exe BENCH_EXE DEVICE_NAME DESKTOP
// A screenshot request is the line "shot NAME X Y W H" on standard output (the window's
// rectangle on the screen); the caller takes it and answers with one line on standard
// input. Every check prints "ok" or "FAIL"; the last line is "ui: done." only when all
// passed.

#include <windows.h>

#include <commctrl.h>

#include <cwctype>
#include <string>

#include "LayoutCheck.h"
#include "RegistryProbe.h"
#include "UiDriver.h"

namespace orn::ui {
namespace {

int failures = 0;

void Print(const std::wstring& line) {
  const std::wstring text = line + L"\n";
  const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
  std::string bytes(size, '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size,
                        nullptr, nullptr);
  DWORD written = 0;
  ::WriteFile(::GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), size, &written, nullptr);
}

void Expect(const std::wstring& what, const std::wstring& actual, const std::wstring& expected) {
  const bool passed = actual == expected;
  if (!passed) ++failures;
  Print((passed ? L"ok   " : L"FAIL ") + what + L": '" + actual + L"'" +
        (passed ? L"" : L", expected '" + expected + L"'"));
}

void ExpectTrue(const std::wstring& what, bool passed) {
  if (!passed) ++failures;
  Print((passed ? L"ok   " : L"FAIL ") + what);
}

// "N мс.": the call's time in milliseconds.
bool IsCallTime(const std::wstring& text) {
  const std::wstring unit = L" мс.";
  if (text.size() <= unit.size() || text.compare(text.size() - unit.size(), unit.size(), unit))
    return false;
  for (size_t i = 0; i < text.size() - unit.size(); ++i) {
    if (!std::iswdigit(text[i])) return false;
  }
  return true;
}

class Scenario {
 public:
  Scenario(UiDriver& bench, std::wstring device) : bench_(bench), device_(std::move(device)) {}

  void Run() {
    designed_ = bench_.WindowRect(bench_.Main());
    // Each step prints the time it took, so that a slow step shows in the output.
    const auto step = [this](const wchar_t* name, void (Scenario::*run)()) {
      const DWORD start = ::GetTickCount();
      (this->*run)();
      Print(L"step " + std::wstring(name) + L": " + std::to_wstring(::GetTickCount() - start) +
            L" ms");
    };
    step(L"keyboard at start", &Scenario::KeyboardAtStart);
    step(L"start state", &Scenario::StartState);
    step(L"closed is a result", &Scenario::ClosedIsAResult);
    step(L"Tab through a page", &Scenario::TabRunsThroughThePage);
    step(L"device settings", &Scenario::DeviceSettings);
    step(L"open and claim", &Scenario::OpenAndClaim);
    step(L"write properties", &Scenario::EnableAndWriteProperties);
    step(L"bad integer", &Scenario::BadIntegerGivesTheBox);
    step(L"health check", &Scenario::HealthCheck);
    step(L"sales receipt", &Scenario::SalesReceipt);
    step(L"X report", &Scenario::XReport);
    step(L"property lists", &Scenario::FillPropertyLists);
    step(L"typing a property value", &Scenario::TypingAPropertyValue);
    step(L"editing a grid cell", &Scenario::EditingAGridCell);
    step(L"every page at three sizes", &Scenario::EveryPageAtThreeSizes);
    step(L"about box", &Scenario::AboutBox);
    step(L"release, close, quit", &Scenario::ReleaseCloseAndQuit);
  }

 private:
  HWND Page(const wchar_t* name) {
    HWND control = bench_.PageControl(name);
    if (!control) {
      ++failures;
      Print(L"FAIL no control " + std::wstring(name) + L" on page " + bench_.ShownPage());
    }
    return control;
  }
  std::wstring Panel(const wchar_t* name) { return bench_.TextOf(bench_.PanelControl(name)); }
  std::wstring FocusName() { return NameOf(bench_.Focus()); }

  // Every finding of a layout check is a failure of its own.
  void ExpectNoFindings(const std::wstring& where, const Findings& findings) {
    for (const std::wstring& finding : findings) ExpectTrue(where + L": " + finding, false);
    if (findings.empty()) Print(L"ok   " + where + L": every control in place, every text fits");
  }

  void Open(int tab, const wchar_t* list, int index, const wchar_t* page) {
    bench_.ChooseTab(tab);
    bench_.ChoosePage(list, index);
    Expect(L"page shown", bench_.ShownPage(), page);
  }
  void OpenCommon(int index, const wchar_t* page) { Open(0, L"lbCmnPages", index, page); }
  void OpenReceipt(int index, const wchar_t* page) { Open(1, L"lbRecPages", index, page); }

  // Presses a page button and checks the result panel: result name, extended code, state,
  // and a time in milliseconds; no message box.
  void Call(const wchar_t* button, const std::wstring& result, const std::wstring& extended = L"0",
            const std::wstring& state = L"") {
    bench_.Press(Page(button));
    const std::wstring box = bench_.MessageBoxText();
    if (!box.empty()) {
      ExpectTrue(std::wstring(button) + L": no message box (" + box + L")", false);
      bench_.CloseMessageBox();
      return;
    }
    Expect(std::wstring(button) + L" Result", Panel(L"edtResult"), result);
    Expect(std::wstring(button) + L" ResultCodeExtended", Panel(L"edtExtendedResult"), extended);
    if (!state.empty()) {
      Expect(std::wstring(button) + L" PrinterState", Panel(L"edtPrinterState"), state);
    }
    const std::wstring time = Panel(L"edtTime");
    ExpectTrue(std::wstring(button) + L" Время '" + time + L"'", IsCallTime(time));
    ExpectTrue(std::wstring(button) + L" enabled again", bench_.Enabled(Page(button)));
  }

  void Photograph(const std::wstring& name, HWND window) {
    const RECT rect = bench_.WindowRect(window);
    Print(L"shot " + name + L" " + std::to_wstring(rect.left) + L" " + std::to_wstring(rect.top) +
          L" " + std::to_wstring(rect.right - rect.left) + L" " +
          std::to_wstring(rect.bottom - rect.top));
    // Wait for the caller's answer: one line.
    char c = 0;
    DWORD read = 0;
    while (::ReadFile(::GetStdHandle(STD_INPUT_HANDLE), &c, 1, &read, nullptr) && read == 1 &&
           c != '\n') {
    }
  }

  // At start the keyboard works at once: the first field of the first page has the focus,
  // and Enter presses the page's default button.
  void KeyboardAtStart() {
    Expect(L"edtResult at start", Panel(L"edtResult"), L"");
    Expect(L"focus at start", FocusName(), L"edtDeviceName");
    bench_.ClickListEntry(bench_.MainControl(L"lbCmnPages"), 1);
    Expect(L"page chosen by a click", bench_.ShownPage(), L"TfmHealth");
    Expect(L"focus after a page is chosen", FocusName(), L"cbLevel");
    bench_.Key(VK_RETURN);
    Expect(L"Enter in a field presses CheckHealth", Panel(L"edtResult"), L"OPOS_E_CLOSED");
    ExpectTrue(L"Enter: the call's time", IsCallTime(Panel(L"edtTime")));
    Expect(L"focus after the call", FocusName(), L"cbLevel");
    bench_.ClickListEntry(bench_.MainControl(L"lbCmnPages"), 0);
    Expect(L"focus on the first page again", FocusName(), L"edtDeviceName");
  }

  // Tab runs from the list through the page's fields and buttons to the result panel and
  // round to the list; the arrows in the list change the page and keep the focus there; Enter
  // on a focused button presses that button.
  void TabRunsThroughThePage() {
    OpenCommon(0, L"TfmCommon");
    bench_.ClickListEntry(bench_.MainControl(L"lbCmnPages"), 0);
    std::wstring order = FocusName();
    for (int step = 0; step < 16 && FocusName() != L"lbCmnPages"; ++step) {
      bench_.Key(VK_TAB);
      order += L" " + FocusName();
    }
    Expect(L"Tab order on Общие", order,
           L"edtDeviceName edtTimeout btnOpen btnClose btnClaim btnRelease btnClearError "
           L"btnResetPrinter edtOpenResult edtResult edtExtendedResult edtPrinterState "
           L"edtErrorString btnAbout btnClose lbCmnPages");
    bench_.Key(VK_DOWN);
    Expect(L"Down in the list shows the next page", bench_.ShownPage(), L"TfmHealth");
    Expect(L"focus stays in the list", FocusName(), L"lbCmnPages");
    bench_.Key(VK_UP);
    bench_.Key(VK_TAB);
    Expect(L"Tab from the list", FocusName(), L"edtDeviceName");
    for (int step = 0; step < 3; ++step) bench_.Key(VK_TAB);
    Expect(L"Tab to Close", FocusName(), L"btnClose");
    bench_.Key(VK_RETURN);
    Expect(L"Enter on Close presses it", Panel(L"edtResult"), L"OPOS_E_CLOSED");
    Expect(L"focus stays on the pressed button", FocusName(), L"btnClose");

    // A receipt page: the fields in order, then the button, then the result panel.
    OpenReceipt(2, L"TfmRecItem");
    bench_.ClickListEntry(bench_.MainControl(L"lbRecPages"), 2);
    order = FocusName();
    for (int step = 0; step < 9; ++step) {
      bench_.Key(VK_TAB);
      order += L" " + FocusName();
    }
    Expect(L"Tab order on PrintRecItem", order,
           L"edtDescription edtPrice edtQuantity edtVatInfo edtUnitPrice edtUnitName "
           L"edtPreLine edtPostLine btnExecute edtResult");
  }

  // Every named control of the page now shown is reached by Tab, from the first field
  // (where choosing the page put the focus) until Tab leaves the page for the result panel.
  void ExpectEveryControlReachable() {
    const std::wstring page = bench_.ShownPage();
    std::wstring visited = L" " + FocusName() + L" ";
    const HWND pageWindow = ::GetParent(bench_.Focus());
    for (int step = 0; step < 40; ++step) {
      bench_.Key(VK_TAB);
      if (!::IsChild(pageWindow, bench_.Focus())) break;
      visited += FocusName() + L" ";
    }
    Expect(page + L": Tab leaves the page for the result panel", FocusName(), L"edtResult");
    for (const std::wstring& name : bench_.PageControlNames()) {
      ExpectTrue(page + L": Tab reaches " + name,
                 visited.find(L" " + name + L" ") != std::wstring::npos);
    }
  }

  // "Свойства": a value is typed key by key without a box on the way; a boolean is
  // written once it reads "true"; half a word is written (and refused) only on leaving.
  void TypingAPropertyValue() {
    OpenCommon(10, L"TfmCaps");
    ChooseGridRow(104);  // CheckTotal
    ExpectTrue(L"a writable property's value can be typed", !ReadOnly(Page(L"edtValue")));
    bench_.Key(VK_TAB);
    Expect(L"Tab from the grid", FocusName(), L"edtValue");
    HWND value = Page(L"edtValue");
    int boxes = 0;
    const auto noBox = [&] {
      const std::wstring box = bench_.MessageBoxText();
      if (!box.empty()) {
        Print(L"box while typing into " + FocusName() + L": " + box);
        ++boxes;
        bench_.CloseMessageBox();
      }
    };
    bench_.TypeKeys(value, L"true", noBox);
    Expect(L"boxes while typing 'true' key by key", std::to_wstring(boxes), L"0");
    bench_.TypeKeys(value, L"tr", noBox);
    Expect(L"boxes while typing 'tr'", std::to_wstring(boxes), L"0");
    bench_.Key(VK_RETURN);
    ExpectTrue(L"Enter writes 'tr', which the control refuses: one box",
               !bench_.MessageBoxText().empty());
    bench_.CloseMessageBox();
    Expect(L"focus back in the value after the box", FocusName(), L"edtValue");
    bench_.TypeKeys(value, L"false", noBox);
    bench_.TypeKeys(value, L"true", noBox);
    ChooseGridRow(117);  // PreLine: every key writes a text
    bench_.Key(VK_TAB);
    bench_.TypeKeys(value, L"Строка", noBox);
    bench_.TypeKeys(value, L"", noBox);
    Expect(L"boxes while typing texts", std::to_wstring(boxes), L"0");

    OpenCommon(11, L"TfmProps");
    bench_.Press(Page(L"btnUpdate"));
    ExpectTrue(L"CheckTotal written from 'Свойства'", bench_.Checked(Page(L"chbCheckTotal")));
    bench_.Press(Page(L"chbCheckTotal"));
  }

  // A cell of the grid is edited in place; the value field shows the edited cell, and
  // nothing is written.
  void EditingAGridCell() {
    OpenCommon(10, L"TfmCaps");
    ChooseGridRow(7);  // ResultCode
    ExpectTrue(L"a read-only property's value cannot be typed", ReadOnly(Page(L"edtValue")));
    bench_.Key(VK_F2);
    HWND editor = bench_.PageControl(L"GridEditor");
    ExpectTrue(L"F2 opens the cell", editor && ::IsWindowVisible(editor));
    if (!editor) return;
    bench_.TypeKeys(editor, L"abc", [] {});
    bench_.Key(VK_RETURN);
    ExpectTrue(L"Enter closes the cell", !::IsWindowVisible(editor));
    Expect(L"the value field shows the edited cell", bench_.TextOf(Page(L"edtValue")), L"abc");
    ExpectTrue(L"no box from the grid", bench_.MessageBoxText().empty());
  }

  // The row (from 1) chosen with the arrow keys, from the nearer end of the 118 rows.
  void ChooseGridRow(int row) {
    bench_.Click(Page(L"Grid"));
    bench_.Key(row <= 59 ? VK_HOME : VK_END);
    for (int at = row <= 59 ? 1 : 118; at != row; at += row <= 59 ? 1 : -1) {
      bench_.Key(row <= 59 ? VK_DOWN : VK_UP);
    }
  }

  bool ReadOnly(HWND field) { return (::GetWindowLongW(field, GWL_STYLE) & ES_READONLY) != 0; }

  // The main window at its smallest, designed and maximised size: every page's controls
  // inside the page, none overlapping, every text whole. A few pages are photographed at
  // each size, every page at the designed size.
  void EveryPageAtThreeSizes() {
    bench_.Restore();
    bench_.ResizeTo(1, 1);
    const RECT smallest = bench_.WindowRect(bench_.Main());
    Print(L"smallest window: " + std::to_wstring(smallest.right - smallest.left) + L" x " +
          std::to_wstring(smallest.bottom - smallest.top));
    CheckEveryPage(L"smallest");
    bench_.ResizeTo(designed_.right - designed_.left, designed_.bottom - designed_.top);
    CheckEveryPage(L"designed");
    bench_.Maximise();
    ExpectTrue(L"maximised", ::IsZoomed(bench_.Main()) != FALSE);
    CheckEveryPage(L"maximised");
    bench_.Restore();
  }

  void CheckEveryPage(const std::wstring& size) {
    const DWORD start = ::GetTickCount();
    DWORD tabbing = 0;
    for (int tab = 0; tab < 2; ++tab) {
      const wchar_t* list = tab == 0 ? L"lbCmnPages" : L"lbRecPages";
      const auto pages =
          static_cast<int>(::SendMessageW(bench_.MainControl(list), LB_GETCOUNT, 0, 0));
      for (int index = 0; index < pages; ++index) {
        bench_.ChooseTab(tab);
        bench_.ChoosePage(list, index);
        const std::wstring page = bench_.ShownPage();
        CheckLayout(size + L" " + page, index == 0);
        const std::wstring shot =
            (tab == 0 ? L"common-" : L"receipt-") + std::to_wstring(index + 1) + L"-" + page;
        CheckEverySection(size, page, size == L"designed" ? shot : L"");
        if (size == L"designed") {
          Photograph(shot, bench_.Main());
        } else if (IsPhotographedAtEverySize(page)) {
          Photograph(size + L"-" + shot, bench_.Main());
        }
        if (size == L"designed" && IsTabbedThrough(page)) {
          const DWORD tabStart = ::GetTickCount();
          bench_.ClickListEntry(bench_.MainControl(list), index);
          ExpectEveryControlReachable();
          tabbing += ::GetTickCount() - tabStart;
        }
      }
    }
    Print(L"size " + size + L": " + std::to_wstring(::GetTickCount() - start) + L" ms, Tab " +
          std::to_wstring(tabbing) + L" ms");
  }

  // Tab is walked through the pages that hold each kind of control the bench has (read-only
  // fields, boxes, the grid, pickers, check boxes, lists, paired lists); the other pages are
  // fields and buttons made by the same table code. A walk costs about a second a page.
  static bool IsTabbedThrough(const std::wstring& page) {
    for (const wchar_t* name : {L"TfmCommon", L"TfmHealth", L"TfmRep", L"TfmNonFisc", L"TfmSetDate",
                                L"TfmParams", L"TfmCaps", L"TfmProps", L"TfmHT", L"TfmSetHT",
                                L"TfmDeviceSettings", L"TfmReceipt", L"TfmRecItem", L"TfmRIAdt"}) {
      if (page == name) return true;
    }
    return false;
  }

  // A page with a row of tabs: each section's controls are checked (and photographed when
  // `shot` names the page's photograph), then the first is shown again.
  void CheckEverySection(const std::wstring& size, const std::wstring& page,
                         const std::wstring& shot) {
    HWND tabs = bench_.PageControl(L"tabSections");
    if (!tabs) return;
    const auto sections = static_cast<int>(::SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
    for (int section = 1; section < sections; ++section) {
      bench_.ChooseTabOf(tabs, section);
      const std::wstring number = std::to_wstring(section + 1);
      CheckLayout(size + L" " + page + L" section " + number, false);
      if (!shot.empty()) Photograph(shot + L"-section-" + number, bench_.Main());
    }
    bench_.ChooseTabOf(tabs, 0);
  }

  static bool IsPhotographedAtEverySize(const std::wstring& page) {
    for (const wchar_t* name : {L"TfmCommon", L"TfmParams", L"TfmCaps", L"TfmSetDate",
                                L"TfmGetData", L"TfmDeviceSettings", L"TfmReceipt", L"TfmRIAdt"}) {
      if (page == name) return true;
    }
    return false;
  }

  // The page shown; with `whole`, also the main window's parts, the page lists and the
  // result panel, which are the same whatever the page.
  void CheckLayout(const std::wstring& where, bool whole) {
    Findings findings;
    HWND data = bench_.MainControl(L"pnlData");
    CheckChildrenPlaced(data, findings);
    for (HWND page = ::GetWindow(data, GW_CHILD); page; page = ::GetWindow(page, GW_HWNDNEXT)) {
      if (::IsWindowVisible(page)) CheckControls(page, findings);
    }
    if (!whole) {
      ExpectNoFindings(where, findings);
      return;
    }
    HWND main = bench_.Main();
    HWND tabs = bench_.MainControl(L"PageControl");
    // The main window's parts side by side; the page lists on the tab control.
    const HWND parts[] = {tabs, bench_.MainControl(L"pnlData"), bench_.MainControl(L"Bevel"),
                          bench_.MainControl(L"Panel1")};
    for (HWND list : {bench_.MainControl(L"lbCmnPages"), bench_.MainControl(L"lbRecPages")}) {
      if (!::IsWindowVisible(list)) continue;
      RECT listRect = bench_.WindowRect(list);
      RECT tabRect = bench_.WindowRect(tabs);
      RECT inside = {};
      ::IntersectRect(&inside, &listRect, &tabRect);
      if (!::EqualRect(&inside, &listRect)) findings.push_back(NameOf(list) + L" outside the tabs");
      CheckText(list, findings);
    }
    RECT client = {};
    ::GetClientRect(main, &client);
    ::MapWindowPoints(main, nullptr, reinterpret_cast<POINT*>(&client), 2);
    for (size_t i = 0; i < std::size(parts); ++i) {
      RECT rect = bench_.WindowRect(parts[i]);
      RECT inside = {};
      ::IntersectRect(&inside, &rect, &client);
      if (!::EqualRect(&inside, &rect)) findings.push_back(NameOf(parts[i]) + L" outside");
      for (size_t j = i + 1; j < std::size(parts); ++j) {
        RECT other = bench_.WindowRect(parts[j]);
        RECT common = {};
        if (::IntersectRect(&common, &rect, &other)) {
          findings.push_back(NameOf(parts[i]) + L" overlaps " + NameOf(parts[j]));
        }
      }
    }
    CheckControls(bench_.MainControl(L"Panel1"), findings);
    ExpectNoFindings(where + L" and the main window", findings);
  }

  void StartState() {
    ExpectTrue(L"caption begins with the title",
               bench_.TextOf(bench_.Main()).rfind(L"Тест OPOS драйвера ФР ", 0) == 0);
    Expect(L"page at start", bench_.ShownPage(), L"TfmCommon");
    OpenReceipt(0, L"TfmReceipt");
    OpenCommon(0, L"TfmCommon");
    Expect(L"default device name", bench_.TextOf(Page(L"edtDeviceName")), L"Ornita-OPOS-1");
  }

  void ClosedIsAResult() {
    // Before Open the control answers 101: a result in the panel, not an error box.
    Call(L"btnClaim", L"OPOS_E_CLOSED");
    Expect(L"OpenResult before Open", bench_.TextOf(Page(L"edtOpenResult")), L"OPOS_SUCCESS");
  }

  // "Настройки устройства" edits the key of the device typed on "Общие", imported with the
  // sample file's COM1, where nothing is. A port the driver would search for at every Open
  // is refused and nothing is written; the driver's own search finds the register; the port
  // found and a payment type added are written and read back by the driver's own reading;
  // a write the system refuses is told as such and leaves the key as it was; "Проверить"
  // shows the doctor's lines.
  void DeviceSettings() {
    OpenCommon(0, L"TfmCommon");
    bench_.Type(Page(L"edtDeviceName"), device_);
    OpenCommon(17, L"TfmDeviceSettings");
    const std::wstring port = device_.substr(device_.rfind(L'-') + 1);
    const std::wstring key = L"SOFTWARE\\OLEforRetail\\ServiceOPOS\\FiscalPrinter\\" + device_;
    HWND tabs = Page(L"tabSections");
    ExpectTrue(L"the key read: " + Status(),
               Status().rfind(L"Прочитано: " + device_ + L", ", 0) == 0);
    Expect(L"ComNumber as imported", bench_.TextOf(Page(L"edtComNumber")), L"1");
    Expect(L"BaudRate as imported", bench_.TextOf(Page(L"cbBaudRate")), L"115200");

    const std::wstring imported = KeyDump(key);
    bench_.Type(Page(L"edtComNumber"), L"40");
    bench_.Press(Page(L"btnWrite"));
    const std::wstring refused = bench_.MessageBoxText();
    ExpectTrue(L"port 40 refused: " + refused,
               refused.rfind(L"Ничего не записано: ComNumber = 40 вне 1..32", 0) == 0);
    bench_.CloseMessageBox();
    ExpectTrue(L"nothing written after the refusal", KeyDump(key) == imported);

    bench_.Press(Page(L"btnFind"));
    const std::wstring found = bench_.TextOf(Page(L"lblFound"));
    ExpectTrue(L"the driver's search: " + found,
               found.rfind(L"Найден: COM" + port + L", 115200 бод, ", 0) == 0);
    Expect(L"the port found in its field", bench_.TextOf(Page(L"edtComNumber")), port);
    Photograph(L"device-settings-found", bench_.Main());

    bench_.ChooseTabOf(tabs, 2);
    bench_.Type(Page(L"edtPayTypeName"), L"Бонусы");
    bench_.Choose(Page(L"cbPayTypeCode"), L"3 - тип оплаты 4 ФР");
    bench_.Press(Page(L"btnAddPayType"));
    const std::vector<std::wstring> payTypes = bench_.ListBoxEntries(Page(L"lbPayTypes"));
    ExpectTrue(L"Бонусы listed", !payTypes.empty() && payTypes.back() == L"Бонусы = 3");
    Photograph(L"device-settings-payments", bench_.Main());
    bench_.Press(Page(L"btnWrite"));
    ExpectTrue(L"no box after the write (" + bench_.MessageBoxText() + L")",
               bench_.MessageBoxText().empty());
    Expect(L"written", Status(), L"Записано значений: 2; драйвер прочтёт их при Open.");
    const std::wstring reading = DriverReading(device_);
    ExpectTrue(L"the driver reads the port: " + reading,
               reading.rfind(L"ComNumber " + port + L";", 0) == 0);
    ExpectTrue(L"the driver reads Бонусы as type 3",
               reading.find(L" Бонусы=3;") != std::wstring::npos);

    {
      const std::wstring written = KeyDump(key);
      const WritesRefused cashier(key);
      ExpectTrue(L"the system refuses writes to the key", cashier.Holds());
      bench_.ChooseTabOf(tabs, 1);
      bench_.Type(Page(L"edtCloseRecText"), L"Приходите ещё");
      bench_.Press(Page(L"btnWrite"));
      const std::wstring box = bench_.MessageBoxText();
      ExpectTrue(L"the system's refusal told: " + box,
                 box.rfind(L"Ничего не записано: система не дала записать CloseRecText", 0) == 0 &&
                     box.find(L"(код 5)") != std::wstring::npos &&
                     box.find(L"от имени администратора") != std::wstring::npos);
      Photograph(L"device-settings-refused", bench_.Main());
      bench_.CloseMessageBox();
      ExpectTrue(L"nothing written when the system refuses", KeyDump(key) == written);
    }
    bench_.Press(Page(L"btnRead"));
    ExpectTrue(L"Прочитать shows the key again",
               bench_.TextOf(Page(L"edtCloseRecText")) != L"Приходите ещё");

    bench_.Press(Page(L"btnCheck"));
    const std::wstring lines = bench_.TextOf(Page(L"mmCheck"));
    ExpectTrue(L"the doctor's line of the key",
               lines.find(L"[ОК]        1. Ключ устройства") != std::wstring::npos);
    ExpectTrue(L"the doctor's line of the port",
               lines.find(L"5. Порт COM" + port + L": открывается, ФР отвечает на 115200 бод.") !=
                   std::wstring::npos);
    ExpectTrue(L"the doctor's summary: " + Status(),
               Status().rfind(L"Итог: всё, что нужно для чека, в порядке", 0) == 0);
    // Its long lines read best in a large window.
    bench_.Maximise();
    Photograph(L"device-settings-check", bench_.Main());
    bench_.Restore();
    bench_.ChooseTabOf(tabs, 0);
  }

  std::wstring Status() { return bench_.TextOf(Page(L"lblStatus")); }

  void OpenAndClaim() {
    OpenCommon(0, L"TfmCommon");
    bench_.Type(Page(L"edtDeviceName"), device_);
    Call(L"btnOpen", L"OPOS_SUCCESS");
    Expect(L"OpenResult", bench_.TextOf(Page(L"edtOpenResult")), L"OPOS_SUCCESS");
    bench_.Type(Page(L"edtTimeout"), L"1000");
    Call(L"btnClaim", L"OPOS_SUCCESS");
  }

  void BadIntegerGivesTheBox() {
    OpenCommon(0, L"TfmCommon");
    const std::wstring time = Panel(L"edtTime");
    bench_.Type(Page(L"edtTimeout"), L"abc");
    bench_.Click(Page(L"btnClaim"));
    Expect(L"bad timeout box", bench_.MessageBoxText(), L"'abc' is not a valid integer value");
    Photograph(L"error-box", bench_.Main());
    bench_.CloseMessageBox();
    Expect(L"focus back on Claim after the box", FocusName(), L"btnClaim");
    Expect(L"panel kept after the box", Panel(L"edtTime"), time);
    ExpectTrue(L"Claim enabled after the box", bench_.Enabled(Page(L"btnClaim")));
    bench_.Type(Page(L"edtTimeout"), L"0");
  }

  void EnableAndWriteProperties() {
    OpenCommon(11, L"TfmProps");
    bench_.Press(Page(L"chbDeviceEnabled"));
    bench_.Choose(Page(L"cbMessageType"), L"FPTR_MT_CASH");
    bench_.Type(Page(L"edtPreLine"), L"");
    ExpectTrue(L"no box after the property writes", bench_.MessageBoxText().empty());
    // Read back: the lists show what the control holds.
    bench_.Press(Page(L"btnUpdate"));
    Expect(L"Обновить Result", Panel(L"edtResult"), L"OPOS_SUCCESS");
    Expect(L"Обновить clears Время", Panel(L"edtTime"), L"");
    ExpectTrue(L"DeviceEnabled read back", bench_.Checked(Page(L"chbDeviceEnabled")));
    Expect(L"MessageType read back", std::to_wstring(bench_.Selection(Page(L"cbMessageType"))),
           L"7");
    Photograph(L"properties", bench_.Main());
  }

  void HealthCheck() {
    OpenCommon(1, L"TfmHealth");
    Call(L"btnCheckHealth", L"OPOS_SUCCESS");
    ExpectTrue(L"CheckHealthText shown", !bench_.TextOf(Page(L"CheckHealthText")).empty());
  }

  void SalesReceipt() {
    OpenReceipt(0, L"TfmReceipt");
    bench_.Choose(Page(L"cbFiscalReceiptType"), L"FPTR_RT_SALES");
    Expect(L"receipt type read back",
           std::to_wstring(bench_.Selection(Page(L"cbFiscalReceiptType"))), L"3");
    Call(L"btnBeginFisclReceipt", L"OPOS_SUCCESS", L"0", L"FPTR_PS_FISCAL_RECEIPT");

    OpenReceipt(2, L"TfmRecItem");
    Item(L"Хлеб", L"45,5", L"1000", L"45,5");
    Item(L"Молоко", L"179,8", L"2000", L"89,9");
    // A letter in an amount: the box, and no call.
    bench_.Type(Page(L"edtPrice"), L"12a");
    bench_.Press(Page(L"btnExecute"));
    Expect(L"bad amount box", bench_.MessageBoxText(), L"'12a' is not a valid currency value");
    bench_.CloseMessageBox();
    ExpectTrue(L"PrintRecItem enabled after the box", bench_.Enabled(Page(L"btnExecute")));
    Item(L"Сыр", L"250", L"1000", L"250");
    Photograph(L"receipt-item", bench_.Main());

    OpenReceipt(4, L"TfmRIAdt");
    bench_.Choose(Page(L"cbAdjustmentType"), L"FPTR_AT_PERCENTAGE_SURCHARGE");
    Expect(L"list writes its position", bench_.TextOf(Page(L"edtAdjustmentType")), L"4");
    bench_.Choose(Page(L"cbAdjustmentType"), L"FPTR_AT_AMOUNT_DISCOUNT");
    bench_.Type(Page(L"edtDescription"), L"Скидка");
    bench_.Type(Page(L"edtAmount"), L"10");
    Call(L"btnExecute", L"OPOS_SUCCESS", L"0", L"FPTR_PS_FISCAL_RECEIPT");

    OpenReceipt(14, L"TfmTotal");
    // "Бонусы" is the payment type the settings page added, as type 4 of the register.
    Payment(L"465,3", L"200", L"Бонусы", L"FPTR_PS_FISCAL_RECEIPT_TOTAL");
    Payment(L"465,3", L"300", L"Наличные", L"FPTR_PS_FISCAL_RECEIPT_ENDING");

    OpenReceipt(0, L"TfmReceipt");
    Call(L"btnEndFiscalReceipt", L"OPOS_SUCCESS", L"0", L"FPTR_PS_MONITOR");
  }

  void Item(const std::wstring& description, const std::wstring& price,
            const std::wstring& quantity, const std::wstring& unitPrice) {
    bench_.Type(Page(L"edtDescription"), description);
    bench_.Type(Page(L"edtPrice"), price);
    bench_.Type(Page(L"edtQuantity"), quantity);
    bench_.Type(Page(L"edtUnitPrice"), unitPrice);
    Call(L"btnExecute", L"OPOS_SUCCESS", L"0", L"FPTR_PS_FISCAL_RECEIPT");
  }

  void Payment(const std::wstring& total, const std::wstring& payment,
               const std::wstring& description, const std::wstring& state) {
    bench_.Type(Page(L"edtTotal"), total);
    bench_.Type(Page(L"edtPayment"), payment);
    bench_.Type(Page(L"edtDescription"), description);
    Call(L"btnExecute", L"OPOS_SUCCESS", L"0", state);
  }

  void XReport() {
    OpenCommon(2, L"TfmRep");
    bench_.Press(Page(L"btnPrintXReport"));
    const std::wstring result = Panel(L"edtResult");
    // The X report may not be served by the driver yet: then it answers OPOS_E_ILLEGAL.
    ExpectTrue(L"PrintXReport Result '" + result + L"'",
               result == L"OPOS_SUCCESS" || result == L"OPOS_E_ILLEGAL");
    ExpectTrue(L"PrintXReport Время", IsCallTime(Panel(L"edtTime")));
    Print(L"x-report: " + result);
  }

  void FillPropertyLists() {
    OpenCommon(9, L"TfmParams");
    bench_.Press(Page(L"btnRefresh"));
    const std::wstring lines = bench_.TextOf(Page(L"Memo"));
    ExpectTrue(L"Параметры line 1",
               lines.rfind(L"01. OpenResult                    : 0\r\n", 0) == 0);
    // 118 lines, each ending in a line break; the four-line additional header written on
    // "Fiscal Receipt" adds three. (Long lines wrap in the box: its own count is larger.)
    size_t breaks = 0;
    for (size_t at = lines.find(L"\r\n"); at != std::wstring::npos;
         at = lines.find(L"\r\n", at + 2)) {
      ++breaks;
    }
    Expect(L"Параметры line breaks", std::to_wstring(breaks), L"121");
    ExpectTrue(L"Параметры booleans",
               lines.find(L"Claimed                       : true") != std::wstring::npos);
    OpenCommon(10, L"TfmCaps");
    bench_.Press(Page(L"btnRefresh"));
  }

  void AboutBox() {
    ::PostMessageW(bench_.PanelControl(L"btnAbout"), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    ::PostMessageW(bench_.PanelControl(L"btnAbout"), WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
    HWND about = nullptr;
    for (int waited = 0; waited < 100 && !about; ++waited) {
      about = bench_.TopLevel(L"TfmAbout");
      if (!about) ::Sleep(100);
    }
    ExpectTrue(L"about box shown", about != nullptr);
    if (!about) return;
    Expect(L"about caption", bench_.TextOf(about), L"О драйвере");
    Photograph(L"about", about);
    Findings findings;
    CheckControls(about, findings);
    ExpectNoFindings(L"about box", findings);
    Expect(L"focus in the about box", FocusName(), L"btnOK");
    bench_.Key(VK_RETURN);
    for (int waited = 0; waited < 50 && bench_.TopLevel(L"TfmAbout"); ++waited) ::Sleep(100);
    ExpectTrue(L"Enter closes the about box", !bench_.TopLevel(L"TfmAbout"));
    Expect(L"focus back after the about box", FocusName(), L"btnAbout");
  }

  void ReleaseCloseAndQuit() {
    OpenCommon(0, L"TfmCommon");
    Call(L"btnRelease", L"OPOS_SUCCESS");
    Call(L"btnClose", L"OPOS_SUCCESS");
    ::SendNotifyMessageW(bench_.PanelControl(L"btnClose"), BM_CLICK, 0, 0);
    ExpectTrue(L"Закрыть ends the program", bench_.Exited(10000));
  }

  UiDriver& bench_;
  const std::wstring device_;
  RECT designed_ = {};
};

}  // namespace
}  // namespace orn::ui

int wmain(int argc, wchar_t** argv) {
  using namespace orn::ui;
  if (argc != 4) {
    Print(L"usage: OrnBenchUi BENCH_EXE DEVICE_NAME DESKTOP");
    return 2;
  }
  // The bench and this program share a desktop of their own, so that other programs of the
  // prefix never see its windows.
  HDESK desktop = ::CreateDesktopW(argv[3], nullptr, nullptr, 0, GENERIC_ALL, nullptr);
  if (desktop) ::SetThreadDesktop(desktop);
  UiDriver bench(L"\"" + std::wstring(argv[1]) + L"\"", argv[3]);
  if (!bench.Started()) {
    Print(L"FAIL the bench did not start");
    return 1;
  }
  Scenario(bench, argv[2]).Run();
  if (failures) {
    Print(std::to_wstring(failures) + L" check(s) failed");
    return 1;
  }
  Print(L"ui: done.");
  return 0;
}
