#include "cli/Output.h"

#include <algorithm>
#include <iostream>

#include "cli/TextEscape.h"
#include "platform/TerminationSignals.h"

namespace {

bool g_quiet = false;

// Characters shown, counted as UTF-8 characters (continuation bytes take no column).
size_t ShownWidth(const std::string& text) {
  return static_cast<size_t>(
      std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

void PrintPadded(std::ostream& out, const std::string& text, size_t width, bool last) {
  out << text;
  if (!last) out << std::string(width - ShownWidth(text) + 2, ' ');
}

// After a termination signal nothing more is printed, and the end of the list is not written:
// no reader may take what came before for the whole list.
bool Interrupted() {
  if (!TerminationRequested()) return false;
  std::cerr << "veltrane-admin: interrupted: the list is incomplete\n";
  return true;
}

}  // namespace

void Listing::Add(const Record& record) {
  if (!m_out || TerminationRequested()) return;
  if (m_json) {
    m_line.assign(m_count == 0 ? "[\n  " : ",\n  ");
    AppendJsonObject(m_line, record);
    m_out.write(m_line.data(), static_cast<std::streamsize>(m_line.size()));
  } else {
    if (m_headings.empty())
      for (const Field& field : record) m_headings.push_back(field.name);
    std::vector<std::string> cells;
    for (const Field& field : record) cells.push_back(EscapedForTerminal(field.value));
    m_rows.push_back(std::move(cells));
  }
  ++m_count;
}

void Listing::Finish() {
  if (Interrupted()) return;
  if (m_json) {
    m_out << (m_count == 0 ? "[]\n" : "\n]\n");
    return;
  }
  if (m_rows.empty()) return;
  std::vector<size_t> widths;
  for (const std::string& heading : m_headings) widths.push_back(ShownWidth(heading));
  for (const auto& row : m_rows)
    for (size_t i = 0; i < row.size(); ++i) widths[i] = std::max(widths[i], ShownWidth(row[i]));
  const auto print = [&](const std::vector<std::string>& cells) {
    for (size_t i = 0; i < cells.size(); ++i) PrintPadded(m_out, cells[i], widths[i], i + 1 == cells.size());
    m_out << '\n';
  };
  print(m_headings);
  for (const auto& row : m_rows) {
    if (Interrupted()) return;
    print(row);
  }
}

void PrintRecord(std::ostream& out, const Record& record, bool json) {
  if (json) {
    std::string line;
    AppendJsonObject(line, record);
    out << line << '\n';
    return;
  }
  size_t width = 0;
  for (const Field& field : record) width = std::max(width, field.name.size());
  for (const Field& field : record)
    out << field.name << ':' << std::string(width - field.name.size() + 1, ' ')
        << EscapedForTerminal(field.value) << '\n';
}

void AppendJsonObject(std::string& out, const Record& record) {
  out += '{';
  for (const Field& field : record) {
    if (&field != &record.front()) out += ", ";
    AppendJsonString(out, field.name);
    out += ": ";
    if (field.number)
      out += field.value;
    else
      AppendJsonString(out, field.value);
  }
  out += '}';
}

std::ostream& Confirmation() {
  static std::ostream nowhere(nullptr);  // a stream without a buffer drops what it is given
  return g_quiet ? nowhere : std::cout;
}

void SetQuiet(bool quiet) { g_quiet = quiet; }
