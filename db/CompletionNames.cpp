#include "db/CompletionNames.h"

#include "db/CRSUsers.h"
#include "db/CRSVirtualServerGroup.h"
#include "db/CRSVirtualServers.h"

CompletionNames ReadCompletionNames(size_t maxAccounts) {
  CompletionNames names;
  try {
    CRSVirtualServerGroup computers;
    computers.Open("SELECT * FROM VirtualServerGroup ORDER BY Name");
    for (; !computers.IsEOF(); computers.MoveNext()) names.computers.push_back(computers.m_Name.Value());
    computers.Close();
    CRSVirtualServers servers;
    servers.Open("SELECT * FROM VirtualServers ORDER BY VServerIPAddr");
    for (; !servers.IsEOF(); servers.MoveNext()) names.addresses.push_back(servers.m_VServerIPAddr.Value());
    servers.Close();
    // LIMIT is understood by both engines; the number is written in decimal.
    CRSUsers accounts;
    accounts.Open("SELECT * FROM Users ORDER BY UserName LIMIT " + std::to_string(maxAccounts));
    for (; !accounts.IsEOF(); accounts.MoveNext()) names.accounts.push_back(accounts.m_UserName.Value());
    accounts.Close();
  } catch (...) {
    return {};
  }
  return names;
}
