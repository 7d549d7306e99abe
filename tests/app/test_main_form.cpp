// The main window as created at start-up: its controls, menus, title, settings and
// the displayed instant. Runs offscreen; the NASA server points at a closed local
// port so that no test reaches the internet.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>

#include "app/after_first_paint.h"
#include "app/image_box.h"
#include "app/main_form.h"
#include "astro/time_scales.h"
#include "core/settings_store.h"
#include "support/fixed_zone.h"
#include "support/window_test.h"
#include "nasa/frame_naming.h"
#include "nasa/nasa_tables.h"

namespace {

long double At(int y, int mo, int d, int h, int mi) {
  return EncodeDateTimeOrZero(y, mo, d, h, mi, 0, 0);
}

class MainForm : public WindowTest {
 protected:
  void SetUp() override { QFile::remove(IniPath()); }
};

TEST_F(MainForm, HasEveryControlWithItsDesignedCaptionAndState) {
  TForm1 form(MakeServices());
  EXPECT_EQ(form.windowTitle(), "Orvanel  v1.0.0.0");
  EXPECT_EQ(Child<QPushButton>(form, "PrevBut")->text(), "Previous");
  EXPECT_EQ(Child<QPushButton>(form, "NowBut")->text(), "Now");
  EXPECT_EQ(Child<QPushButton>(form, "NextBut")->text(), "Next");
  EXPECT_EQ(Child<QCheckBox>(form, "AnimateBox")->text(), "Animate Moon");
  EXPECT_EQ(Child<QCheckBox>(form, "ReverseBox")->text(), "Reverse Animate");
  EXPECT_EQ(Child<QLabel>(form, "TypeLab")->text(), "Show:");
  EXPECT_EQ(Child<QLabel>(form, "StepLab")->text(), "Hours per Step:");
  EXPECT_EQ(Child<QLabel>(form, "AxisALab")->text(), "Blue = AxisA = Position Angle");
  EXPECT_EQ(Child<QLabel>(form, "ParallacticLab")->text(), "Not Parallactic Rotated");
  EXPECT_EQ(Child<QLabel>(form, "ParallacticLab2")->text(), "Parallactic Rotated");
  EXPECT_TRUE(Child<QCheckBox>(form, "ShowLinesBox")->isChecked());
  EXPECT_TRUE(Child<QCheckBox>(form, "ShowDataBox")->isChecked());
  EXPECT_FALSE(Child<QCheckBox>(form, "RotateBox")->isChecked());

  auto* type = Child<QComboBox>(form, "TypeBox");
  ASSERT_EQ(type->count(), 7);
  EXPECT_EQ(type->itemText(0), "Moon");
  EXPECT_EQ(type->itemText(4), "Chart V");
  EXPECT_EQ(type->itemText(5), "Moon (drawn)");
  auto* step = Child<QComboBox>(form, "StepBox");
  ASSERT_EQ(step->count(), 24);
  EXPECT_EQ(step->itemText(23), "24");
  EXPECT_EQ(step->currentIndex(), 1);

  EXPECT_EQ(Child<QCalendarWidget>(form, "MonthCal")->minimumDate(), QDate(1600, 1, 1));
  EXPECT_EQ(Child<QCalendarWidget>(form, "MonthCal")->maximumDate(), QDate(3999, 12, 31));
  EXPECT_TRUE(Child<QPlainTextEdit>(form, "Memo1")->toPlainText().isEmpty());
  EXPECT_TRUE(Child<QLabel>(form, "UTCLab")->text().isEmpty());
  EXPECT_EQ(Child<QLabel>(form, "StatusBar1")->text(), "Orvanel");
  EXPECT_FALSE(form.Session().Animating());
}

TEST_F(MainForm, HasTheMainMenuAndThePopupMenuInOrder) {
  TForm1 form(MakeServices());
  QStringList top;
  for (QAction* a : form.menuBar()->actions()) top << a->text();
  EXPECT_EQ(top, QStringList({"&File", "&Action", "&Set", "A&bout"}));

  const QStringList commands = {"&NASA Website",       "&Full Year Data",     "&Movie in Browser",
                                "Image in &Browser",   "Image in &Viewer",    "Image in &Paint Program",
                                "Copy &Picture",       "&Image to Clipboard", "&Link to Clipboard",
                                "Save Image &TIF File", "&Download Frames…",  "&Almanac…",
                                "Find Feat&ure…",      "&Eclipses…",          "Next &Eclipse",
                                "Previous E&clipse",   "&Save Chart…",        "&Open Folder"};
  QStringList action;
  for (QAction* a : form.menuBar()->actions()[1]->menu()->actions()) action << a->text();
  EXPECT_EQ(action, commands);

  QStringList popup;
  for (QAction* a : Child<QMenu>(form, "PopupMenu1")->actions()) popup << a->text();
  EXPECT_EQ(popup, commands + QStringList({"Set &Lat / Lon", "A&bout"}));
  QStringList file;
  for (QAction* a : form.menuBar()->actions()[0]->menu()->actions()) file << a->text();
  EXPECT_EQ(file, QStringList({"E&xit"}));
}

// The style's icons are loaded when a menu first opens, whichever menu it is.
TEST_F(MainForm, EveryMenuShowsItsIconsWhenItOpens) {
  for (const char* name : {"File1", "Action1", "PopupMenu1"}) {
    TForm1 form(MakeServices());
    auto* menu = Child<QMenu>(form, name);
    menu->popup(QPoint());
    for (QAction* a : menu->actions()) EXPECT_FALSE(a->icon().isNull()) << name << " " << a->text().toStdString();
    menu->hide();
  }
}

// Each shortcut is defined once, on the action the menus show.
TEST_F(MainForm, TheMenusShowTheirShortcuts) {
  TForm1 form(MakeServices());
  const std::pair<const char*, QKeySequence> shortcuts[] = {
      {"Exit1", QKeySequence("Ctrl+Q")},
      {"About1", QKeySequence("F1")},
      {"SaveChart1Action", QKeySequence("Ctrl+S")},
      {"CopyPicture1Action", QKeySequence("Ctrl+C")},
      {"ImagetoClipBoard1Action", QKeySequence()},
      {"LinktoClipboard1Action", QKeySequence("Ctrl+Shift+C")},
      {"NextEclipse1Action", QKeySequence("E")},
      {"PrevEclipse1Action", QKeySequence("Shift+E")},
  };
  for (const auto& [name, keys] : shortcuts) {
    const auto* a = Child<QAction>(form, name);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->shortcut(), keys) << name;
    EXPECT_TRUE(Child<QMenu>(form, "PopupMenu1")->actions().contains(a) || form.menuBar()->actions().contains(a) ||
                std::string(name) == "Exit1")
        << name;
  }
}

TEST_F(MainForm, TitleWithoutAVersionIsJustTheName) {
  EXPECT_EQ(WindowTitle(""), "Orvanel");
  EXPECT_EQ(WindowTitle("1.0.0.0"), "Orvanel  v1.0.0.0");
}

TEST_F(MainForm, FirstRunTakesTheDefaultPlaceSizeAndOptions) {
  TForm1 form(MakeServices());
  form.ReadIniFile();
  // 1600 x 850 at (0, 5), brought onto the screen.
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_TRUE(screen.contains(form.pos())) << form.pos().x() << "," << form.pos().y();
  EXPECT_LE(form.width(), std::max(std::min(1600, screen.width()), form.minimumSizeHint().width()));
  EXPECT_FALSE(form.isMaximized());
  EXPECT_FALSE(Child<QCheckBox>(form, "ReverseBox")->isChecked());
  EXPECT_TRUE(Child<QCheckBox>(form, "ShowLinesBox")->isChecked());
  EXPECT_TRUE(Child<QCheckBox>(form, "ShowDataBox")->isChecked());
  EXPECT_EQ(form.Session().Step(), 2);
  EXPECT_EQ(form.Session().View(), ViewKind::Moon);
  EXPECT_DOUBLE_EQ(static_cast<double>(form.Session().Latitude()), 41.2979);
  EXPECT_DOUBLE_EQ(static_cast<double>(form.Session().Longitude()), -73.0756);
}

TEST_F(MainForm, StartsAtTheCurrentHourInUtc) {
  FixedOffsetZone fiveBehind(-300);
  Zone = &fiveBehind;
  UtcClock.Now = At(2024, 3, 10, 19, 37);
  TForm1 form(MakeServices());
  // 19:37 UTC (14:37 local), rounded to the nearest hour.
  EXPECT_EQ(form.Session().HourShown(), At(2024, 3, 10, 20, 0));
}

// The start-up work the first picture does not need waits for that picture, and runs once.
TEST_F(MainForm, WorkAfterTheFirstPaintWaitsForItAndRunsOnce) {
  struct PaintSeen : QObject {
    bool Seen = false;
    bool eventFilter(QObject*, QEvent* event) override {
      Seen = Seen || event->type() == QEvent::Paint;
      return false;
    }
  } paint;
  TForm1 form(MakeServices());
  form.installEventFilter(&paint);
  int runs = 0;
  bool paintedFirst = false;
  new AfterFirstPaint(form, [&] { paintedFirst = ++runs == 1 && paint.Seen; });
  form.show();
  ASSERT_TRUE(ProcessUntil([&] { return runs > 0; }));
  form.repaint();
  QCoreApplication::processEvents();
  EXPECT_TRUE(paintedFirst);
  EXPECT_EQ(runs, 1);
}

// Today is in 2026: start-up shows today's hour with NASA's 2026 row.
TEST_F(MainForm, StartUpShowsTodaysHourWithNasas2026Row) {
  FixedOffsetZone fiveBehind(-300);
  Zone = &fiveBehind;
  UtcClock.Now = At(2026, 12, 8, 19, 37);  // 14:37 local
  TForm1 form(MakeServices());
  EXPECT_EQ(form.Session().HourShown(), At(2026, 12, 8, 20, 0));
  EXPECT_EQ(Child<QCalendarWidget>(form, "MonthCal")->selectedDate(), QDate(2026, 12, 8));
  form.InitialShow();
  WaitForShow(form);
  const QStringList panel = Child<QPlainTextEdit>(form, "Memo1")->toPlainText().split('\n');
  ASSERT_EQ(panel.size(), 35);
  EXPECT_EQ(panel[9], "NASA Data:");
  // NASA's 2026 row of 8 December 20:00: 8 Dec 2026 20:00 UT  ...
  EXPECT_EQ(form.Session().Record().HourNumber, 341 * 24 + 20);
  EXPECT_EQ(form.Session().Record().AxisA, NasaRecord(*NasaTableOf(2026), 341 * 24 + 20).AxisA);
}

TEST_F(MainForm, ClosingWritesEveryKeyAndAnimationAndRotationStartOffNextTime) {
  QSettings(IniPath(), QSettings::IniFormat).setValue("SETTINGS/FrameCacheMB", 300);  // no control shows it
  {
    TForm1 form(MakeServices());
    form.ReadIniFile();
    Child<QCheckBox>(form, "AnimateBox")->setChecked(true);
    Child<QCheckBox>(form, "RotateBox")->setChecked(true);
    Child<QCheckBox>(form, "ReverseBox")->setChecked(true);
    form.Session().SetStep(5);
    form.Session().SetView(ViewKind::Globe);
    form.Session().SetPlace(-33.9L, form.Session().Longitude());
    form.close();
  }
  QSettings raw(IniPath(), QSettings::IniFormat);
  raw.beginGroup("SETTINGS");
  EXPECT_EQ(raw.childKeys().size(), 22);
  EXPECT_EQ(raw.value("FrameCacheMB").toInt(), 300);
  EXPECT_EQ(raw.value("AnimateBox").toString(), "true");
  EXPECT_EQ(raw.value("RotateBox").toString(), "true");
  raw.endGroup();

  TForm1 next(MakeServices());
  next.ReadIniFile();
  EXPECT_FALSE(Child<QCheckBox>(next, "AnimateBox")->isChecked());
  EXPECT_FALSE(Child<QCheckBox>(next, "RotateBox")->isChecked());
  EXPECT_TRUE(Child<QCheckBox>(next, "ReverseBox")->isChecked());
  EXPECT_TRUE(next.Session().Reverse());
  EXPECT_EQ(next.Session().Step(), 5);
  EXPECT_EQ(Child<QComboBox>(next, "StepBox")->currentIndex(), 4);
  EXPECT_EQ(next.Session().View(), ViewKind::Globe);
  EXPECT_EQ(Child<QComboBox>(next, "TypeBox")->currentIndex(), 3);
  EXPECT_DOUBLE_EQ(static_cast<double>(next.Session().Latitude()), -33.9);
}

// The settings file's kind and, for a regular file, its bytes; nothing else is opened.
QByteArray SettingsFileState(const QString& path) {
  const QFileInfo info(path);
  if (!info.isFile()) return info.exists() ? "(no regular file)" : "(none)";
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : "(unreadable)";
}

// Reading passes over a file the window cannot use (a FIFO gives the defaults without
// waiting), and closing over one that cannot take the values says so once and leaves it.
// The warning is a modal box: a timer running inside its loop reads and closes it.
TEST_F(MainForm, ClosingWithAnUnwritableSettingsFileSaysSoOnceAndLeavesIt) {
  const struct {
    const char* Says;
    std::function<bool()> Make;
    int Step;  // as ReadIniFile finds it
  } cases[] = {
      {"read-only",
       [] {
         QSettings(IniPath(), QSettings::IniFormat).setValue("SETTINGS/GlobStep", 7);
         return QFile::setPermissions(IniPath(), QFile::ReadOwner);
       },
       7},
      {"no regular file",
       [] {
         QDir().mkpath(QFileInfo(IniPath()).absolutePath());
         return mkfifo(QFile::encodeName(IniPath()).constData(), 0600) == 0;
       },
       StoredSettings().GlobStep},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Says);
    ASSERT_TRUE(c.Make());
    const QByteArray before = SettingsFileState(IniPath());
    QStringList warnings;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        warnings << box->text();
        box->accept();
      }
    });
    closer.start(10);
    {
      TForm1 form(MakeServices());
      form.ReadIniFile();
      EXPECT_EQ(form.Session().Step(), c.Step);
      form.Session().SetStep(3);
      form.close();
    }
    QFile::setPermissions(IniPath(), QFile::ReadOwner | QFile::WriteOwner);
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_TRUE(warnings[0].contains(c.Says)) << warnings[0].toStdString();
    EXPECT_EQ(SettingsFileState(IniPath()), before);
    QFile::remove(IniPath());
  }
}

// The program shows its window before building the controls: built after the first
// paint, they show the stored settings and appear as those of a window built at once;
// a window closed before them leaves the settings as they were.
TEST_F(MainForm, ControlsBuiltAfterTheFirstPaintShowTheStoredSettings) {
  {
    QSettings raw(IniPath(), QSettings::IniFormat);
    raw.beginGroup("SETTINGS");
    raw.setValue("ReverseBox", true);
    raw.setValue("ShowLinesBox", false);
    raw.setValue("NamesBox", true);
    raw.setValue("GlobStep", 5);
    raw.setValue("GlobTypeIndex", 3);
  }
  const QByteArray stored = SettingsFileState(IniPath());
  {
    TForm1 early(MakeServices(), nullptr, TForm1::Controls::AfterFirstPaint);
    early.ReadIniFile();
    early.show();
    early.close();
  }
  EXPECT_EQ(SettingsFileState(IniPath()), stored);

  for (const auto controls : {TForm1::Controls::Now, TForm1::Controls::AfterFirstPaint}) {
    SCOPED_TRACE(controls == TForm1::Controls::Now ? "now" : "after the first paint");
    TForm1 form(MakeServices(), nullptr, controls);
    form.ReadIniFile();
    form.show();
    bool painted = false;
    new AfterFirstPaint(form, [&] {
      form.BuildControls();
      painted = true;
    });
    while (!painted) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QCoreApplication::processEvents();  // a shown window shows the children its layout gains here
    for (const char* name : {"Memo1", "MonthCal", "Panel1", "StatusBar1"}) {
      const QWidget* w = Child<QWidget>(form, name);
      EXPECT_TRUE(w && w->isVisible()) << name;
    }
    EXPECT_TRUE(form.menuBar()->isVisible());
    EXPECT_TRUE(Child<QCheckBox>(form, "ReverseBox")->isChecked());
    EXPECT_FALSE(Child<QCheckBox>(form, "ShowLinesBox")->isChecked());
    EXPECT_TRUE(Child<QCheckBox>(form, "NamesBox")->isChecked());
    EXPECT_EQ(Child<QComboBox>(form, "StepBox")->currentIndex(), 4);
    EXPECT_EQ(Child<QComboBox>(form, "TypeBox")->currentIndex(), 3);
    EXPECT_EQ(form.Session().Step(), 5);
  }
}

TEST_F(MainForm, AStoredMaximisedStateIgnoresTheStoredPlaceAndSize) {
  {
    QSettings raw(IniPath(), QSettings::IniFormat);
    raw.beginGroup("SETTINGS");
    raw.setValue("WindowState", 2);
    raw.setValue("WindowLeft", 300);
    raw.setValue("WindowWidth", 400);
  }
  TForm1 form(MakeServices());
  form.ReadIniFile();
  form.show();
  EXPECT_TRUE(form.isMaximized());
  EXPECT_NE(form.width(), 400);
}

}  // namespace
