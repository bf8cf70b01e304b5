#pragma once
// Closes a service-manager handle when it goes out of scope, so that every path out of a
// routine closes what it opened.

#include "platform/ServiceManager.h"

class ScopedServiceHandle {
public:
    explicit ScopedServiceHandle(SC_HANDLE handle) : handle_(handle) {}
    ~ScopedServiceHandle()
    {
        if (handle_ != nullptr)
            CloseServiceHandle(handle_);
    }
    ScopedServiceHandle(const ScopedServiceHandle&) = delete;
    ScopedServiceHandle& operator=(const ScopedServiceHandle&) = delete;

    SC_HANDLE get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

private:
    SC_HANDLE handle_;
};
