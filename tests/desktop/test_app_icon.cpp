// The window's icon is compiled into the program and drawn by Qt's SVG icon engine
// (libqt6svg6): without the engine the icon would silently be empty.
#include <gtest/gtest.h>

#include <QColor>
#include <QIcon>
#include <QImage>

#include "support/render_gui_environment.h"

TEST(AppIcon, DrawsALitMoonOnATransparentSquareAtEverySize) {
  const QIcon icon(QStringLiteral(":/icons/orvanel.svg"));
  for (int size : {16, 32, 256}) {
    SCOPED_TRACE(size);
    const QImage image = icon.pixmap(size, size).toImage();
    ASSERT_EQ(image.size(), QSize(size, size));
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(image.pixel(size / 2, size / 2)), 255);
    // Waxing gibbous: the right of the disc is day, the far left is night.
    const int day = QColor(image.pixel(size * 3 / 4, size / 2)).lightness();
    const int night = QColor(image.pixel(size / 5, size / 2)).lightness();
    EXPECT_GT(day, night + 100);
  }
}
