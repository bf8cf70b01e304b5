#pragma once
// What veltrane-admin prints: for people, a table with a header and aligned columns; for
// programs (--json), one JSON document. A listing streams its JSON row by row, so a million
// accounts are never held as text. Stored texts are escaped (cli/TextEscape.h).

#include <iosfwd>
#include <string>
#include <utility>
#include <vector>

// One row as field names with their values; numbers are marked so that JSON writes them bare.
struct Field {
  std::string name;
  std::string value;
  bool number = false;
};
using Record = std::vector<Field>;

class Listing {
 public:
  Listing(std::ostream& out, bool json) : m_out(out), m_json(json) {}
  // Prints one row (JSON at once; a table once all rows are in, for its widths). Rows after a
  // termination signal or a failed write are passed over.
  void Add(const Record& record);
  // Ends the document: "]" for JSON, the table with its header for people. After a
  // termination signal it says on standard error that the list is incomplete, stops printing
  // at once and leaves a JSON document unterminated, so that no parser takes it for whole.
  void Finish();

 private:
  std::ostream& m_out;
  bool m_json;
  size_t m_count = 0;
  std::vector<std::string> m_headings;
  std::vector<std::vector<std::string>> m_rows;
  std::string m_line;  // one JSON row, its buffer kept from row to row
};

// Appends one record as a JSON object.
void AppendJsonObject(std::string& out, const Record& record);

// One record as a JSON object, or as "name: value" lines for people.
void PrintRecord(std::ostream& out, const Record& record, bool json);

// Where a command says what it has done: standard output, or nowhere after SetQuiet(true)
// (-q). Lists, shows and reports print to standard output whatever the setting.
std::ostream& Confirmation();
void SetQuiet(bool quiet);
