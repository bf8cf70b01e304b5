#pragma once
// The field-exchange list of a recordset: its columns in table order, each with its bracketed
// column name and the member that holds it. Result columns are bound by this position.

#include <string>
#include <variant>
#include <vector>

#include "db/FieldValue.h"

// A bracketed name ("[Users]", "[UserID]") as it is written in statements.
std::string WithoutBrackets(const std::string& name);

struct ExchangedField {
  std::string name;  // bracketed, as "[UserID]"
  std::variant<LongField*, ShortField*, TextField*> member;

  // The column name without its brackets, as it is written in generated statements.
  std::string ColumnName() const { return WithoutBrackets(name); }
};

class CFieldExchange {
 public:
  void Long(const char* name, LongField& member) { m_fields.push_back({name, &member}); }
  void Short(const char* name, ShortField& member) { m_fields.push_back({name, &member}); }
  void Text(const char* name, TextField& member) { m_fields.push_back({name, &member}); }

  const std::vector<ExchangedField>& Fields() const { return m_fields; }

 private:
  std::vector<ExchangedField> m_fields;
};
