#pragma once
// The base of the four table recordsets: a snapshot of the rows a statement selects, walked
// forwards, with the current row's columns in the derived class's members. Each recordset
// borrows a connection for the process-wide connect string (ConnectionPool.h) and gives it
// back on Close.
// Changes are generated INSERT, UPDATE and DELETE statements with bound parameters, keyed by
// the first exchanged column (the table's key), writing only the members assigned since
// AddNew or Edit; an Edit writes only those whose value differs from the row as read, so a
// stored value that reads back changed (a text over 255 characters, a number beyond 32 bits)
// is kept unless the caller changes it. Driver failures are thrown as DatabaseError; nothing
// is reported here.

#include <memory>
#include <string>
#include <vector>

#include "db/FieldExchange.h"
#include "db/SqlParam.h"

class ConnectionLease;
class OdbcStatement;
class RowBlock;

class CRecordset {
 public:
  CRecordset();
  virtual ~CRecordset();
  CRecordset(const CRecordset&) = delete;
  CRecordset& operator=(const CRecordset&) = delete;

  // Rows fetched per driver call when the caller does not say.
  static constexpr size_t kRowsPerFetch = 256;

  // Connects, runs `sql` with `params` bound to its markers, and positions on the first row,
  // or at end of data when there is none. A statement that looks at one row at most fetches
  // with `rowsPerFetch` 1, which keeps its buffers small.
  void Open(const std::string& sql, const std::vector<SqlParam>& params = {},
            size_t rowsPerFetch = kRowsPerFetch);
  bool IsEOF() const;
  void MoveNext();

  // Whether rows may be added, or the current row changed and deleted: only when the
  // statement reads this recordset's own table and the data source accepts changes.
  bool CanAppend() const { return m_updatable; }
  bool CanUpdate() const { return m_updatable; }

  void AddNew();
  void Edit();
  // Stores the row begun by AddNew, or the changes to the row put into Edit.
  void Update();
  void Delete();

  void Close();

 protected:
  // The bracketed table name, as "[Users]".
  virtual std::string GetDefaultSQL() const = 0;
  virtual void DoFieldExchange(CFieldExchange& exchange) = 0;
  virtual std::string GetDefaultConnect() const;

 private:
  enum class EditMode { none, adding, editing };

  std::string TableName() const;
  std::string KeyColumn() const;
  bool ReadsOwnTable(const std::string& sql) const;
  void LoadCurrentRow();
  void ExecuteChange(const std::string& sql, const std::vector<SqlParam>& params);
  void Insert();
  void UpdateCurrentRow();
  std::vector<const ExchangedField*> AssignedFields() const;

  CFieldExchange m_exchange;
  std::unique_ptr<ConnectionLease> m_connection;
  std::unique_ptr<OdbcStatement> m_statement;
  std::unique_ptr<RowBlock> m_block;
  size_t m_rowInBlock = 0;
  SqlParam m_currentKey;              // the key as read, whatever the key member is assigned since
  std::vector<SqlParam> m_editedRow;  // every member's value when Edit began
  bool m_eof = true;
  bool m_updatable = false;
  EditMode m_editMode = EditMode::none;
};
