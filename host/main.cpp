// veltrane-control: the Control Panel stand-in. Loads an applet library and holds the
// Control Panel's conversation with it.

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "host/AppletLibrary.h"

namespace {

constexpr const char* kUsage =
    "usage: veltrane-control --list [LIBRARY]\n"
    "  --list   print the name and description of each applet in LIBRARY\n"
    "           (default: the applet library installed beside this program)\n";

// More applets than any Control Panel shows: a count beyond it is a faulty library.
constexpr LONG kMaxApplets = 1000;

// The Control Panel's conversation, listing each applet: CPL_INIT, CPL_GETCOUNT,
// CPL_NEWINQUIRE per applet, then CPL_STOP per applet and CPL_EXIT.
int ListApplets(const std::string& path) {
  AppletLibrary library;
  if (!library.Load(path)) {
    std::fprintf(stderr, "veltrane-control: %s\n", library.LastError().c_str());
    return 1;
  }
  if (library.Send(nullptr, CPL_INIT) == 0) {
    std::fprintf(stderr, "veltrane-control: %s: the applet library failed to initialise\n", path.c_str());
    return 1;
  }
  const LONG count = library.Send(nullptr, CPL_GETCOUNT);
  if (count < 0 || count > kMaxApplets) {
    std::fprintf(stderr, "veltrane-control: %s: the library claims %d applets\n", path.c_str(),
                 static_cast<int>(count));
    library.Send(nullptr, CPL_EXIT);
    return 1;
  }
  std::vector<LONG_PTR> appletData;
  for (LONG index = 0; index < count; ++index) {
    AppletLibrary::Description description;
    if (library.Inquire(index, description)) {
      std::printf("%s\t%s\n", description.name.c_str(), description.info.c_str());
    } else {
      std::fprintf(stderr, "veltrane-control: applet %d does not describe itself\n", static_cast<int>(index));
    }
    appletData.push_back(description.data);
  }
  for (LONG index = 0; index < count; ++index) library.Send(nullptr, CPL_STOP, index, appletData[index]);
  library.Send(nullptr, CPL_EXIT);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 2 && argc <= 3 && std::strcmp(argv[1], "--list") == 0) {
    return ListApplets(argc == 3 ? argv[2] : AppletLibrary::DefaultPath());
  }
  std::fputs(kUsage, stderr);
  return 2;
}
