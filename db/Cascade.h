#pragma once
// The deletes that take everything configured under a row with it, each one transaction of
// a few set-based statements with fixed texts and bound keys: all of it is deleted, or,
// when any statement fails, nothing. A data source that accepts no changes is refused
// (Refusal) before anything is deleted; a row that is already gone is refused after its
// dependents were deleted by its key. Failures are thrown, for the caller's guarded region.

struct ComputerRecord;
struct VirtualServerRecord;

// The virtual server, its preference rows and the accounts whose VirtualServerID is its key.
void DeleteVirtualServerCascade(const VirtualServerRecord& server);

// The computer, the virtual servers whose VServerGroupID is its ID, and their preference
// rows and accounts.
void DeleteComputerCascade(const ComputerRecord& computer);
