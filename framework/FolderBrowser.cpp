#include "framework/FolderBrowser.h"

#include "framework/Backend.h"

std::optional<std::string> BrowseForFolder(CWnd* owner, const std::string& title, UINT flags) {
  Backend* backend = RequireBackend();
  if (!backend) return std::nullopt;
  return backend->BrowseForFolder(owner, title, flags);
}
