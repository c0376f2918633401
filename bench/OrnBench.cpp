// OrnBench: the test bench of the OPOS FiscalPrinter driver. One thread, the user-interface
// thread; the control is created on the first press of a page button.

#include <objbase.h>
#include <windows.h>

#include <commctrl.h>

#include "TPage.h"
#include "TfmMain.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  // The OPOS control is an apartment-threaded in-process object.
  if (FAILED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
  INITCOMMONCONTROLSEX controls = {sizeof controls,
                                   ICC_TAB_CLASSES | ICC_DATE_CLASSES | ICC_LISTVIEW_CLASSES};
  ::InitCommonControlsEx(&controls);
  orn::bench::TfmMain::RegisterWindowClass(instance);
  orn::bench::TPage::RegisterWindowClass(instance);
  int exitCode = 0;
  {
    orn::bench::TfmMain main;
    ::ShowWindow(main.Handle(), show);
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
      // Enter presses a button; Tab and the arrow keys move between controls as in a dialog.
      if (main.PreTranslateMessage(message)) continue;
      if (::IsDialogMessageW(main.Handle(), &message)) continue;
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
    exitCode = static_cast<int>(message.wParam);
  }
  ::CoUninitialize();
  return exitCode;
}
