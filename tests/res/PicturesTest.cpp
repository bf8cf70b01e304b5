#include <gtest/gtest.h>

#include <QImage>
#include <set>

#include "res/ResourceIds.h"
#include "res/Resources.h"

namespace res {
namespace {

// Parses the XPM as the Qt backend will, and counts the opaque colours it uses.
std::set<QRgb> OpaqueColours(const QImage& image) {
  std::set<QRgb> colours;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qAlpha(image.pixel(x, y)) == 255) colours.insert(image.pixel(x, y));
  return colours;
}

// The icon's size is checked where the host shows it.
TEST(Pictures, TheIconAndTheBannerAreSixteenColourImagesOfTheirSizes) {
  const QImage icon(FindIconXpm(IDI_APPLET));
  EXPECT_LE(OpaqueColours(icon).size(), 16u);
  EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0);  // transparent corners
  EXPECT_EQ(qAlpha(icon.pixel(31, 31)), 0);

  const QImage banner(FindBitmapXpm(IDB_BANNER));
  EXPECT_EQ(banner.size(), QSize(300, 70));
  EXPECT_LE(OpaqueColours(banner).size(), 16u);
  EXPECT_FALSE(banner.hasAlphaChannel());
}

}  // namespace
}  // namespace res
