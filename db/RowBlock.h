#pragma once
// Column-wise buffers for fetching a block of rows per call: every exchanged column is bound
// once as an array, so loading a large table costs one driver call per block, not per value.

#include <sql.h>

#include <memory>
#include <vector>

#include "db/FieldExchange.h"

class OdbcStatement;

class RowBlock {
 public:
  RowBlock(const std::vector<ExchangedField>& fields, SQLULEN rows);

  // Binds the buffers to the executed statement's result columns, by position.
  void Bind(OdbcStatement& statement);
  // Fetches the next block; false when there are no more rows.
  bool Fetch(OdbcStatement& statement);
  SQLULEN RowsFetched() const { return m_rowsFetched; }
  // Copies row `row` of the block into the exchanged members.
  void LoadRow(SQLULEN row) const;

 private:
  struct Column {
    const ExchangedField* field;
    SQLLEN width;
    std::unique_ptr<char[]> data;
    std::unique_ptr<SQLLEN[]> lengths;
  };

  std::vector<Column> m_columns;
  SQLULEN m_capacity;
  SQLULEN m_rowsFetched = 0;
};
