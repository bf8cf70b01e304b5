#include "framework/CommandMap.h"

bool CommandMap::Dispatch(CWnd& wnd, int id, UINT code) const {
  for (const CommandMap* map = this; map; map = map->m_base)
    for (const Entry& entry : map->m_entries)
      if (entry.id == id && entry.code == code) {
        entry.run(wnd);
        return true;
      }
  return false;
}
