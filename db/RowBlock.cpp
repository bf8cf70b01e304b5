#include "db/RowBlock.h"

#include <sqlext.h>

#include <cstring>

#include "db/OdbcCheck.h"
#include "db/OdbcStatement.h"
#include "db/TextLimit.h"

namespace {

// Bytes of a text buffer: 255 characters of UTF-8 take at most four bytes each.
constexpr SQLLEN kTextBufferBytes = kMaxTextCharacters * 4 + 1;

SQLLEN WidthOf(const ExchangedField& field) {
  if (std::holds_alternative<LongField*>(field.member)) return sizeof(int32_t);
  if (std::holds_alternative<ShortField*>(field.member)) return sizeof(int16_t);
  return kTextBufferBytes;
}

SQLSMALLINT CTypeOf(const ExchangedField& field) {
  if (std::holds_alternative<LongField*>(field.member)) return SQL_C_SLONG;
  if (std::holds_alternative<ShortField*>(field.member)) return SQL_C_SSHORT;
  return SQL_C_CHAR;
}

}  // namespace

RowBlock::RowBlock(const std::vector<ExchangedField>& fields, SQLULEN rows) : m_capacity(rows) {
  m_columns.reserve(fields.size());
  for (const auto& field : fields) {
    const SQLLEN width = WidthOf(field);
    // Left unfilled: the driver writes every row it reports fetched.
    m_columns.push_back({&field, width,
                         std::make_unique_for_overwrite<char[]>(static_cast<size_t>(width) * rows),
                         std::make_unique_for_overwrite<SQLLEN[]>(rows)});
  }
}

void RowBlock::Bind(OdbcStatement& statement) {
  SQLHSTMT handle = statement.Handle();
  // A driver may lower the block size; it then answers with the size it will use.
  SQLSetStmtAttr(handle, SQL_ATTR_ROW_ARRAY_SIZE, reinterpret_cast<SQLPOINTER>(m_capacity), 0);
  CheckOdbc(SQLGetStmtAttr(handle, SQL_ATTR_ROW_ARRAY_SIZE, &m_capacity, 0, nullptr), SQL_HANDLE_STMT,
            handle);
  CheckOdbc(SQLSetStmtAttr(handle, SQL_ATTR_ROWS_FETCHED_PTR, &m_rowsFetched, 0), SQL_HANDLE_STMT, handle);
  for (size_t i = 0; i < m_columns.size(); ++i) {
    Column& column = m_columns[i];
    CheckOdbc(SQLBindCol(handle, static_cast<SQLUSMALLINT>(i + 1), CTypeOf(*column.field), column.data.get(),
                         column.width, column.lengths.get()),
              SQL_HANDLE_STMT, handle);
  }
}

bool RowBlock::Fetch(OdbcStatement& statement) {
  m_rowsFetched = 0;
  const SQLRETURN result = SQLFetch(statement.Handle());
  CheckOdbc(result, SQL_HANDLE_STMT, statement.Handle());
  return result != SQL_NO_DATA && m_rowsFetched > 0;
}

void RowBlock::LoadRow(SQLULEN row) const {
  for (const Column& column : m_columns) {
    const char* value = column.data.get() + row * static_cast<SQLULEN>(column.width);
    const SQLLEN length = column.lengths[row];
    const bool isNull = length == SQL_NULL_DATA;
    std::visit(
        [&](auto* member) {
          using Member = std::remove_pointer_t<decltype(member)>;
          if (isNull) {
            member->Reset();
          } else if constexpr (std::is_same_v<Member, TextField>) {
            // A value longer than the buffer comes back cut, its length still the full one.
            const size_t bytes = length == SQL_NO_TOTAL || length >= column.width
                                     ? std::strlen(value)
                                     : static_cast<size_t>(length);
            member->Load(CutToMaxCharacters(value, bytes));
          } else {
            std::remove_cvref_t<decltype(member->Value())> number;
            std::memcpy(&number, value, sizeof number);
            member->Load(number);
          }
        },
        column.field->member);
  }
}
