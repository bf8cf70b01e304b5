#include "framework/MessageBox.h"

#include <exception>
#include <iostream>
#include <utility>

#include "framework/WinApp.h"

namespace {

MessageBoxPresenter& Presenter() {
  static MessageBoxPresenter presenter;
  return presenter;
}

}  // namespace

int MessageBox(CWnd* owner, const std::string& text, const std::string& caption, unsigned style) {
  if (const auto& present = Presenter()) return present(owner, text, caption, style);
  // Nobody can answer: report the box and take its most cautious answer (No, Cancel), so a
  // question such as "delete this?" is never confirmed on its own.
  std::cerr << caption << ": " << text << '\n';
  return MessageBoxResults(style).back();
}

std::vector<int> MessageBoxResults(unsigned style) {
  switch (style & MB_TYPEMASK) {
    case MB_OKCANCEL:
      return {IDOK, IDCANCEL};
    case MB_YESNOCANCEL:
      return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO:
      return {IDYES, IDNO};
    default:
      return {IDOK};
  }
}

int AfxMessageBox(const std::string& text, unsigned style) {
  return MessageBox(nullptr, text, AfxGetAppName(), style);
}

MessageBoxPresenter SetMessageBoxPresenter(MessageBoxPresenter presenter) {
  return std::exchange(Presenter(), std::move(presenter));
}

std::string MessageBoxButtonText(int result) {
  switch (result) {
    case IDOK:
      return "OK";
    case IDCANCEL:
      return "Cancel";
    case IDYES:
      return "Yes";
    case IDNO:
      return "No";
    default:
      return {};
  }
}

void RunReportingErrors(const std::function<void()>& action, const std::string& heading) {
  try {
    action();
  } catch (const std::exception& error) {
    AfxMessageBox(heading + ": " + error.what(), MB_OK | MB_ICONERROR);
  } catch (...) {
    AfxMessageBox(heading + ".", MB_OK | MB_ICONERROR);
  }
}
