#include "cli/Arguments.h"

#include <algorithm>

#include "cli/CliError.h"

namespace {

bool IsFlag(const std::string& name) {
  for (const char* flag : {"yes", "json", "help", "quiet", "version", "dry-run", "replace"})
    if (name == flag) return true;
  return false;
}

// The long name of a short option, or empty for one there is none of.
std::string LongName(const std::string& word) {
  if (word == "-h") return "help";
  if (word == "-q") return "quiet";
  return {};
}

}  // namespace

Arguments::Arguments(const std::vector<std::string>& words) {
  for (size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (word == "--") {
      m_positional.insert(m_positional.end(), words.begin() + static_cast<long>(i) + 1, words.end());
      return;
    }
    if (word.size() > 1 && word[0] == '-')
      AddOption(words, i);
    else
      m_positional.push_back(word);
  }
}

void Arguments::AddOption(const std::vector<std::string>& words, size_t& i) {
  const std::string& word = words[i];
  std::string name = word.starts_with("--") ? word.substr(2) : LongName(word);
  if (name.empty()) throw UsageError("unknown option " + word + " (after -- it would be a word)");
  std::optional<std::string> value;
  if (const size_t equals = name.find('='); equals != std::string::npos && word.starts_with("--")) {
    value = name.substr(equals + 1);
    name.erase(equals);
    if (IsFlag(name)) throw UsageError("--" + name + " takes no value");
  } else if (!IsFlag(name)) {
    if (i + 1 >= words.size()) throw UsageError("--" + name + " needs a value");
    value = words[++i];
  }
  if (std::any_of(m_options.begin(), m_options.end(), [&](const Given& given) { return given.name == name; }))
    throw UsageError("--" + name + " is given twice");
  m_options.push_back({name, value});
}

std::string Arguments::Next(const char* what) {
  if (!HasNext()) throw UsageError(std::string("missing ") + what);
  return m_positional[m_next++];
}

std::optional<std::string> Arguments::Option(const std::string& name) {
  for (Given& given : m_options)
    if (given.name == name && given.value) {
      given.used = true;
      return given.value;
    }
  return std::nullopt;
}

bool Arguments::Flag(const std::string& name) {
  for (Given& given : m_options)
    if (given.name == name && !given.value) return given.used = true;
  return false;
}

void Arguments::ExpectDone() const {
  if (HasNext()) throw UsageError("unexpected word \"" + m_positional[m_next] + "\"");
  for (const Given& given : m_options)
    if (!given.used) throw UsageError("unknown option --" + given.name + " for this command");
}

int RunAction(Arguments& arguments, const char* command, std::initializer_list<Action> actions) {
  std::string names;
  for (const auto& [name, run] : actions) names += (names.empty() ? "" : ", ") + std::string(name);
  const std::string action =
      arguments.Next(("action for " + std::string(command) + " (" + names + ")").c_str());
  for (const auto& [name, run] : actions)
    if (action == name) return run(arguments);
  throw UsageError("unknown action \"" + action + "\" for " + command + " (" + names + ")");
}
