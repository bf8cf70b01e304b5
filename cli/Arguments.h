#pragma once
// The words of a command line after the program name: positional words, taken in order, and
// options anywhere among them, "--name VALUE" or "--name=VALUE", or, for the flags, "--name"
// alone; "-h" is --help and "-q" is --quiet. After "--" every word is positional, so a name
// may begin with a dash. A word that is missing, left over or unknown is a usage error
// (CliError with kExitUsage).

#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class Arguments {
 public:
  explicit Arguments(const std::vector<std::string>& words);

  // The next positional word; `what` names it in the usage error when there is none.
  std::string Next(const char* what);
  bool HasNext() const { return m_next < m_positional.size(); }
  // The positional word after the ones taken, without taking it; empty when there is none.
  std::string Peek() const { return HasNext() ? m_positional[m_next] : std::string(); }
  // The value of an option given once, or nothing.
  std::optional<std::string> Option(const std::string& name);
  // Whether a flag (an option without a value: --yes, --json, --help) was given.
  bool Flag(const std::string& name);
  // Refuses words and options that no command read.
  void ExpectDone() const;

 private:
  struct Given {
    std::string name;
    std::optional<std::string> value;
    bool used = false;
  };

  void AddOption(const std::vector<std::string>& words, size_t& i);

  std::vector<std::string> m_positional;
  size_t m_next = 0;
  std::vector<Given> m_options;
};

// Reads the next word as one of `command`'s actions and runs it; an action that is missing
// or unknown is a usage error that lists them.
using Action = std::pair<const char*, int (*)(Arguments&)>;
int RunAction(Arguments& arguments, const char* command, std::initializer_list<Action> actions);
