#pragma once
// The SQLite library that the SQLite ODBC driver uses, set up before the first connection:
// connections without a lock of their own, and no count of the memory in use. By default
// SQLite takes a lock on every call, several for each column of each row, and in a process
// with more than one thread (every Qt process) that costs about a quarter of the time of a
// long listing. This process never uses one connection from two threads at once, which is
// all that the lighter mode asks. Where the library is missing or already started, nothing
// changes.

void PrepareEmbeddedEngine();
