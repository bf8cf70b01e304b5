#include "db/Recordset.h"

#include <algorithm>
#include <regex>
#include <stdexcept>

#include "db/ConnectString.h"
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

std::string CRecordset::KeyColumn() const { return exchange_.Fields().front().ColumnName(); }

bool CRecordset::ReadsOwnTable(const std::string& sql) const {
  const std::regex ownTable(R"(\s*select\s+\*\s+from\s+\[?)" + TableName() + R"(\]?(\s+where\s.*)?\s*)",
                            std::regex::icase);
  return std::regex_match(sql, ownTable);
}

void CRecordset::Open(const std::string& sql, const std::vector<SqlParam>& params, size_t rowsPerFetch) {
  Close();
  exchange_ = CFieldExchange();
  DoFieldExchange(exchange_);
  std::string statementText = sql;
  if (statementText.empty()) {
    statementText = "SELECT ";
    for (const auto& field : exchange_.Fields())
      statementText += (&field == &exchange_.Fields().front() ? "" : ", ") + field.ColumnName();
    statementText += " FROM " + TableName();
  }
  auto connection = std::make_unique<ConnectionLease>(WithoutOdbcPrefix(GetDefaultConnect()));
  std::unique_ptr<OdbcStatement> statement;
  RunReconnectingOnce(*connection, [&](OdbcConnection& open) {
    auto executed = std::make_unique<OdbcStatement>(open);
    executed->Execute(statementText, params);
    statement = std::move(executed);
  });
  auto block = std::make_unique<RowBlock>(exchange_.Fields(), std::max<size_t>(rowsPerFetch, 1));
  block->Bind(*statement);
  updatable_ = ReadsOwnTable(statementText) && !connection->Connection().IsReadOnly();
  connection_ = std::move(connection);
  statement_ = std::move(statement);
  block_ = std::move(block);
  eof_ = !block_->Fetch(*statement_);
  rowInBlock_ = 0;
  LoadCurrentRow();
}

bool CRecordset::IsEOF() const { return eof_; }

void CRecordset::MoveNext() {
  if (eof_) throw std::logic_error("MoveNext past the end of a recordset.");
  if (++rowInBlock_ >= block_->RowsFetched()) {
    eof_ = !block_->Fetch(*statement_);
    rowInBlock_ = 0;
  }
  LoadCurrentRow();
}

void CRecordset::LoadCurrentRow() {
  editMode_ = EditMode::none;
  if (eof_) return;
  block_->LoadRow(rowInBlock_);
  currentKey_ = ParamOf(exchange_.Fields().front());
}

void CRecordset::AddNew() {
  if (!updatable_) throw std::logic_error("This recordset does not allow appending.");
  for (const auto& field : exchange_.Fields()) std::visit([](auto* member) { member->Reset(); }, field.member);
  editMode_ = EditMode::adding;
}

void CRecordset::Edit() {
  if (!updatable_ || eof_) throw std::logic_error("This recordset has no row that may be changed.");
  editedRow_.clear();
  for (const auto& field : exchange_.Fields()) {
    std::visit([](auto* member) { member->ClearAssigned(); }, field.member);
    editedRow_.push_back(ParamOf(field));
  }
  editMode_ = EditMode::editing;
}

void CRecordset::Update() {
  if (editMode_ == EditMode::adding) Insert();
  else if (editMode_ == EditMode::editing) UpdateCurrentRow();
  else throw std::logic_error("Update without AddNew or Edit.");
  editMode_ = EditMode::none;
}

std::vector<const ExchangedField*> CRecordset::AssignedFields() const {
  std::vector<const ExchangedField*> assigned;
  // The first field is the key, which the database assigns and which is never written.
  const auto& fields = exchange_.Fields();
  for (size_t i = 1; i < fields.size(); ++i)
    if (IsAssigned(fields[i]) && (editMode_ != EditMode::editing || ParamOf(fields[i]) != editedRow_[i]))
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
  params.push_back(currentKey_);
  ExecuteChange("UPDATE " + TableName() + " SET " + settings + " WHERE " + KeyColumn() + " = ?", params);
}

void CRecordset::Delete() {
  if (!updatable_ || eof_) throw std::logic_error("This recordset has no row that may be deleted.");
  ExecuteChange("DELETE FROM " + TableName() + " WHERE " + KeyColumn() + " = ?", {currentKey_});
}

void CRecordset::ExecuteChange(const std::string& sql, const std::vector<SqlParam>& params) {
  OdbcStatement change(connection_->Connection());
  change.Execute(sql, params);
  // Another client may have deleted the row since it was read; that is no success.
  if (change.RowCount() != 1)
    throw std::runtime_error("The row to be changed no longer exists in table " + TableName() + ".");
}

void CRecordset::Close() {
  block_.reset();
  statement_.reset();
  connection_.reset();
  eof_ = true;
  updatable_ = false;
  editMode_ = EditMode::none;
}
