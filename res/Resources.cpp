#include "res/Resources.h"

#include "res/ResourceIds.h"
#include "res/XpmData.h"

namespace res {

const char* const* FindIconXpm(int id) { return id == IDI_APPLET ? kIcon12000Xpm : nullptr; }

const char* const* FindBitmapXpm(int id) { return id == IDB_BANNER ? kBitmap130Xpm : nullptr; }

}  // namespace res
