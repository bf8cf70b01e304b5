#include "framework/FolderBrowser.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "framework/Backend.h"
#include "framework/WindowState.h"
#include "framework/Wnd.h"

namespace fs = std::filesystem;

namespace {

bool IsFolder(const fs::path& path) {
  std::error_code error;
  return fs::is_directory(path, error);
}

// The folder itself, or the nearest existing one above it; empty when there is none.
std::string ExistingFolderAt(const std::string& text) {
  if (text.empty() || text.front() != '/') return "";
  for (fs::path path(text); !path.empty(); path = path.parent_path()) {
    if (IsFolder(path)) return path.lexically_normal().string();
    if (path == path.root_path()) break;
  }
  return "";
}

}  // namespace

std::optional<std::string> BrowseForFolder(CWnd* owner, const std::string& title, UINT flags) {
  Backend* backend = RequireBackend();
  if (!backend) return std::nullopt;
  return backend->BrowseForFolder(owner, title, flags);
}

std::string FolderToStartIn(const CWnd* owner) {
  if (const WindowState* state = owner ? owner->GetWindowState() : nullptr)
    for (const auto& control : state->Controls())
      if (control->Kind() == res::ControlKind::Edit)
        if (std::string folder = ExistingFolderAt(control->Text()); !folder.empty()) return folder;
  const char* home = std::getenv("HOME");
  return home && IsFolder(home) ? home : "/";
}
