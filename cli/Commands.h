#pragma once
// The commands of veltrane-admin, one function each, given the words after the command's
// name. Each returns the exit status, or throws CliError.

class Arguments;

int RunInit(Arguments& arguments);
int RunCheck(Arguments& arguments);
int RunUnlock(Arguments& arguments);
int RunComputer(Arguments& arguments);
int RunVirtualServer(Arguments& arguments);
int RunUser(Arguments& arguments);
int RunPreferences(Arguments& arguments);
int RunService(Arguments& arguments);
int RunExport(Arguments& arguments);
int RunImport(Arguments& arguments);
int RunUserImport(Arguments& arguments);
int RunMigrate(Arguments& arguments);
