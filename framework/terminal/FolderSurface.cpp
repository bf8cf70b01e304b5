#include "framework/terminal/FolderSurface.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "framework/terminal/Panel.h"

namespace fs = std::filesystem;

namespace {

constexpr int kWidestChooser = 70;
constexpr const char* kHint = "Enter: open  Backspace: up  Space: choose  Esc: cancel";

bool IsFolder(const fs::path& path) {
  std::error_code error;
  return fs::is_directory(path, error);
}

}  // namespace

FolderSurface::FolderSurface(std::string title, std::string start)
    : m_title(std::move(title)),
      m_entries(0, res::ControlKind::ListView, 0, ""),
      m_list(m_entries, [](UINT) {}) {
  m_entries.InsertColumn(0, {"Folder", -1});
  Enter(start);
}

void FolderSurface::Enter(const std::string& folder) {
  m_folder = fs::path(folder).lexically_normal().string();
  if (m_folder.size() > 1 && m_folder.back() == '/') m_folder.pop_back();
  std::vector<std::string> names;
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(m_folder, error))
    if (IsFolder(entry.path())) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  if (m_folder != "/") names.insert(names.begin(), "..");
  m_entries.ClearRows();
  for (const std::string& name : names) m_entries.InsertRow(m_entries.RowCount(), name);
  m_entries.SetSelection(m_entries.RowCount() > 0 ? 0 : -1);
}

void FolderSurface::Fit(CellSize screen) {
  m_size = {std::min(screen.rows, 20), std::min(screen.cols, kWidestChooser)};
  m_corner = Centred(m_size, screen);
  m_list.SetCell({3, 1, m_size.rows - 5, m_size.cols - 2});
}

void FolderSurface::Draw(Canvas& canvas, bool active) {
  OriginScope corner(canvas, m_corner.rows, m_corner.cols);
  DrawPanel(canvas, m_size.rows, m_size.cols, m_title);
  canvas.Text(1, 1, m_folder, m_size.cols - 2, Look::ReadOnly);
  m_list.Draw(canvas, active);
  canvas.Text(m_size.rows - 2, 1, kHint, m_size.cols - 2, Look::Plain);
}

void FolderSurface::HandleKey(const Key& key) {
  const int selection = m_entries.Selection();
  const std::string highlighted =
      m_entries.HasRow(selection) ? std::string(m_entries.Cell(selection, 0)) : "";
  switch (key.code) {
    case Key::Code::Enter:
    case Key::Code::Right:
      if (!highlighted.empty())
        Enter(highlighted == ".." ? fs::path(m_folder).parent_path().string()
                                  : (fs::path(m_folder) / highlighted).string());
      return;
    case Key::Code::Backspace:
    case Key::Code::Left:
      Enter(fs::path(m_folder).parent_path().string());
      return;
    case Key::Code::Escape:
      Abandon();
      return;
    default:
      break;
  }
  if (key.Is(Key::Code::Click)) {
    m_list.Click(key.row - m_corner.rows, key.col - m_corner.cols);
    return;
  }
  if (key.Is(Key::Code::Char) && key.ch == U' ' && !key.alt) {
    m_chosen = m_folder;
    m_done = true;
    return;
  }
  m_list.HandleKey(key);
}

void FolderSurface::Abandon() {
  m_chosen.reset();
  m_done = true;
}
