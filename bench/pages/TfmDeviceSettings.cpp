// TfmDeviceSettings, entry "Настройки устройства": the OPOS device key of the bench's device
// (the name typed on "Общие") in the bench's own registry view, and the driver's log
// settings. "Найти" runs the driver's own search for the register; "Записать" writes once
// every value has passed the driver's reading of it, all or nothing; "Проверить" runs the
// doctor of ornfr and shows its lines.

#include <windows.h>

#include <sstream>

#include "../BenchError.h"
#include "../DeviceSettings.h"
#include "../DriverText.h"
#include "../TPage.h"
#include "../Win32SettingsStore.h"
#include "Doctor.h"
#include "DoctorChecks.h"
#include "device/FiscalDevice.h"
#include "device/Protocol.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32PortProvider.h"
#include "platform/win32/Win32Registry.h"
#include "win32/Win32DoctorSystem.h"

namespace orn::bench {

extern const PageClass TfmDeviceSettingsClass;

namespace {

enum Section { kLink = 1, kReceipt, kPayments, kLog, kCheck };
constexpr const wchar_t* kSections[] = {L"Связь", L"Чек", L"Оплата", L"Журнал", L"Проверка"};
// A payment type's code: 0 cash, 1..3 the register's payment types 2..4.
constexpr const wchar_t* kPayCodes[] = {L"0 - наличные", L"1 - тип оплаты 2 ФР",
                                        L"2 - тип оплаты 3 ФР", L"3 - тип оплаты 4 ФР"};

constexpr int kNarrowW = 60;
constexpr int kButtonW = 90;
constexpr int kToolW = 76;
constexpr int kLineH = 16;

constexpr ControlLayout Line(const wchar_t* name, const wchar_t* text, int row) {
  return {Kind::Label, name, nullptr, text, kLabelX, RowY(row) + 3, 200, kLineH, {}, -1, true};
}
// A button of the row under the payment types, `at` from the left.
constexpr ControlLayout PayTypeButton(const wchar_t* name, const wchar_t* caption, int at) {
  ControlLayout layout = {Kind::Tool,  name,   nullptr, caption, kLabelX + at * (kToolW + 6),
                          RowY(6) + 4, kToolW, 0};
  layout.pinned = true;
  return layout;
}

constexpr ControlLayout kControls[] = {
    InSection(kLink, Field(L"edtComNumber", L"ComNumber:", L"", 1, kNarrowW)),
    InSection(kLink, {Kind::Tool, L"btnFind", nullptr, L"Найти", kFieldX + kNarrowW + 6,
                      RowY(1) - 1, kToolW, 0}),
    InSection(kLink, Line(L"lblFound", L"", 2)),
    InSection(kLink, List(L"cbBaudRate", L"BaudRate:", {}, 3)),
    InSection(kLink, Field(L"edtPassword", L"Password:", L"", 4)),
    InSection(kLink, Field(L"edtPasswordNI", L"PasswordNI:", L"", 5)),

    InSection(kReceipt, Check(L"chbCodepage866", L"Codepage866 (кодировка 866)", 1)),
    InSection(kReceipt, Field(L"edtSubtotalName", L"SubtotalName:", L"", 2)),
    InSection(kReceipt, Field(L"edtCloseRecText", L"CloseRecText:", L"", 3)),
    InSection(kReceipt, Field(L"edtFontNumber", L"FontNumber:", L"", 4, kNarrowW)),
    InSection(kReceipt, Field(L"edtPayTypeName2", L"PayTypeName2:", L"", 5)),
    InSection(kReceipt, Field(L"edtPayTypeName3", L"PayTypeName3:", L"", 6)),
    InSection(kReceipt, Field(L"edtPayTypeName4", L"PayTypeName4:", L"", 7)),

    InSection(
        kPayments,
        {Kind::ListBox, L"lbPayTypes", nullptr, L"", kLabelX, RowY(1), 200, 74, {}, -1, true}),
    InSection(kPayments, Field(L"edtPayTypeName", L"Имя:", L"", 4)),
    InSection(kPayments, List(L"cbPayTypeCode", L"Код:", kPayCodes, 5)),
    InSection(kPayments, PayTypeButton(L"btnAddPayType", L"Добавить", 0)),
    InSection(kPayments, PayTypeButton(L"btnChangePayType", L"Изменить", 1)),
    InSection(kPayments, PayTypeButton(L"btnRemovePayType", L"Удалить", 2)),

    InSection(kLog, Check(L"chbLogEnabled", L"LogEnabled (вести журнал)", 1)),
    InSection(kLog, Field(L"edtLogFileName", L"LogFileName:", L"", 2)),
    InSection(kLog, Field(L"edtLogFileMaxSize", L"LogFileMaxSize, МБ:", L"", 3, kNarrowW)),
    InSection(kLog, Line(L"lblLogNote", L"Журнал общий для всех устройств драйвера.", 4)),

    InSection(
        kCheck,
        {Kind::WrappedText, L"mmCheck", nullptr, L"", kLabelX, RowY(1), 200, 100, {}, -1, true}),

    // Under every section; placed by OnResize at the bottom of the page.
    {Kind::Tool, L"btnRead", nullptr, L"Прочитать", kLabelX, 0, kButtonW, 0},
    {Kind::Button, L"btnWrite", nullptr, L"Записать", kLabelX, 0, kButtonW, 0},
    {Kind::Button, L"btnCheck", nullptr, L"Проверить", kLabelX, 0, kButtonW, 0},
    Line(L"lblStatus", L"", 0),
    // Above the sections, and last in the Tab order, as the tabs of a property sheet are.
    {Kind::Tabs, L"tabSections", nullptr, L"", kLabelX, 6, 200, 0, kSections, -1, true},
};

// The control of each value the page edits; the prefix tells how it shows the value.
struct ValueControl {
  const char* value;
  const wchar_t* control;
};
constexpr ValueControl kValueControls[] = {
    {"Codepage866", L"chbCodepage866"},   {"ComNumber", L"edtComNumber"},
    {"BaudRate", L"cbBaudRate"},          {"Password", L"edtPassword"},
    {"PasswordNI", L"edtPasswordNI"},     {"SubtotalName", L"edtSubtotalName"},
    {"CloseRecText", L"edtCloseRecText"}, {"FontNumber", L"edtFontNumber"},
    {"PayTypeName2", L"edtPayTypeName2"}, {"PayTypeName3", L"edtPayTypeName3"},
    {"PayTypeName4", L"edtPayTypeName4"}, {"LogEnabled", L"chbLogEnabled"},
    {"LogFileName", L"edtLogFileName"},   {"LogFileMaxSize", L"edtLogFileMaxSize"},
};

const wchar_t* ControlOf(const std::string& value) {
  for (const ValueControl& entry : kValueControls)
    if (value == entry.value) return entry.control;
  return nullptr;
}

bool Starts(const std::wstring& name, const wchar_t* prefix) {
  return name.rfind(prefix, 0) == 0;
}

std::wstring RegistryView() {
  return sizeof(void*) == 8 ? L"64-разрядный реестр" : L"32-разрядный реестр";
}

std::wstring Joined(const std::vector<std::string>& parts) {
  std::wstring text;
  for (const std::string& part : parts) text += (text.empty() ? L"" : L", ") + FromAnsi(part);
  return text;
}

class TfmDeviceSettings : public TPage {
 public:
  TfmDeviceSettings(HWND parent, TDriver& driver)
      : TPage(parent, driver, TfmDeviceSettingsClass, kControls) {
    for (uint32_t rate : device::kBaudRates) {
      ::SendMessageW(Control(L"cbBaudRate"), CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(std::to_wstring(rate).c_str()));
    }
    AddHint(L"edtPasswordNI", L"Пусто: значения нет, команды налогового инспектора недоступны");
    AddHint(L"edtFontNumber", L"Пусто: значения нет, драйвер печатает шрифтом 1");
    AddHint(L"btnFind", L"Поиск драйвера: сначала этот порт, потом порты 1..32 на всех скоростях");
    AddHint(L"btnCheck", L"Проверка ornfr doctor: ключ, как он записан, регистрация, порт, ФР");
  }

 private:
  // The key is read when the page is first shown and whenever the device name changed.
  void OnShow() override {
    if (Driver().DeviceName() != device_) Read();
  }

  void OnClick(const std::wstring& name) override {
    if (name == L"btnRead") {
      Read();
    } else if (name == L"btnFind") {
      RunProtocol([this] { Find(); });
    } else if (name == L"btnWrite") {
      RunProtocol([this] { Write(); });
    } else if (name == L"btnCheck") {
      RunProtocol([this] { Check(); });
    } else if (name == L"btnAddPayType") {
      EditPayType(-1);
    } else if (name == L"btnChangePayType") {
      EditPayType(ChosenPayType());
    } else if (name == L"btnRemovePayType") {
      const int chosen = ChosenPayType();
      payTypes_.erase(payTypes_.begin() + chosen);
      ShowPayTypes(-1);
    }
  }

  void OnSelect(const std::wstring& name) override {
    if (name != L"lbPayTypes") return;
    const int chosen = static_cast<int>(::SendMessageW(Control(name), LB_GETCURSEL, 0, 0));
    if (chosen < 0) return;
    SetText(L"edtPayTypeName", FromAnsi(payTypes_[chosen].name));
    // A code outside the list (one the driver skips) leaves the list without a choice.
    const std::string code = payTypes_[chosen].text.value_or("");
    const bool listed = code.size() == 1 && code[0] >= '0' && code[0] <= '3';
    Select(L"cbPayTypeCode", listed ? code[0] - '0' : -1);
  }

  void OnResize(int width, int height) override {
    const int right = width - kMargin;
    const int statusY = height - kMargin - kLineH;
    const int buttonsY = statusY - 30;
    const wchar_t* buttons[] = {L"btnRead", L"btnWrite", L"btnCheck"};
    for (int i = 0; i < 3; ++i)
      Place(buttons[i], kLabelX + i * (kButtonW + 6), buttonsY, kButtonW, 24);
    Place(L"lblStatus", kLabelX, statusY, right - kLabelX, kLineH);
    Place(L"lblFound", kLabelX, RowY(2) + 3, right - kLabelX, kLineH);
    Place(L"lblLogNote", kLabelX, RowY(4) + 3, right - kLabelX, kLineH);
    Place(L"lbPayTypes", kLabelX, RowY(1), right - kLabelX, RowY(4) - 4 - RowY(1));
    Place(L"mmCheck", kLabelX, RowY(1), right - kLabelX, buttonsY - 8 - RowY(1));
  }

  void SetStatus(const std::wstring& text) { SetText(L"lblStatus", text); }

  // --- The fields and the values ---

  void ShowValue(const std::string& value, const std::optional<std::string>& text) {
    const wchar_t* name = ControlOf(value);
    if (!name) return;
    const std::wstring control = name;
    if (Starts(control, L"chb")) {
      SetChecked(control, text && *text != "0");
    } else if (Starts(control, L"cb")) {
      // A value the list does not hold (a rate the register does not take) is shown as it is.
      const std::wstring entry = text ? FromAnsi(*text) : L"";
      auto index = ::SendMessageW(Control(control), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                  reinterpret_cast<LPARAM>(entry.c_str()));
      if (index == CB_ERR && !entry.empty()) {
        index = ::SendMessageW(Control(control), CB_ADDSTRING, 0,
                               reinterpret_cast<LPARAM>(entry.c_str()));
      }
      Select(control, entry.empty() ? -1 : static_cast<int>(index));
    } else {
      SetText(control, text ? FromAnsi(*text) : L"");
    }
  }

  // The value's text as the field holds it; throws for a character the ANSI code page
  // lacks, which the driver could not read back.
  std::optional<std::string> ValueText(const std::string& value) {
    const std::wstring control = ControlOf(value);
    if (Starts(control, L"chb")) return Checked(control) ? "1" : "0";
    std::wstring text = Text(control);
    if (Starts(control, L"cb") && Position(control) == 0) return std::nullopt;
    return Ansi(text, FromAnsi(value));
  }

  static std::string Ansi(const std::wstring& text, const std::wstring& what) {
    bool lost = false;
    std::string ansi = ToAnsi(text, &lost);
    if (lost) {
      throw BenchError{what + L": в тексте есть знак, которого нет в кодовой странице Windows; " +
                       L"драйвер его не прочтёт."};
    }
    return ansi;
  }

  DeviceSettings Collect() {
    DeviceSettings settings = shown_;
    for (TextValue& value : settings.device) value.text = ValueText(value.name);
    bool logChanged = false;
    for (TextValue& value : settings.log) {
      const std::optional<std::string> text = ValueText(value.name);
      logChanged = logChanged || text != value.text;
      value.text = text;
    }
    // The driver's defaults are not written into a driver key that is not there.
    if (!driverKey_ && !logChanged) settings.log.clear();
    settings.payTypes = payTypes_;
    return settings;
  }

  // --- Reading ---

  void Read() {
    device_ = Driver().DeviceName();
    const SettingsRead read = ReadSettings(registry_, KeysOf(Ansi(device_, L"DeviceName")), clock_);
    shown_ = read.settings;
    driverKey_ = read.driverKey;
    for (const TextValue& value : shown_.device) ShowValue(value.name, value.text);
    for (const TextValue& value : shown_.log) ShowValue(value.name, value.text);
    payTypes_ = shown_.payTypes;
    ShowPayTypes(-1);
    SetText(L"lblFound", L"");
    if (read.code == ERROR_FILE_NOT_FOUND) {
      SetStatus(L"Нет ключа устройства " + device_ + L" (" + RegistryView() + L").");
    } else if (read.code != ERROR_SUCCESS) {
      SetStatus(L"Ключ устройства не открывается: код " + std::to_wstring(read.code) + L".");
    } else if (!read.unreadable.empty()) {
      SetStatus(L"Драйвер не читает: " + Joined(read.unreadable) + L".");
    } else {
      SetStatus(L"Прочитано: " + device_ + L", " + RegistryView() + L".");
    }
  }

  // --- The payment types ---

  void ShowPayTypes(int chosen) {
    const HWND list = Control(L"lbPayTypes");
    ::SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (const TextValue& payType : payTypes_) {
      const std::wstring entry =
          FromAnsi(payType.name) + L" = " + (payType.text ? FromAnsi(*payType.text) : L"?");
      ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    }
    ::SendMessageW(list, LB_SETCURSEL, chosen, 0);
  }

  int ChosenPayType() {
    const auto chosen =
        static_cast<int>(::SendMessageW(Control(L"lbPayTypes"), LB_GETCURSEL, 0, 0));
    if (chosen < 0) throw BenchError{L"Выберите способ оплаты в списке."};
    return chosen;
  }

  // Adds a payment type (`index` -1) or changes one, from the name and code fields; the
  // key is written by "Записать".
  void EditPayType(int index) {
    const std::string name = Ansi(Text(L"edtPayTypeName"), L"Имя способа оплаты");
    if (name.empty()) throw BenchError{L"Введите имя способа оплаты."};
    const int code = Position(L"cbPayTypeCode") - 1;
    if (code < 0) throw BenchError{L"Выберите код способа оплаты."};
    for (int other = 0; other < int(payTypes_.size()); ++other) {
      if (other != index && SameValueName(payTypes_[other].name, name))
        throw BenchError{L"Способ оплаты \"" + FromAnsi(name) + L"\" уже есть."};
    }
    const TextValue payType{name, std::to_string(code)};
    if (index < 0) {
      payTypes_.push_back(payType);
      index = int(payTypes_.size()) - 1;
    } else {
      payTypes_[index] = payType;
    }
    ShowPayTypes(index);
    SetStatus(L"Изменено; в реестр запишет кнопка \"Записать\".");
  }

  // --- Finding the register ---

  // The driver's own search from the port and rate in the fields: that port first, then
  // ports 1..32 at every rate. Nothing is written: the port found goes into the field.
  void Find() {
    ornfr::NoFiles noFiles;
    config::DriverLog quiet(noFiles, clock_);
    device::FiscalDevice device(ports_, clock_, quiet);
    const std::wstring port = Text(L"edtComNumber");
    const std::wstring password = Text(L"edtPassword");
    const int rate = Position(L"cbBaudRate") ? ParseInteger(Text(L"cbBaudRate")) : 0;
    device.SetConnection(port.empty() ? 0 : ParseInteger(port), uint32_t(rate));
    device.SetPassword(password.empty() ? config::kDefaultOperatorPassword
                                        : uint32_t(ParseInteger(password)));
    const HCURSOR cursor = ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
    const bool found = device.FindDevice();
    const bool typed = found && device.GetDeviceType();
    ::SetCursor(cursor);
    if (!found) {
      SetText(L"lblFound", L"ФР не найден: " + FromAnsi(device.ErrorString()));
      return;
    }
    const std::wstring where = std::to_wstring(device.ComNumber());
    const std::wstring baud = std::to_wstring(device.Port().CurrentBaud());
    device.Disconnect();
    SetText(L"edtComNumber", where);
    ShowValue("BaudRate", ToAnsi(baud));
    SetText(L"lblFound", L"Найден: COM" + where + L", " + baud + L" бод" +
                             (typed ? L", " + FromAnsi(device.Type().name) : L"") + L".");
  }

  // --- Writing ---

  void Write() {
    const std::string deviceName = Ansi(device_, L"DeviceName");
    const SettingsKeys keys = KeysOf(deviceName);
    Win32SettingsStore store(registry_);
    if (!store.KeyExists(keys.device)) {
      throw BenchError{L"Ничего не записано: нет ключа HKLM\\" + FromAnsi(keys.device) + L" (" +
                       RegistryView() +
                       L"). Установите драйвер (OrnitaOPOS-setup.exe) или импортируйте файл "
                       L"устройства программой regedit."};
    }
    const DeviceSettings settings = Collect();
    std::vector<std::string> payTypesNow;
    store.ValueNames(keys.payTypes, payTypesNow);
    std::vector<ValueWrite> writes;
    std::string problem = PlanWrites(settings, keys, payTypesNow, writes);
    if (problem.empty()) {
      std::ostringstream unused;
      ornfr::Environment env = DoctorEnvironment(unused);
      problem = CheckAsTheDriverReads(writes, deviceName, keys, env);
    }
    if (!problem.empty()) throw BenchError{L"Ничего не записано: " + FromAnsi(problem) + L"."};

    const WriteOutcome outcome = ApplyWrites(store, writes);
    if (!outcome.refused.empty()) {
      SetStatus(L"Не записано: код " + std::to_wstring(outcome.code) + L".");
      throw BenchError{Refusal(outcome)};
    }
    // The bench's own reading of Codepage866 follows the key it reads.
    ReadCodepageFlag(L"Ornita-OPOS-1");
    Read();
    SetStatus(outcome.written.empty()
                  ? L"Нечего записывать: в реестре те же значения."
                  : L"Записано значений: " + std::to_wstring(outcome.written.size()) +
                        L"; драйвер прочтёт их при Open.");
  }

  static std::wstring Refusal(const WriteOutcome& outcome) {
    std::wstring said = SystemMessage(outcome.code);
    while (!said.empty() && (said.back() == L'.' || said.back() == L' ')) said.pop_back();
    std::wstring text = outcome.notRestored.empty() ? L"Ничего не записано" : L"Записано не всё";
    text += L": система не дала записать " + FromAnsi(outcome.refused) + L" в ключ HKLM\\" +
            FromAnsi(outcome.refusedKey) + L": " + said + L" (код " +
            std::to_wstring(outcome.code) + L").";
    if (outcome.notRestored.empty()) {
      text += L" Ключ остался как был.";
    } else {
      text += L" Вернуть прежними не удалось: " + Joined(outcome.notRestored) +
              L". Проверьте ключ кнопкой \"Проверить\".";
    }
    if (outcome.code == ERROR_ACCESS_DENIED) {
      text +=
          L"\r\n\r\nПрограмма установки даёт пользователям право записи только в ключ "
          L"Params. Запишите настройки, запустив OrnBench от имени администратора.";
    }
    return text;
  }

  // --- The doctor ---

  // The doctor's console is `out`; its texts stay in the ANSI code page.
  ornfr::Environment DoctorEnvironment(std::ostream& out) {
    const auto same = [](const std::string& text) { return text; };
    return {ports_, clock_, files_, nullptr, same, same, out, out};
  }

  // The doctor's checks of the device as the registry now has it, for applications of the
  // bench's bitness.
  void Check() {
    std::ostringstream lines;
    ornfr::Environment env = DoctorEnvironment(lines);
    const std::string deviceName = Ansi(device_, L"DeviceName");
    const char* argv[] = {"OrnBench", "doctor", "--device", deviceName.c_str()};
    const HCURSOR cursor = ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
    ornfr::RunDoctor(4, argv, env, [&](const ornfr::DoctorOptions& options, std::string& error) {
      return ornfr::MakeWin32DoctorSystem(options, env, ports_, error);
    });
    ::SetCursor(cursor);
    std::wstring text;
    std::wstring last;
    std::istringstream read(lines.str());
    for (std::string line; std::getline(read, line);) {
      last = FromAnsi(line);
      text += last + L"\r\n";
    }
    SetText(L"mmCheck", text);
    ShowSection(kCheck);
    SetStatus(last);
  }

  platform::Win32Registry registry_;
  platform::Win32Clock clock_;
  platform::Win32FileSystem files_;
  platform::Win32PortProvider ports_;
  std::wstring device_;              // the device whose key the page shows
  DeviceSettings shown_;             // as read: the names of the values, in the driver's order
  bool driverKey_ = false;           // the driver's key was there
  std::vector<TextValue> payTypes_;  // the payment types as the page holds them
};

}  // namespace

const PageClass TfmDeviceSettingsClass = {L"Настройки устройства", L"TfmDeviceSettings",
                                          CreatePage<TfmDeviceSettings>};

}  // namespace orn::bench
