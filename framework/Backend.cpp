#include "framework/Backend.h"

#include "framework/MessageBox.h"

namespace {

Backend*& Current() {
  static Backend* current = nullptr;
  return current;
}

}  // namespace

Backend* CurrentBackend() { return Current(); }

Backend* RequireBackend() {
  Backend* backend = CurrentBackend();
  if (!backend) AfxMessageBox("No user interface is available to show this window.", MB_OK | MB_ICONERROR);
  return backend;
}

Backend* SetBackend(Backend* backend) {
  Backend* previous = Current();
  Current() = backend;
  if (backend)
    SetMessageBoxPresenter(
        [backend](CWnd* owner, const std::string& text, const std::string& caption, unsigned style) {
          return backend->MessageBox(owner, text, caption, style);
        });
  else
    SetMessageBoxPresenter({});
  return previous;
}
