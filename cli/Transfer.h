#pragma once
// The two halves of export and import, for the commands that combine them (migrate).

#include <iosfwd>
#include <optional>
#include <string>

#include "db/ConfigDocument.h"

class ConfigDatabase;

// Writes the configuration of a logged-in session as one JSON document, of one computer
// when `computer` names one. Throws CliError when it cannot be written whole.
void WriteConfiguration(ConfigDatabase& database, std::ostream& out,
                        const std::optional<std::string>& computer);

// Imports the document in one transaction into the database of the logged-in session and
// prints the summary; a refusal or a failure throws CliError with nothing imported.
int ApplyDocument(const ConfigDocument& document, bool replace, bool dryRun);
