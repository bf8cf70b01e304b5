// veltrane-admin import FILE [--dry-run] [--replace]
//   and user import FILE [--dry-run] [--replace]
// Applies a document in one transaction (db/ConfigImport.h) and says what it added, changed
// and refused; a refusal keeps all of it out.

#include <fstream>
#include <iostream>
#include <vector>

#include "cli/AdminSession.h"
#include "cli/Arguments.h"
#include "cli/CliError.h"
#include "cli/Commands.h"
#include "cli/DocumentReader.h"
#include "cli/Output.h"
#include "cli/Prompter.h"
#include "cli/TextEscape.h"
#include "cli/Transfer.h"
#include "db/ConfigImport.h"
#include "db/GuardedOperation.h"

namespace {

constexpr size_t kRefusalsShown = 20;

// Documents of a million accounts take about 250 MiB; a larger one (or /dev/zero) is refused
// before it fills the memory.
constexpr std::streamsize kMaxDocumentBytes = std::streamsize{512} << 20;

std::string FileText(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw Refused("cannot read " + EscapedForTerminal(path));
  std::string text;
  std::vector<char> block(1 << 16);
  while (file.read(block.data(), static_cast<std::streamsize>(block.size())) || file.gcount() > 0) {
    text.append(block.data(), static_cast<size_t>(file.gcount()));
    if (static_cast<std::streamsize>(text.size()) > kMaxDocumentBytes)
      throw Refused(EscapedForTerminal(path) + " is larger than 512 MiB");
  }
  if (file.bad()) throw Refused("cannot read " + EscapedForTerminal(path));
  return text;
}

void PrintCounts(std::ostream& out, const char* what, const ImportCounts& counts) {
  out << what << ": " << counts.added << " added, " << counts.changed << " changed, " << counts.unchanged
      << " unchanged\n";
}

int Report(const ImportSummary& summary, bool dryRun) {
  std::ostream& out = summary.refusals.empty() ? Confirmation() : std::cout;
  PrintCounts(out, "computers", summary.computers);
  PrintCounts(out, "virtual servers", summary.servers);
  PrintCounts(out, "preferences", summary.preferences);
  PrintCounts(out, "accounts", summary.accounts);
  for (size_t i = 0; i < summary.refusals.size() && i < kRefusalsShown; ++i)
    std::cerr << "veltrane-admin: refused: " << EscapedForTerminal(summary.refusals[i]) << '\n';
  if (summary.refusals.size() > kRefusalsShown)
    std::cerr << "veltrane-admin: and " << summary.refusals.size() - kRefusalsShown << " more refused\n";
  if (!summary.refusals.empty())
    throw Refused("nothing was imported: " + std::to_string(summary.refusals.size()) + " refused");
  out << (dryRun ? "Dry run: nothing was changed.\n" : "Imported.\n");
  return 0;
}

int Import(Arguments& arguments, ConfigDocument (*read)(const std::string&)) {
  const std::string path = arguments.Next("file to import");
  const bool dryRun = arguments.Flag("dry-run");
  const bool replace = arguments.Flag("replace");
  arguments.ExpectDone();
  const ConfigDocument document = read(FileText(path));  // a document that cannot be read asks nothing
  AdminSession session(AskAdministratorPassword());
  return ApplyDocument(document, replace, dryRun);
}

}  // namespace

int ApplyDocument(const ConfigDocument& document, bool replace, bool dryRun) {
  ImportSummary summary;
  if (!RunGuarded(0, [&] { summary = ImportConfiguration(document, replace, dryRun); })) throw Refused();
  return Report(summary, dryRun);
}

int RunImport(Arguments& arguments) { return Import(arguments, ReadConfigDocument); }

int RunUserImport(Arguments& arguments) { return Import(arguments, ReadAccountDocument); }
