#include "TfmAbout.h"

#include <shellapi.h>

#include "ControlSetup.h"

namespace orn::bench {
namespace {

constexpr int kClientWidth = 335;
constexpr int kClientHeight = 232;
// The logo panel at the top left; the title and the contacts at its right; the version
// list under them across the whole box, so that a version line is read whole.
constexpr int kLogoPanelWidth = 84;
constexpr int kLogoPanelHeight = 112;
constexpr int kVersionsY = kLogoPanelHeight + 10;

enum ControlId { idTitle = 200, idWeb, idMail, idLogo };

constexpr wchar_t kWeb[] = L"https://ornita.example/opos";
constexpr wchar_t kMail[] = L"opos@ornita.example";

// An empty dialog template: the controls are made in WM_INITDIALOG.
struct EmptyTemplate {
  DLGTEMPLATE header;
  WORD menu = 0, windowClass = 0, title = 0;
};

HWND Child(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, int x, int y,
           int w, int h, int id = 0) {
  HWND window = ::CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h,
                                  parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                  ::GetModuleHandleW(nullptr), nullptr);
  SetBenchFont(window);
  return window;
}

}  // namespace

TfmAbout::TfmAbout(HWND owner, std::wstring title, std::wstring versionLine)
    : owner_(owner), title_(std::move(title)), versionLine_(std::move(versionLine)) {}

void TfmAbout::ShowModal() {
  EmptyTemplate dialogTemplate = {};
  dialogTemplate.header.style = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_CENTER;
  ::DialogBoxIndirectParamW(::GetModuleHandleW(nullptr), &dialogTemplate.header, owner_, DialogProc,
                            reinterpret_cast<LPARAM>(this));
  if (titleFont_) ::DeleteObject(titleFont_);
  if (logo_) ::DeleteObject(logo_);
}

void TfmAbout::CreateControls(HWND dialog) {
  ::SetWindowTextW(dialog, L"О драйвере");
  TagWithName(dialog, L"TfmAbout");
  RECT frame = {0, 0, kClientWidth, kClientHeight};
  ::AdjustWindowRectEx(&frame, ::GetWindowLongW(dialog, GWL_STYLE), FALSE,
                       ::GetWindowLongW(dialog, GWL_EXSTYLE));
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  ::SetWindowPos(dialog, nullptr, (::GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (::GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, SWP_NOZORDER);

  // The white logo panel with its grey top and left edge.
  Child(dialog, L"STATIC", L"", SS_WHITERECT, 0, 0, kLogoPanelWidth, kLogoPanelHeight);
  Child(dialog, L"STATIC", L"", SS_GRAYRECT, 0, 0, kLogoPanelWidth, 2);
  Child(dialog, L"STATIC", L"", SS_GRAYRECT, 0, 0, 2, kLogoPanelHeight);
  logo_ = static_cast<HBITMAP>(
      ::LoadImageW(::GetModuleHandleW(nullptr), L"LOGOBMP", IMAGE_BITMAP, 0, 0, 0));
  HWND logo = Child(dialog, L"STATIC", L"", SS_BITMAP, 10, 12, 64, 64, idLogo);
  ::SendMessageW(logo, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(logo_));

  const int x = kLogoPanelWidth + 10;
  const int w = kClientWidth - x - 10;
  HWND title = Child(dialog, L"STATIC", title_.c_str(), SS_LEFT, x, 10, w, 22, idTitle);
  LOGFONTW font = {};
  ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(title, WM_GETFONT, 0, 0)), sizeof font,
               &font);
  // Four points larger, bold.
  const HDC screen = ::GetDC(nullptr);
  const int pointsToPixels = ::GetDeviceCaps(screen, LOGPIXELSY);
  ::ReleaseDC(nullptr, screen);
  font.lfHeight -= ::MulDiv(4, pointsToPixels, 72);
  font.lfWeight = FW_BOLD;
  titleFont_ = ::CreateFontIndirectW(&font);
  SetOwnFont(title, titleFont_);

  Child(dialog, L"STATIC", L"ООО «Орнита», Екатеринбург", SS_LEFT, x, 42, w, 16);
  Child(dialog, L"STATIC", kWeb, SS_LEFT | SS_NOTIFY, x, 62, w, 16, idWeb);
  Child(dialog, L"STATIC", kMail, SS_LEFT | SS_NOTIFY, x, 82, w, 16, idMail);

  HWND versions = Child(dialog, L"LISTBOX", L"", WS_BORDER | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, 10,
                        kVersionsY, kClientWidth - 20, 60);
  TagWithName(versions, L"lbVersion");
  ::SendMessageW(versions, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(versionLine_.c_str()));
  HWND ok = Child(dialog, L"BUTTON", L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, kClientWidth - 90,
                  kClientHeight - 34, 80, 24, IDOK);
  TagWithName(ok, L"btnOK");
  ::SetFocus(ok);
}

INT_PTR CALLBACK TfmAbout::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      reinterpret_cast<TfmAbout*>(lParam)->CreateControls(dialog);
      return FALSE;
    case WM_CTLCOLORSTATIC:
      // The title in navy; the contact links in blue.
      switch (::GetDlgCtrlID(reinterpret_cast<HWND>(lParam))) {
        case idTitle:
          ::SetTextColor(reinterpret_cast<HDC>(wParam), RGB(0, 0, 128));
          ::SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
          return reinterpret_cast<INT_PTR>(::GetSysColorBrush(COLOR_BTNFACE));
        case idWeb:
        case idMail:
          ::SetTextColor(reinterpret_cast<HDC>(wParam), RGB(0, 0, 255));
          ::SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
          return reinterpret_cast<INT_PTR>(::GetSysColorBrush(COLOR_BTNFACE));
      }
      break;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
        case IDCANCEL:
          ::EndDialog(dialog, LOWORD(wParam));
          return TRUE;
        case idWeb:
          ::ShellExecuteW(dialog, L"open", kWeb, nullptr, nullptr, SW_SHOWNORMAL);
          return TRUE;
        case idMail: {
          const std::wstring mail = std::wstring(L"mailto:") + kMail;
          ::ShellExecuteW(dialog, L"open", mail.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
          return TRUE;
        }
      }
      break;
  }
  return FALSE;
}

}  // namespace orn::bench
