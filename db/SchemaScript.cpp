#include "db/SchemaScript.h"

#include <strings.h>

#include <cctype>
#include <fstream>
#include <stdexcept>

namespace {

// A statement as words (names, keywords, numbers) and single punctuation characters.
std::vector<std::string> Tokens(const std::string& statement) {
  std::vector<std::string> tokens;
  const auto isWordCharacter = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; };
  for (size_t at = 0; at < statement.size();) {
    const char c = statement[at];
    if (std::isspace(static_cast<unsigned char>(c))) {
      ++at;
    } else if (isWordCharacter(c)) {
      const size_t start = at;
      while (at < statement.size() && isWordCharacter(statement[at])) ++at;
      tokens.push_back(statement.substr(start, at - start));
    } else {
      tokens.emplace_back(1, c);
      ++at;
    }
  }
  return tokens;
}

bool Is(const std::vector<std::string>& tokens, size_t at, const char* word) {
  return at < tokens.size() && strcasecmp(tokens[at].c_str(), word) == 0;
}

// The first word of each item of the parenthesised list opening at `open`, items being
// separated by the commas outside inner parentheses.
std::vector<std::string> ListedNames(const std::vector<std::string>& tokens, size_t open) {
  std::vector<std::string> names;
  bool itemStart = true;
  int depth = 0;
  for (size_t at = open; at < tokens.size(); ++at) {
    const std::string& token = tokens[at];
    if (token == "(") {
      ++depth;
    } else if (token == ")") {
      if (--depth == 0) break;
    } else if (depth == 1 && token == ",") {
      itemStart = true;
    } else if (depth == 1 && itemStart) {
      names.push_back(token);
      itemStart = false;
    }
  }
  return names;
}

size_t Find(const std::vector<std::string>& tokens, const char* token) {
  for (size_t at = 0; at < tokens.size(); ++at)
    if (tokens[at] == token) return at;
  return tokens.size();
}

}  // namespace

std::vector<std::string> SchemaStatements(const std::string& path) {
  std::ifstream file(path);
  if (!file) throw std::runtime_error("The schema script " + path + " cannot be read.");
  std::string script;
  for (std::string line; std::getline(file, line);)
    if (!line.starts_with("--")) script += line + '\n';
  std::vector<std::string> statements;
  for (size_t end; (end = script.find(';')) != std::string::npos; script.erase(0, end + 1))
    statements.push_back(script.substr(0, end));
  return statements;
}

std::vector<TableDefinition> SchemaDefinitions(const std::string& path) {
  std::vector<TableDefinition> tables;
  for (const std::string& statement : SchemaStatements(path)) {
    const std::vector<std::string> tokens = Tokens(statement);
    if (!Is(tokens, 0, "CREATE")) continue;
    if (Is(tokens, 1, "TABLE") && tokens.size() > 2) {
      tables.push_back({tokens[2], ListedNames(tokens, Find(tokens, "(")), statement, {}});
      continue;
    }
    const bool unique = Is(tokens, 1, "UNIQUE");
    const size_t index = unique ? 2 : 1;
    if (!Is(tokens, index, "INDEX") || !Is(tokens, index + 2, "ON") || tokens.size() <= index + 3) continue;
    const std::string& table = tokens[index + 3];
    for (TableDefinition& definition : tables)
      if (strcasecmp(definition.name.c_str(), table.c_str()) == 0)
        definition.indexes.push_back(
            {tokens[index + 1], definition.name, ListedNames(tokens, index + 4), unique, statement});
  }
  return tables;
}
