#pragma once
// The drawn pictures by resource id, as XPM data (one character per pixel), ready for
// QPixmap or QImage.

namespace res {

// The icon with that resource id, or null when there is none.
const char* const* FindIconXpm(int id);

// The bitmap with that resource id, or null when there is none.
const char* const* FindBitmapXpm(int id);

}  // namespace res
