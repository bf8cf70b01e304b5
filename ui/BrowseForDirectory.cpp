#include "ui/BrowseForDirectory.h"

#include "framework/FolderBrowser.h"
#include "framework/MessageBox.h"

std::string BrowseForDirectory(CWnd* owner, const std::string& title, UINT flags) {
  const std::optional<std::string> folder = BrowseForFolder(owner, title, flags);
  if (!folder) return {};
  if (folder->empty()) AfxMessageBox("Failed to get directory", MB_OK | MB_ICONHAND);
  return *folder;
}
