#pragma once
// The drawn pictures as XPM arrays, defined in the generated Icon and Bitmap sources.

namespace res {

extern const char* const kIcon12000Xpm[];
extern const char* const kBitmap130Xpm[];

}  // namespace res
