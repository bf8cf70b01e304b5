#include "db/ConfigDocument.h"

#include "digest/Digest.h"

void ConfigDocument::Account::SetPassword(const std::string& password) { DigestText(password, digest); }
