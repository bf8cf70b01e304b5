#include "cli/Arguments.h"

#include <algorithm>

#include "cli/CliError.h"

namespace {

bool IsFlag(const std::string& name) { return name == "yes" || name == "json" || name == "help"; }

}  // namespace

Arguments::Arguments(const std::vector<std::string>& words) {
  for (size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (!word.starts_with("--") || word == "--") {
      m_positional.push_back(word);
      continue;
    }
    const std::string name = word.substr(2);
    if (std::any_of(m_options.begin(), m_options.end(),
                    [&](const Given& given) { return given.name == name; }))
      throw UsageError("--" + name + " is given twice");
    if (IsFlag(name)) {
      m_options.push_back({name, std::nullopt});
    } else {
      if (i + 1 >= words.size()) throw UsageError("--" + name + " needs a value");
      m_options.push_back({name, words[++i]});
    }
  }
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
