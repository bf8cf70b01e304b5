#include "platform/ServiceHandleTable.h"

namespace {

std::uintptr_t IdOf(SC_HANDLE handle) { return reinterpret_cast<std::uintptr_t>(handle); }

}  // namespace

SC_HANDLE ServiceHandleTable::Add(std::shared_ptr<ServiceHandleEntry> entry) {
  std::lock_guard lock(m_mutex);
  const std::uintptr_t id = ++m_lastId;
  m_entries.emplace(id, std::move(entry));
  return reinterpret_cast<SC_HANDLE>(id);
}

std::shared_ptr<ServiceHandleEntry> ServiceHandleTable::Find(SC_HANDLE handle) const {
  std::lock_guard lock(m_mutex);
  const auto found = m_entries.find(IdOf(handle));
  return found == m_entries.end() ? nullptr : found->second;
}

bool ServiceHandleTable::Remove(SC_HANDLE handle) {
  std::shared_ptr<ServiceHandleEntry> removed;
  {
    std::lock_guard lock(m_mutex);
    const auto found = m_entries.find(IdOf(handle));
    if (found == m_entries.end()) return false;
    removed = std::move(found->second);
    m_entries.erase(found);
  }
  // The connection closes here, outside the lock: closing may talk to the manager.
  return true;
}

std::size_t ServiceHandleTable::Count() const {
  std::lock_guard lock(m_mutex);
  return m_entries.size();
}
