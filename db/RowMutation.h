#pragma once
// The shape shared by the mutations of the four records: open the record's own recordset on
// a guarding SELECT, refuse when the row's existence says no (existence first, then whether
// the recordset allows the change), change one row, close. Everything from the open to the
// close runs in the guarded region; the result is 1 on success, 0 after any failure. Only
// the first selected row matters, so the guard fetches one row at a time.

#include <functional>
#include <optional>
#include <string>

#include "db/GuardedOperation.h"
#include "db/RowSelection.h"

// `text` with its "%s" replaced by `value`.
std::string WithValue(const std::string& text, const std::string& value);

// Inserts one row. `existsText`, when given, refuses a selection that holds a row.
template <typename Recordset>
int AddRow(int quiet, const RowSelection& selection, const std::optional<std::string>& existsText,
           const std::string& cannotAppendText, const std::function<void(Recordset&)>& setColumns) {
  return RunGuarded(quiet,
                    [&] {
                      Recordset recordset;
                      recordset.Open(selection.sql, selection.params, 1);
                      if (existsText && !recordset.IsEOF()) throw Refusal(*existsText);
                      if (!recordset.CanAppend()) throw Refusal(cannotAppendText);
                      recordset.AddNew();
                      setColumns(recordset);
                      recordset.Update();
                      recordset.Close();
                    })
             ? 1
             : 0;
}

// Rewrites the selected row with the columns `setColumns` assigns.
template <typename Recordset>
int UpdateRow(int quiet, const RowSelection& selection, const std::string& missingText,
              const std::string& cannotUpdateText, const std::function<void(Recordset&)>& setColumns) {
  return RunGuarded(quiet,
                    [&] {
                      Recordset recordset;
                      recordset.Open(selection.sql, selection.params, 1);
                      if (recordset.IsEOF()) throw Refusal(missingText);
                      if (!recordset.CanUpdate()) throw Refusal(cannotUpdateText);
                      recordset.Edit();
                      setColumns(recordset);
                      recordset.Update();
                      recordset.Close();
                    })
             ? 1
             : 0;
}

// Deletes the selected row.
template <typename Recordset>
int DeleteRow(int quiet, const RowSelection& selection, const std::string& missingText,
              const std::string& cannotDeleteText) {
  return RunGuarded(quiet,
                    [&] {
                      Recordset recordset;
                      recordset.Open(selection.sql, selection.params, 1);
                      if (recordset.IsEOF()) throw Refusal(missingText);
                      if (!recordset.CanUpdate()) throw Refusal(cannotDeleteText);
                      recordset.Delete();
                      recordset.Close();
                    })
             ? 1
             : 0;
}
