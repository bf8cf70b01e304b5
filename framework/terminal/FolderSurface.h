#pragma once
// The folder chooser: the folder it stands in, and its sub-folders (with ".." to go up) in a
// list. Enter goes into the highlighted folder, Backspace goes up, Space chooses the folder
// it stands in, Escape cancels.

#include <optional>
#include <string>

#include "framework/Control.h"
#include "framework/terminal/ListField.h"
#include "framework/terminal/Surface.h"

class FolderSurface : public Surface {
 public:
  FolderSurface(std::string title, std::string start);

  void Fit(CellSize screen) override;
  CellSize Smallest() const override { return {10, 30}; }
  void Draw(Canvas& canvas, bool active) override;
  void HandleKey(const Key& key) override;
  bool Done() const override { return m_done; }
  void Abandon() override;
  std::optional<std::string> Chosen() const { return m_chosen; }

 private:
  void Enter(const std::string& folder);

  std::string m_title;
  std::string m_folder;
  Control m_entries;
  ListField m_list;
  bool m_done = false;
  std::optional<std::string> m_chosen;
  CellSize m_size, m_corner;
};
