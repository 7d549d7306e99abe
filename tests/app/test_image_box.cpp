// The picture box with a maker: the picture is drawn for the box's size and screen,
// once per size, and the saved picture is left alone.
#include <gtest/gtest.h>

#include <vector>

#include "app/image_box.h"
#include "support/qt_app_environment.h"
#include "support/render_support.h"

namespace {

TEST(ImageBox, AMakerDrawsForEachSizeOnceAndLeavesThePictureAlone) {
  ImageBox box;
  box.SetPicture(MakeSolidBitmap(730, 730, kBlue));
  std::vector<ShownSize> asked;
  box.SetShownPicture([&asked](const ShownSize& shown) {
    asked.push_back(shown);
    QImage picture = MakeSolidBitmap(shown.DevicePixels(), shown.DevicePixels(), kRed);
    picture.setDevicePixelRatio(shown.DevicePixelRatio);
    return picture;
  });
  const struct {
    QSize box;
    int side;  // drawn for
    std::size_t calls;
  } steps[] = {{{360, 400}, 360, 1}, {{360, 400}, 360, 1}, {{1460, 1460}, 1460, 2}, {{500, 200}, 200, 3}};
  for (const auto& step : steps) {
    box.resize(step.box);
    const QImage shown = box.grab().toImage();
    ASSERT_EQ(asked.size(), step.calls) << step.box.width();
    EXPECT_EQ(asked.back().Side, step.side);
    EXPECT_EQ(shown.pixelColor(step.side - 1, step.side - 1), ToQColor(kRed)) << step.side;
  }
  EXPECT_EQ(box.Picture().size(), QSize(730, 730));
  box.PictureChanged();  // the picture drawn anew is shown scaled, without the maker
  box.resize(365, 365);
  EXPECT_EQ(box.grab().toImage().pixelColor(100, 100), ToQColor(kBlue));
  EXPECT_EQ(asked.size(), 3u);
}

}  // namespace
