// The Moon's names in the window: the Names box and its key, what lies under the
// pointer on each Moon view (a click keeps it), Find Feature's mark and its next
// sunrise, and the eyepiece of "Moon from here".
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTest>

#include "app/image_box.h"
#include "astro/lunar_features.h"
#include "nasa/hour_values.h"
#include "render/feature_projection.h"
#include "render/moon_from_here.h"
#include "support/widget_events.h"
#include "support/window_test.h"
#include "windows/find_feature_dialog.h"

namespace {

const long double kFirstQuarter = EncodeDateTimeOrZero(2026, 12, 17, 6, 0, 0, 0);

class NamedMoonWindow : public WindowTest {
 protected:
  void SetUp() override {
    QFile::remove(IniPath());
    Form = std::make_unique<TForm1>(MakeServices());
    Form->ReadIniFile();
    Form->resize(1300, 800);
    Form->show();
  }
  void Show(ViewKind view, long double latitude, int eyepiece = 0) {
    Child<QComboBox>(*Form, "EyepieceBox")->setCurrentIndex(eyepiece);
    Form->Session().SetPlace(latitude, -73.1L);
    Form->Session().SetView(view);
    Form->Session().GoTo(kFirstQuarter);
    WaitForShow(*Form);
  }
  // Where the Moon view's box shows a place of the Moon, as the view draws it.
  QPointF InBox(const FeatureProjection& projection, const LunarFeature& f) const {
    const QPointF pixel = projection.PixelOf(f.LatitudeDeg, f.LongitudeDeg).value();
    const ImageBox* box = Child<ImageBox>(*Form, "Image2");
    return (pixel + QPointF(0.5, 0.5)) * std::min(box->width(), box->height()) / 730.0;
  }
  void Move(QPointF at) {
    QMouseEvent move(QEvent::MouseMove, at, Child<ImageBox>(*Form, "Image2")->mapToGlobal(at), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(Child<ImageBox>(*Form, "Image2"), &move);
  }
  QString Status() const { return Child<QLabel>(*Form, "StatusBar1")->text(); }

  std::unique_ptr<TForm1> Form;
};

// Copernicus under the pointer on the drawn Moon (north and south up) and on the Moon
// from here through each eyepiece: the status bar names it while the pointer is there.
TEST_F(NamedMoonWindow, ThePointerNamesTheFeatureUnderItOnEveryMoonView) {
  const LunarFeature& copernicus = *FindLunarFeature("Copernicus");
  struct Case {
    ViewKind View;
    long double Latitude;
    int Eyepiece;
  } const cases[] = {{ViewKind::Drawn, 41.3L, 0},
                     {ViewKind::Drawn, -33.9L, 0},
                     {ViewKind::FromHere, 41.3L, 0},
                     {ViewKind::FromHere, -33.9L, 1},
                     {ViewKind::FromHere, 41.3L, 2}};
  for (const Case& c : cases) {
    Show(c.View, c.Latitude, c.Eyepiece);
    const MoonRecord& r = Form->Session().Record();
    MoonViewOptions o;
    o.Latitude = c.Latitude;
    o.Eyepiece = static_cast<EyepieceImage>(c.Eyepiece);
    const FeatureProjection projection =
        c.View == ViewKind::FromHere ? FromHereProjection(r, o, QSize(730, 730))
                                     : FeatureProjection(HourValuesOf(r), MoonViewGeometry(r, o, {730, 730}, {730, 730}));
    const QString before = Status();
    Move(InBox(projection, copernicus));
    EXPECT_TRUE(Status().startsWith(" Copernicus, crater")) << Status().toStdString() << " view " << int(c.View);
    Hover(Child<ImageBox>(*Form, "Image2"), false);
    EXPECT_EQ(Status(), before) << "leaving gives the status bar back";
  }
}

// A click keeps the text after the pointer has gone; off the disc nothing is said.
TEST_F(NamedMoonWindow, AClickKeepsThePlaceAndTheSkySaysNothing) {
  Show(ViewKind::Drawn, 41.3L);
  const QString before = Status();
  Move(QPointF(2, 2));
  EXPECT_EQ(Status(), before) << "the sky has no place";
  const ImageBox* box = Child<ImageBox>(*Form, "Image2");
  const QPointF centre(box->width() / 2.0, box->height() / 2.0);
  QTest::mouseClick(Child<ImageBox>(*Form, "Image2"), Qt::LeftButton, {}, centre.toPoint());
  const QString kept = Status();
  EXPECT_TRUE(kept.contains("Sun ")) << kept.toStdString();
  Hover(Child<ImageBox>(*Form, "Image2"), false);
  EXPECT_EQ(Status(), kept);
}

// The Names box (key N) writes names on the picture and is remembered; off by default.
TEST_F(NamedMoonWindow, NamesAreAnOptionWithAKeyAndKeptInTheSettings) {
  Show(ViewKind::Drawn, 41.3L);
  auto* names = Child<QCheckBox>(*Form, "NamesBox");
  EXPECT_FALSE(names->isChecked());
  const QImage plain = Child<ImageBox>(*Form, "Image2")->Picture();
  QTest::keyClick(Form.get(), Qt::Key_N);
  WaitForShow(*Form);
  EXPECT_TRUE(names->isChecked());
  EXPECT_NE(Child<ImageBox>(*Form, "Image2")->Picture(), plain);
  Form->close();
  EXPECT_EQ(QSettings(IniPath(), QSettings::IniFormat).value("SETTINGS/NamesBox").toString(), "true");
}

// Ctrl+F finds Tycho: it is marked on the picture, and its next sunrise moves the hour on.
TEST_F(NamedMoonWindow, FindFeatureMarksItAndGoesToItsNextSunrise) {
  Show(ViewKind::Drawn, 41.3L);
  const QImage unmarked = Child<ImageBox>(*Form, "Image2")->Picture();
  QTest::keySequence(Form.get(), QKeySequence::Find);
  auto* find = Form->findChild<FindFeatureDialog*>();
  ASSERT_NE(find, nullptr);
  find->NameEdit->setText("Tycho");
  WaitForShow(*Form);
  EXPECT_NE(Child<ImageBox>(*Form, "Image2")->Picture(), unmarked) << "Tycho is marked";
  find->SunriseBut->click();
  WaitForShow(*Form);
  EXPECT_GT(Form->Session().HourShown(), kFirstQuarter);
  EXPECT_LT(Form->Session().HourShown(), kFirstQuarter + 30) << "within a lunation";
}

// The eyepiece is offered for the Moon from here alone, and remembered.
TEST_F(NamedMoonWindow, TheEyepieceIsOfferedForTheMoonFromHereAndKept) {
  Show(ViewKind::Drawn, 41.3L);
  EXPECT_FALSE(Child<QComboBox>(*Form, "EyepieceBox")->isVisible());
  Show(ViewKind::FromHere, 41.3L, 1);
  EXPECT_TRUE(Child<QComboBox>(*Form, "EyepieceBox")->isVisible());
  EXPECT_FALSE(Child<QCheckBox>(*Form, "RotateBox")->isVisible());
  Form->close();
  EXPECT_EQ(QSettings(IniPath(), QSettings::IniFormat).value("SETTINGS/Eyepiece").toInt(), 1);
}

}  // namespace
