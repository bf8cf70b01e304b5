#include "platform/ServiceHandleTable.h"

namespace {

std::uintptr_t IdOf(SC_HANDLE handle) { return reinterpret_cast<std::uintptr_t>(handle); }

} // namespace

SC_HANDLE ServiceHandleTable::Add(std::shared_ptr<ServiceHandleEntry> entry)
{
    std::lock_guard lock(mutex_);
    const std::uintptr_t id = ++lastId_;
    entries_.emplace(id, std::move(entry));
    return reinterpret_cast<SC_HANDLE>(id);
}

std::shared_ptr<ServiceHandleEntry> ServiceHandleTable::Find(SC_HANDLE handle) const
{
    std::lock_guard lock(mutex_);
    const auto found = entries_.find(IdOf(handle));
    return found == entries_.end() ? nullptr : found->second;
}

bool ServiceHandleTable::Remove(SC_HANDLE handle)
{
    std::shared_ptr<ServiceHandleEntry> removed;
    {
        std::lock_guard lock(mutex_);
        const auto found = entries_.find(IdOf(handle));
        if (found == entries_.end())
            return false;
        removed = std::move(found->second);
        entries_.erase(found);
    }
    // The connection closes here, outside the lock: closing may talk to the manager.
    return true;
}

std::size_t ServiceHandleTable::Count() const
{
    std::lock_guard lock(mutex_);
    return entries_.size();
}
