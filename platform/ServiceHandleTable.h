#pragma once
// The open service-manager handles. A handle is an opaque number that is never reused, so a
// closed or made-up handle is found to be invalid instead of reaching freed memory.

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>

#include "platform/ServiceBackend.h"

struct ServiceHandleEntry {
  // Keeps the backend alive for as long as the handle is open, even once replaced.
  std::shared_ptr<ServiceControlBackend> backend;
  // Exactly one of the two is set: a manager handle or a service handle.
  std::unique_ptr<ManagerConnection> manager;
  std::unique_ptr<ServiceConnection> service;
  // The specific rights a service handle was opened with.
  DWORD access = 0;
};

class ServiceHandleTable {
 public:
  SC_HANDLE Add(std::shared_ptr<ServiceHandleEntry> entry);
  // Null when the handle is not open. The entry stays valid while the caller holds it,
  // even if another thread closes the handle meanwhile.
  std::shared_ptr<ServiceHandleEntry> Find(SC_HANDLE handle) const;
  // False when the handle is not open.
  bool Remove(SC_HANDLE handle);
  std::size_t Count() const;

 private:
  mutable std::mutex m_mutex;
  std::uintptr_t m_lastId = 0;
  std::map<std::uintptr_t, std::shared_ptr<ServiceHandleEntry>> m_entries;
};
