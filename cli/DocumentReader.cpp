#include "cli/DocumentReader.h"

#include <algorithm>
#include <map>
#include <stdexcept>

#include "cli/CliError.h"
#include "cli/JsonValue.h"
#include "db/Permissions.h"
#include "base/ParseInt.h"

namespace {

using Document = ConfigDocument;

// The fields of one row by name, whatever the format.
class Fields {
 public:
  Fields(std::map<std::string, std::string> values, std::string where)
      : m_values(std::move(values)), m_where(std::move(where)) {}

  std::string Text(const std::string& name) const {
    const auto found = m_values.find(name);
    return found == m_values.end() ? std::string() : found->second;
  }
  bool Has(const std::string& name) const { return m_values.contains(name); }
  int32_t Number(const std::string& name) const {
    int value = 0;
    if (ParseInt(Text(name), value) != ParseResult::Ok) Fail(name + " is not a whole number");
    return value;
  }
  [[noreturn]] void Fail(const std::string& what) const { throw Refused(m_where + ": " + what); }

 private:
  std::map<std::string, std::string> m_values;
  std::string m_where;
};

Fields ObjectFields(const JsonValue& object, const std::string& where) {
  if (object.kind != JsonValue::Kind::object) throw Refused(where + " is not an object");
  std::map<std::string, std::string> values;
  for (const auto& [name, value] : object.members)
    if (value.kind != JsonValue::Kind::null) values[name] = value.text;
  return {std::move(values), where};
}

Document::Account AccountOf(const Fields& fields) {
  Document::Account account;
  account.name = fields.Text("name");
  account.home = fields.Text("home");
  account.quota = fields.Has("quota") ? fields.Number("quota") : 0;
  const std::string permissions = fields.Text("permissions");
  int number = 0;
  if (ParseInt(permissions, number) == ParseResult::Ok) {
    account.permissions = number;
  } else if (const auto bits = ParsePermissionLetters(permissions)) {
    account.permissions = *bits;
  } else {
    fields.Fail("the permissions \"" + permissions +
                "\" are neither a number nor letters among U, D, R, C and E");
  }
  account.computer = fields.Text("computer");
  account.address = fields.Text("vserver");
  if (fields.Has("digest") == fields.Has("password")) fields.Fail("give either a digest or a password");
  if (fields.Has("digest"))
    account.digest = fields.Text("digest");
  else if (!fields.Text("password").empty())
    account.SetPassword(fields.Text("password"));
  return account;
}

const std::vector<JsonValue>& Items(const JsonValue& document, const char* name) {
  static const std::vector<JsonValue> kNone;
  const JsonValue* list = document.Find(name);
  if (!list) return kNone;
  if (list->kind != JsonValue::Kind::array) throw Refused(std::string("\"") + name + "\" is not a list");
  return list->items;
}

std::string Where(const char* list, size_t index) {
  return std::string(list) + " entry " + std::to_string(index + 1);
}

// A file saved by a spreadsheet or an editor may begin with a UTF-8 byte order mark.
std::string WithoutByteOrderMark(const std::string& text) {
  return text.starts_with("\xEF\xBB\xBF") ? text.substr(3) : text;
}

JsonValue Parsed(const std::string& text) {
  try {
    return ParseJson(WithoutByteOrderMark(text));
  } catch (const std::runtime_error& error) {
    throw Refused(error.what());
  }
}

void ReadAccounts(const std::vector<JsonValue>& items, Document& document) {
  for (size_t i = 0; i < items.size(); ++i)
    document.accounts.push_back(AccountOf(ObjectFields(items[i], Where("accounts", i))));
}

// The fields of one CSV line: commas separate, a field in double quotes may hold commas,
// line breaks and doubled quotes. `at` moves past the line.
std::vector<std::string> CsvLine(const std::string& text, size_t& at) {
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (; at < text.size(); ++at) {
    const char c = text[at];
    if (quoted) {
      if (c != '"')
        fields.back() += c;
      else if (at + 1 < text.size() && text[at + 1] == '"')
        fields.back() += text[++at];
      else
        quoted = false;
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      fields.emplace_back();
    } else if (c == '\n') {
      ++at;
      break;
    } else if (c != '\r') {
      fields.back() += c;
    }
  }
  return fields;
}

Document CsvAccounts(const std::string& text) {
  size_t at = 0;
  const std::vector<std::string> header = CsvLine(text, at);
  if (std::find(header.begin(), header.end(), "name") == header.end())
    throw Refused("the CSV header names no \"name\" column");
  Document document;
  for (size_t line = 2; at < text.size(); ++line) {
    const std::vector<std::string> cells = CsvLine(text, at);
    if (cells.size() == 1 && cells[0].empty()) continue;  // an empty line
    const std::string where = "line " + std::to_string(line);
    if (cells.size() != header.size())
      throw Refused(where + ": " + std::to_string(cells.size()) + " fields where the header names " +
                    std::to_string(header.size()));
    std::map<std::string, std::string> values;
    for (size_t i = 0; i < header.size(); ++i) values[header[i]] = cells[i];
    document.accounts.push_back(AccountOf(Fields(std::move(values), where)));
  }
  return document;
}

}  // namespace

ConfigDocument ReadConfigDocument(const std::string& text) {
  const JsonValue json = Parsed(text);
  const JsonValue* format = json.Find(kDocumentFormat);
  if (json.kind != JsonValue::Kind::object || !format)
    throw Refused(std::string("not a configuration written by veltrane-admin export (no \"") +
                  kDocumentFormat + "\")");
  if (format->text != std::to_string(kDocumentVersion))
    throw Refused("a configuration document of version " + format->text + " cannot be read here");
  Document document;
  const auto& computers = Items(json, "computers");
  for (size_t i = 0; i < computers.size(); ++i) {
    const Fields fields = ObjectFields(computers[i], Where("computers", i));
    document.computers.push_back({fields.Text("name"), fields.Text("site")});
  }
  const auto& servers = Items(json, "vservers");
  for (size_t i = 0; i < servers.size(); ++i) {
    const Fields fields = ObjectFields(servers[i], Where("vservers", i));
    document.servers.push_back({fields.Text("computer"), fields.Text("address"), fields.Text("description")});
  }
  const auto& preferences = Items(json, "preferences");
  for (size_t i = 0; i < preferences.size(); ++i) {
    const Fields fields = ObjectFields(preferences[i], Where("preferences", i));
    document.preferences.push_back({fields.Text("computer"), fields.Text("vserver"),
                                    fields.Text("description"), fields.Text("settings")});
  }
  ReadAccounts(Items(json, "accounts"), document);
  return document;
}

ConfigDocument ReadAccountDocument(const std::string& file) {
  const std::string text = WithoutByteOrderMark(file);
  const size_t start = text.find_first_not_of(" \t\r\n");
  if (start == std::string::npos || (text[start] != '{' && text[start] != '[')) return CsvAccounts(text);
  const JsonValue json = Parsed(text);
  Document document;
  if (json.kind == JsonValue::Kind::array)
    ReadAccounts(json.items, document);
  else
    ReadAccounts(Items(json, "accounts"), document);
  return document;
}
