#pragma once
// Row-by-row results whatever the data source says. Without an option of its own each driver
// reads a whole result into memory before it hands over the first row (the SQLite driver
// unless StepAPI=1, psqlODBC unless UseDeclareFetch=1), so a million accounts would cost
// hundreds of megabytes; the session therefore connects with these options added.

#include <string>

// `connectionString` with the streaming options of the engine that SQL_DBMS_NAME calls
// `dbmsName`, each set only where `given` (the string as the user wrote it) does not set it
// itself: a value a driver filled into its completed string is replaced. An unknown engine
// gets nothing.
std::string WithStreamingOptions(const std::string& connectionString, const std::string& given,
                                 const std::string& dbmsName);

// `completed` (a driver's completion of `given`) without the streaming options that `given`
// does not set: psqlODBC spells out its defaults (UseDeclareFetch=0), and a string stored
// with them would read as a choice of the user's at the next log-in, and stream no more.
std::string WithoutFilledStreamingOptions(const std::string& completed, const std::string& given,
                                          const std::string& dbmsName);
