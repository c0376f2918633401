#include "EventWindow.h"

#include "ServerModule.h"

namespace orn::control {
namespace {

constexpr wchar_t kClassName[] = L"HW_OPOSFiscalPrinter";
constexpr UINT kDeliverMessage = WM_USER + 101;

LRESULT CALLBACK EventWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != kDeliverMessage) return ::DefWindowProcW(window, message, wParam, lParam);
  reinterpret_cast<EventWindow::Delivery>(wParam)(reinterpret_cast<void*>(lParam));
  return 0;
}

}  // namespace

EventWindow::EventWindow() : ownerThread_(::GetCurrentThreadId()) {
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = EventWindowProc;
  windowClass.hInstance = com::ModuleHandle();
  windowClass.lpszClassName = kClassName;
  ::RegisterClassW(&windowClass);  // already there for a second control: fine
  window_ = ::CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              com::ModuleHandle(), nullptr);
}

EventWindow::~EventWindow() {
  if (window_) ::DestroyWindow(window_);
}

bool EventWindow::Deliver(Delivery deliver, void* context) {
  if (!window_) return false;
  ::SendMessageW(window_, kDeliverMessage, reinterpret_cast<WPARAM>(deliver),
                 reinterpret_cast<LPARAM>(context));
  return true;
}

void UnregisterEventWindowClass() {
  ::UnregisterClassW(kClassName, com::ModuleHandle());
}

}  // namespace orn::control
