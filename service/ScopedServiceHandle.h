#pragma once
// Closes a service-manager handle when it goes out of scope, so that every path out of a
// routine closes what it opened.

#include "platform/ServiceManager.h"

class ScopedServiceHandle {
 public:
  explicit ScopedServiceHandle(SC_HANDLE handle) : m_handle(handle) {}
  ~ScopedServiceHandle() {
    if (m_handle != nullptr) CloseServiceHandle(m_handle);
  }
  ScopedServiceHandle(const ScopedServiceHandle&) = delete;
  ScopedServiceHandle& operator=(const ScopedServiceHandle&) = delete;

  SC_HANDLE get() const { return m_handle; }
  explicit operator bool() const { return m_handle != nullptr; }

 private:
  SC_HANDLE m_handle;
};
