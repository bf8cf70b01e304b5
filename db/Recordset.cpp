#include "db/Recordset.h"

#include <algorithm>
#include <regex>
#include <stdexcept>

#include "db/ConnectString.h"
#include "db/ChangeGuard.h"
#include "db/ConnectionPool.h"
#include "db/OdbcConnection.h"
#include "db/OdbcStatement.h"
#include "db/RowBlock.h"
#include "db/TextLimit.h"

namespace {

SqlParam ParamOf(const ExchangedField& field) {
  return std::visit([](auto* member) { return SqlParam(member->Value()); }, field.member);
}

// The value to write to `field`'s column; a text too long for it is refused, not cut, and so
// is one with a NUL character, which PostgreSQL cannot store and a window cannot show.
SqlParam WrittenValue(const ExchangedField& field) {
  SqlParam value = ParamOf(field);
  const auto* text = std::get_if<std::string>(&value);
  if (text && ExceedsMaxCharacters(*text))
    throw std::length_error("The text for " + field.ColumnName() + " is longer than " +
                            std::to_string(kMaxTextCharacters) + " characters; nothing was stored.");
  if (text && HoldsNul(*text))
    throw std::invalid_argument("The text for " + field.ColumnName() +
                                " holds a NUL character, which cannot be stored; nothing was stored.");
  return value;
}

bool IsAssigned(const ExchangedField& field) {
  return std::visit([](auto* member) { return member->IsAssigned(); }, field.member);
}

}  // namespace

CRecordset::CRecordset() = default;

CRecordset::~CRecordset() = default;

std::string CRecordset::GetDefaultConnect() const { return connectString(); }

std::string CRecordset::TableName() const { return WithoutBrackets(GetDefaultSQL()); }

std::string CRecordset::KeyColumn() const { return m_exchange.Fields().front().ColumnName(); }

bool CRecordset::ReadsOwnTable(const std::string& sql) const {
  const std::regex ownTable(R"(\s*select\s+\*\s+from\s+\[?)" + TableName() + R"(\]?(\s+where\s.*)?\s*)",
                            std::regex::icase);
  return std::regex_match(sql, ownTable);
}

void CRecordset::Open(const std::string& sql, const std::vector<SqlParam>& params, size_t rowsPerFetch) {
  Close();
  m_exchange = CFieldExchange();
  DoFieldExchange(m_exchange);
  auto connection = std::make_unique<ConnectionLease>(WithoutOdbcPrefix(GetDefaultConnect()));
  std::unique_ptr<OdbcStatement> statement;
  RunReconnectingOnce(*connection, [&](OdbcConnection& open) {
    auto executed = std::make_unique<OdbcStatement>(open);
    executed->Execute(sql, params);
    statement = std::move(executed);
  });
  auto block = std::make_unique<RowBlock>(m_exchange.Fields(), std::max<size_t>(rowsPerFetch, 1));
  block->Bind(*statement);
  m_updatable = ReadsOwnTable(sql) && !connection->Connection().IsReadOnly();
  m_connection = std::move(connection);
  m_statement = std::move(statement);
  m_block = std::move(block);
  m_eof = !m_block->Fetch(*m_statement);
  m_rowInBlock = 0;
  LoadCurrentRow();
}

bool CRecordset::IsEOF() const { return m_eof; }

void CRecordset::MoveNext() {
  if (m_eof) throw std::logic_error("MoveNext past the end of a recordset.");
  if (++m_rowInBlock >= m_block->RowsFetched()) {
    m_eof = !m_block->Fetch(*m_statement);
    m_rowInBlock = 0;
  }
  LoadCurrentRow();
}

void CRecordset::LoadCurrentRow() {
  m_editMode = EditMode::none;
  if (m_eof) return;
  m_block->LoadRow(m_rowInBlock);
  m_currentKey = ParamOf(m_exchange.Fields().front());
}

void CRecordset::AddNew() {
  if (!m_updatable) throw std::logic_error("This recordset does not allow appending.");
  for (const auto& field : m_exchange.Fields())
    std::visit([](auto* member) { member->Reset(); }, field.member);
  m_editMode = EditMode::adding;
}

void CRecordset::Edit() {
  if (!m_updatable || m_eof) throw std::logic_error("This recordset has no row that may be changed.");
  m_editedRow.clear();
  for (const auto& field : m_exchange.Fields()) {
    std::visit([](auto* member) { member->ClearAssigned(); }, field.member);
    m_editedRow.push_back(ParamOf(field));
  }
  m_editMode = EditMode::editing;
}

void CRecordset::Update() {
  if (m_editMode == EditMode::adding)
    Insert();
  else if (m_editMode == EditMode::editing)
    UpdateCurrentRow();
  else
    throw std::logic_error("Update without AddNew or Edit.");
  m_editMode = EditMode::none;
}

std::vector<const ExchangedField*> CRecordset::AssignedFields() const {
  std::vector<const ExchangedField*> assigned;
  // The first field is the key, which the database assigns and which is never written.
  const auto& fields = m_exchange.Fields();
  for (size_t i = 1; i < fields.size(); ++i)
    if (IsAssigned(fields[i]) && (m_editMode != EditMode::editing || ParamOf(fields[i]) != m_editedRow[i]))
      assigned.push_back(&fields[i]);
  return assigned;
}

void CRecordset::Insert() {
  const auto assigned = AssignedFields();
  std::string columns, markers;
  std::vector<SqlParam> params;
  for (const ExchangedField* field : assigned) {
    columns += (columns.empty() ? "" : ", ") + field->ColumnName();
    markers += markers.empty() ? "?" : ", ?";
    params.push_back(WrittenValue(*field));
  }
  const std::string table = TableName();
  ExecuteChange(assigned.empty() ? "INSERT INTO " + table + " DEFAULT VALUES"
                                 : "INSERT INTO " + table + " (" + columns + ") VALUES (" + markers + ")",
                params);
}

void CRecordset::UpdateCurrentRow() {
  const auto assigned = AssignedFields();
  if (assigned.empty()) return;
  std::string settings;
  std::vector<SqlParam> params;
  for (const ExchangedField* field : assigned) {
    settings += (settings.empty() ? "" : ", ") + field->ColumnName() + " = ?";
    params.push_back(WrittenValue(*field));
  }
  params.push_back(m_currentKey);
  ExecuteChange("UPDATE " + TableName() + " SET " + settings + " WHERE " + KeyColumn() + " = ?", params);
}

void CRecordset::Delete() {
  if (!m_updatable || m_eof) throw std::logic_error("This recordset has no row that may be deleted.");
  ExecuteChange("DELETE FROM " + TableName() + " WHERE " + KeyColumn() + " = ?", {m_currentKey});
}

void CRecordset::ExecuteChange(const std::string& sql, const std::vector<SqlParam>& params) {
  GuardChange();
  OdbcStatement change(m_connection->Connection());
  RunCommitting(m_connection->Connection(), [&] { change.Execute(sql, params); });
  // Another client may have deleted the row since it was read; that is no success.
  if (change.RowCount() != 1)
    throw std::runtime_error("The row to be changed no longer exists in table " + TableName() + ".");
}

void CRecordset::Close() {
  m_block.reset();
  m_statement.reset();
  m_connection.reset();
  m_eof = true;
  m_updatable = false;
  m_editMode = EditMode::none;
}
