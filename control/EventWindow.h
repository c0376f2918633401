#pragma once
// A hidden message-only window of the control's creating thread: a callback of the service
// object made on another thread is handed over to it, so that the application's event
// sinks are always called on the thread that created the control.

#include <windows.h>

namespace orn::control {

class EventWindow {
 public:
  using Delivery = void (*)(void* context);

  EventWindow();
  EventWindow(const EventWindow&) = delete;
  EventWindow& operator=(const EventWindow&) = delete;
  ~EventWindow();

  bool OnOwnerThread() const { return ::GetCurrentThreadId() == ownerThread_; }
  // Runs `deliver(context)` on the creating thread and returns once it has run (false when
  // the window could not be made).
  bool Deliver(Delivery deliver, void* context);

 private:
  DWORD ownerThread_;
  HWND window_ = nullptr;
};

// Removes the window class when the DLL may be unloaded.
void UnregisterEventWindowClass();

}  // namespace orn::control
