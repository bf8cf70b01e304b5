#pragma once
// Message boxes: one entry point for every box the system shows. The active backend installs
// a presenter (real windows, or a script that answers); until one does, a box is written to
// standard error and answered with its most cautious button (OK, No or Cancel).

#include <functional>
#include <string>
#include <vector>

class CWnd;

// Styles and results, with the values of the Windows API.
inline constexpr unsigned MB_OK = 0x00000000;
inline constexpr unsigned MB_OKCANCEL = 0x00000001;
inline constexpr unsigned MB_YESNOCANCEL = 0x00000003;
inline constexpr unsigned MB_YESNO = 0x00000004;
inline constexpr unsigned MB_TYPEMASK = 0x0000000F;
inline constexpr unsigned MB_ICONERROR = 0x00000010;
inline constexpr unsigned MB_ICONQUESTION = 0x00000020;
inline constexpr unsigned MB_ICONWARNING = 0x00000030;
inline constexpr unsigned MB_ICONINFORMATION = 0x00000040;
inline constexpr unsigned MB_ICONMASK = 0x000000F0;
inline constexpr unsigned MB_ICONHAND = MB_ICONERROR;
inline constexpr unsigned MB_ICONEXCLAMATION = MB_ICONWARNING;

inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

// Shows a modal box; owner may be null. Returns the button pressed (IDOK, IDYES, ...).
int MessageBox(CWnd* owner, const std::string& text, const std::string& caption, unsigned style);

// The application object's form, used for the framework's own error reports: no owner, and
// the application's name (AfxGetAppName) as the caption.
int AfxMessageBox(const std::string& text, unsigned style = MB_OK);

// The results a box of this style can answer, its default button first.
std::vector<int> MessageBoxResults(unsigned style);

// The label of the button that answers `result`: "OK", "Cancel", "Yes" or "No"; empty for any
// other result.
std::string MessageBoxButtonText(int result);

// Runs a user's action on a window; an error that escapes it is reported in the framework's
// own box, as `heading` followed by the error's text, instead of ending the program.
void RunReportingErrors(const std::function<void()>& action, const std::string& heading = "Unexpected error");

using MessageBoxPresenter =
    std::function<int(CWnd* owner, const std::string& text, const std::string& caption, unsigned style)>;

// Installs the presenter for all later boxes and returns the one it replaces. An empty
// presenter restores the standard-error fallback.
MessageBoxPresenter SetMessageBoxPresenter(MessageBoxPresenter presenter);
