#pragma once
// Makes a built-in account unless one of its name exists, so that however many processes do
// this at the same moment on a new, empty Users table (computers that share one new database
// and start together), exactly one account results.
//
// The test for the name and the insert are one statement in a serializable transaction: of
// two that race, one inserts and the other fails (a serialization failure, or a unique
// violation where Users.UserName has its unique index) and, run again, finds the row. This
// holds on a database made without that index too.

#include "db/UserRecord.h"

// Throws Refusal when the data source accepts no changes, DatabaseError when the insert fails
// for another reason than a lost race.
void AddAccountUnlessNamed(const UserRecord& account);
