#pragma once
// A configuration as a document names it, independent of any database's keys: computers by
// name, virtual servers by computer and address, preference rows and accounts by the
// server they belong to. Export writes one, import applies one to another database.

#include <cstdint>
#include <string>
#include <vector>

struct ConfigDocument {
  struct Computer {
    std::string name;
    std::string site;
  };
  struct Server {
    std::string computer;
    std::string address;
    std::string description;
  };
  struct Preference {
    std::string computer;
    std::string address;
    std::string description;
    std::string settings;
  };
  struct Account {
    std::string name;
    std::string digest;  // the password's digest (Users.Password)
    std::string home;
    int32_t quota = 0;
    int32_t permissions = 0;
    // The account's virtual server; an empty address means none (the built-in accounts). An
    // empty computer matches the address on whichever computer has it, when only one does.
    std::string computer;
    std::string address;

    // The digest of a password given in clear text, as the model stores every password.
    void SetPassword(const std::string& password);
  };

  std::vector<Computer> computers;
  std::vector<Server> servers;
  std::vector<Preference> preferences;
  std::vector<Account> accounts;
};
