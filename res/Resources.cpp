#include "res/Resources.h"

#include "res/XpmData.h"

namespace res {

const char* const* FindIconXpm(int id) {
  return id == 12000 ? kIcon12000Xpm : nullptr;
}

const char* const* FindBitmapXpm(int id) {
  return id == 130 ? kBitmap130Xpm : nullptr;
}

}  // namespace res
