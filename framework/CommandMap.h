#pragma once
// A class's table of command handlers: which member runs for a notification from a control
// id. Each window class keeps one static map that chains to its base class's map, so a
// derived class's entry wins and unhandled commands fall through to the base.
//
//   const CommandMap& CMyDlg::GetCommandMap() const {
//     static const CommandMap map = CommandMap::Of<CMyDlg>(&CDialog::GetCommandMap(), {
//         {BN_CLICKED, IDC_SAVE, &CMyDlg::OnSave},
//         {CBN_SELCHANGE, IDC_CHOICE, &CMyDlg::OnSelchangeChoice},
//     });
//     return map;
//   }

#include <functional>
#include <initializer_list>
#include <vector>

#include "framework/FrameworkTypes.h"

class CWnd;

class CommandMap {
 public:
  template <class T>
  struct Handler {
    UINT code;
    int id;
    void (T::*method)();
  };

  CommandMap() = default;

  template <class T>
  static CommandMap Of(const CommandMap* base, std::initializer_list<Handler<T>> handlers) {
    CommandMap map;
    map.m_base = base;
    for (const Handler<T>& h : handlers) {
      auto method = h.method;
      map.m_entries.push_back({h.code, h.id, [method](CWnd& wnd) { (static_cast<T&>(wnd).*method)(); }});
    }
    return map;
  }

  // Runs the handler for (id, code) on `wnd`, searching this map and then its bases.
  // Returns false when no map has one.
  bool Dispatch(CWnd& wnd, int id, UINT code) const;

 private:
  struct Entry {
    UINT code;
    int id;
    std::function<void(CWnd&)> run;
  };
  const CommandMap* m_base = nullptr;
  std::vector<Entry> m_entries;
};
