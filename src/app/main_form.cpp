// TForm1's construction, start-up, settings and menus.
#include "app/main_form.h"

#include <QAction>
#include <QApplication>
#include <QBoxLayout>
#include <QGridLayout>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>

#include "app/image_box.h"
#include "app/picture_pair.h"
#include "app/screen_fit.h"
#include "astro/time_scales.h"
#include "core/covered_range.h"
#include "core/hour_clock.h"
#include "core/settings_store.h"
#include "export/file_save_picture_dialog.h"
#include "nasa/nasa_urls.h"
#include "render/view_text.h"

namespace {

QFont SansFont(int pixelSize) {
  QFont f = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
  f.setPixelSize(pixelSize);
  return f;
}

QFont FixedFont(int pixelSize) {
  QFont f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  f.setPixelSize(pixelSize);
  return f;
}

// The data panel's designed height, the least it is given on small screens (it
// scrolls there), and its widest line in characters.
constexpr int kPanelDesignedHeight = 375;
constexpr int kPanelMinimumHeight = 120;
constexpr int kPanelColumns = 32;

constexpr int kPanelMargins = 8;

// The panel's width for its widest line in a font, beside a scroll bar.
int PanelWidth(const QFont& font, int scrollBarWidth = 0) {
  return QFontMetrics(font).horizontalAdvance(QString(kPanelColumns, QLatin1Char('0'))) + scrollBarWidth +
         kPanelMargins;
}

// The designed 13-pixel Courier New fits the panel's 23 lines into its 375 pixels;
// a system fixed font with more leading, or a smaller box, takes it a pixel smaller
// until the lines fit its height and the widest line its width (9 pixels at the
// least, where the box scrolls), so that a narrow window never cuts a value off.
QFont PanelFont(QSize box) {
  constexpr int kLines = 23;
  QFont f = FixedFont(13);
  const auto fits = [&] {
    return QFontMetrics(f).lineSpacing() * kLines + kPanelMargins <= box.height() && PanelWidth(f) <= box.width();
  };
  while (f.pixelSize() > 9 && !fits()) f.setPixelSize(f.pixelSize() - 1);
  return f;
}

QFont DesignedPanelFont() { return PanelFont(QSize(QWIDGETSIZE_MAX, kPanelDesignedHeight)); }

// The data panel asks for its designed width, the widest line in the designed font;
// a narrow window gives it less, down to the widest line in the smallest font. The
// layout asks at every resize: the width is measured once.
class PanelText : public QPlainTextEdit {
 public:
  explicit PanelText(QWidget* parent)
      : QPlainTextEdit(parent),
        DesignedWidth(PanelWidth(DesignedPanelFont(), verticalScrollBar()->sizeHint().width())) {}
  QSize sizeHint() const override { return {DesignedWidth, QPlainTextEdit::sizeHint().height()}; }

 private:
  const int DesignedWidth;
};

template <typename W>
W* Named(W* widget, const char* name) {
  widget->setObjectName(name);
  return widget;
}

QString NasaInEclipseTip() {
  return QStringLiteral("NASA's frames do not show the Earth's shadow: during a lunar eclipse "
                        "the Moon drawn by Orvanel shows it, unless this is ticked");
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, const QColor& colour) {
  auto* label = Named(new QLabel(text, parent), name);
  SetLabelColour(label, colour);
  return label;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption) {
  return Named(new QPushButton(caption, parent), name);
}

QCheckBox* MakeCheckBox(QWidget* parent, const char* name, const QString& caption, bool checked) {
  auto* box = Named(new QCheckBox(caption, parent), name);
  box->setChecked(checked);
  return box;
}

}  // namespace

void SetLabelColour(QLabel* label, const QColor& colour) {
  QPalette p = label->palette();
  p.setColor(QPalette::WindowText, colour);
  label->setPalette(p);
}

QString WindowTitle(const QString& version) {
  return version.isEmpty() ? QStringLiteral("Orvanel") : QStringLiteral("Orvanel  v") + version;
}

TForm1::TForm1(const Services& services, QWidget* parent, Controls controls)
    : QMainWindow(parent),
      Svc(services),
      Zone(services.Zone),
      Show(services.ForSession(Zone)),
      SavePictureDialog1(std::make_unique<FileSavePictureDialog>(this)) {
  FormCreate();
  if (controls == Controls::Now) BuildControls();
  connect(&Show, &ShowSession::Loading, this, &TForm1::ShowLoading);
  connect(&Show, &ShowSession::Shown, this, &TForm1::PaintShown);
}

TForm1::~TForm1() = default;

void TForm1::FormCreate() {
  setObjectName("Form1");
  PictureFolder = DefaultPictureFolder();
  TextFolder = DefaultTextFolder();
  // The designed face is an 8-point Tahoma; the system's sans is wider, so a pixel
  // smaller keeps the panel's captions inside their designed places.
  setFont(SansFont(10));
  Fit = new ScreenFit(this);
#ifdef ORVANEL_VERSION
  setWindowTitle(WindowTitle(QStringLiteral(ORVANEL_VERSION)));
#else
  setWindowTitle(WindowTitle(QString()));
#endif
}

// Built on a shown window, the controls appear at the next turn of the event loop:
// Qt shows the children a layout gains then.
void TForm1::BuildControls() {
  if (ControlsBuilt()) return;
  CreateControls();
  CreateMenus();
  SetSize(true);
  Memo1->clear();
  UTCLab->clear();
  LocLab->clear();
  MonthCal->setMinimumDate(CalendarDateOf(kRangeStart));
  MonthCal->setMaximumDate(CalendarDateOf(kLastDay));
  NowBut->setFocus();
  MonthCal->setSelectedDate(LocalCalendarDateOf(Show.HourShown(), Zone));
  ApplyStoredControls();
}

void TForm1::SetSaveDialog(std::unique_ptr<SavePictureDialog> dialog) { SavePictureDialog1 = std::move(dialog); }

void TForm1::CreateControls() {
  auto* client = new QWidget(this);
  client->setObjectName("ClientArea");
  setCentralWidget(client);

  Image1 = Named(new ImageBox(client), "Image1");
  Image2 = Named(new ImageBox(client), "Image2");
  Pictures = Named(new PicturePair(Image1, Image2, client), "Pictures");
  Image2->setMouseTracking(true);
  Image2->installEventFilter(this);

  AxisALab = MakeLabel(client, "AxisALab", "Blue = AxisA = Position Angle", Qt::blue);
  ParallacticLab2 = MakeLabel(client, "ParallacticLab2", "Parallactic Rotated", Qt::black);
  ParallacticLab = MakeLabel(client, "ParallacticLab", "Not Parallactic Rotated", Qt::black);
  Pictures->SetCaptions(ParallacticLab2, AxisALab, ParallacticLab);

  MonthCal = Named(new QCalendarWidget(client), "MonthCal");
  MonthCal->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
  MonthCal->setDateTextFormat(QDate::currentDate(), QTextCharFormat());  // no mark for today

  UTCLab = MakeLabel(client, "UTCLab", QString(), Qt::black);
  LocLab = MakeLabel(client, "LocLab", QString(), Qt::black);
  for (QLabel* l : {UTCLab, LocLab}) l->setFont(SansFont(16));
  // A long zone name wraps within the column rather than widening it at each hour.
  LocLab->setWordWrap(true);
  LocLab->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

  Panel1 = Named(new QFrame(client), "Panel1");
  Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
  Panel1->setLineWidth(2);
  CreatePanelControls();

  Memo1 = Named(new PanelText(client), "Memo1");
  Memo1->setFrameStyle(QFrame::NoFrame);
  Memo1->setReadOnly(true);
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  // The 23 lines fill the box, in a smaller font when the box is shorter; a scroll bar
  // only when even the smallest does not fit.
  Memo1->document()->setDocumentMargin(2);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Memo1->setFont(DesignedPanelFont());
  Memo1->setMinimumWidth(PanelWidth(FixedFont(9), Memo1->verticalScrollBar()->sizeHint().width()));
  Memo1->setMinimumHeight(kPanelMinimumHeight);
  Memo1->installEventFilter(this);

  auto* right = new QVBoxLayout;
  right->setSpacing(2);
  right->addWidget(MonthCal);
  right->addWidget(UTCLab);
  right->addWidget(LocLab);
  right->addWidget(Memo1, 1);
  Pictures->SetControls(Panel1);

  auto* row = new QHBoxLayout(client);
  row->setContentsMargins(0, 0, 4, 0);
  row->addWidget(Pictures, 1);
  row->addLayout(right);

  StatusBar1 = Named(new QLabel("Orvanel", this), "StatusBar1");
  // A long message is cut at the window's edge rather than widening the window.
  StatusBar1->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  statusBar()->addWidget(StatusBar1, 1);
  statusBar()->setSizeGripEnabled(false);

  // A day chosen with the mouse or the keyboard is shown.
  connect(MonthCal, &QCalendarWidget::clicked, this, &TForm1::MonthCalClick);
  connect(MonthCal, &QCalendarWidget::activated, this, &TForm1::MonthCalClick);
  connect(MonthCal, &QCalendarWidget::selectionChanged, this, [this] {
    // Only the user's choice: the window itself sets the day of the hour it shows.
    const bool typed = MonthCal->isAncestorOf(QApplication::focusWidget());
    if (typed && MonthCal->selectedDate() != LocalCalendarDateOf(Show.HourShown(), Zone)) MonthCalClick();
  });
}

// The panel's font follows the panel's size.
bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Image2) MoonPointerEvent(event);
  if (watched == Memo1 && event->type() == QEvent::Resize) {
    const QFont f = PanelFont(Memo1->size());
    if (f != Memo1->font()) Memo1->setFont(f);
  }
  return QMainWindow::eventFilter(watched, event);
}

void TForm1::CreatePanelControls() {
  PrevBut = MakeButton(Panel1, "PrevBut", "Previous");
  NowBut = MakeButton(Panel1, "NowBut", "Now");
  NextBut = MakeButton(Panel1, "NextBut", "Next");
  AnimateBox = MakeCheckBox(Panel1, "AnimateBox", "Animate Moon", false);
  ReverseBox = MakeCheckBox(Panel1, "ReverseBox", "Reverse Animate", false);
  QLabel* typeLab = MakeLabel(Panel1, "TypeLab", "Show:", Qt::black);
  QLabel* stepLab = MakeLabel(Panel1, "StepLab", "Hours per Step:", Qt::black);

  // Each box's font is set before its items: a new font lays its list out again.
  TypeBox = Named(new QComboBox(Panel1), "TypeBox");
  TypeBox->setFont(SansFont(16));
  for (const ViewDescription& view : kViews) TypeBox->addItem(view.Caption);
  StepBox = Named(new QComboBox(Panel1), "StepBox");
  StepBox->setFont(SansFont(16));
  for (int i = 1; i <= 24; ++i) StepBox->addItem(QString::number(i));
  StepBox->setMaxVisibleItems(24);
  StepBox->setCurrentIndex(1);

  ShowLinesBox = MakeCheckBox(Panel1, "ShowLinesBox", "Show Lines", true);
  RotateBox = MakeCheckBox(Panel1, "RotateBox", "Rotate Parallactic", false);
  ShowDataBox = MakeCheckBox(Panel1, "ShowDataBox", "Show Data", true);
  NasaInEclipseBox = MakeCheckBox(Panel1, "NasaInEclipseBox", "NASA in Eclipse", false);
  NamesBox = MakeCheckBox(Panel1, "NamesBox", "Names", false);
  NamesBox->setToolTip(QStringLiteral("The names of the Moon's seas and craters; those on the terminator stand out"));
  EyepieceBox = Named(new QComboBox(Panel1), "EyepieceBox");
  EyepieceBox->addItems({"As the eye sees it", "Star diagonal", "Straight through"});
  EyepieceBox->setToolTip(QStringLiteral("\"Moon from here\" as the eye sees it, or as a telescope shows it: "
                                         "mirror-reversed by a star diagonal, or turned over straight through"));
  NasaInEclipseBox->setToolTip(NasaInEclipseTip());

  auto* buttons = new QHBoxLayout;
  for (QPushButton* b : {PrevBut, NowBut, NextBut}) buttons->addWidget(b);
  // Three rows under the pictures, where a wide window has room.
  auto* grid = new QGridLayout(Panel1);
  grid->setContentsMargins(5, 5, 5, 5);
  grid->setVerticalSpacing(3);
  grid->setHorizontalSpacing(2);
  grid->addLayout(buttons, 0, 0, 1, 2);
  grid->addWidget(typeLab, 0, 2);
  grid->addWidget(TypeBox, 0, 3);
  QWidget* const cells[][5] = {{AnimateBox, ReverseBox, stepLab, StepBox, nullptr},
                               {ShowLinesBox, ShowDataBox, RotateBox, NasaInEclipseBox, NamesBox}};
  for (int r = 0; r < 2; ++r)
    for (int c = 0; c < 5; ++c)
      if (cells[r][c]) grid->addWidget(cells[r][c], r + 1, c);
  // "Moon from here" is never turned by the choice of Rotate Parallactic: its eyepiece
  // takes that place.
  grid->addWidget(EyepieceBox, 2, 2);

  connect(PrevBut, &QPushButton::clicked, &Show, &ShowSession::Previous);
  connect(NowBut, &QPushButton::clicked, &Show, &ShowSession::Now);
  connect(NextBut, &QPushButton::clicked, &Show, &ShowSession::Next);
  connect(AnimateBox, &QCheckBox::clicked, this, &TForm1::AnimateBoxClick);
  connect(ReverseBox, &QCheckBox::toggled, &Show, &ShowSession::SetReverse);
  connect(TypeBox, &QComboBox::activated, this, &TForm1::TypeBoxCloseup);
  connect(StepBox, &QComboBox::activated, this, &TForm1::StepBoxCloseUp);
  for (QCheckBox* box : {ShowLinesBox, RotateBox, ShowDataBox, NamesBox})
    connect(box, &QCheckBox::clicked, this, &TForm1::ShowOptionsChanged);
  connect(EyepieceBox, &QComboBox::activated, this, &TForm1::ShowOptionsChanged);
  connect(NasaInEclipseBox, &QCheckBox::clicked, this, [this](bool nasa) {
    Show.SetNasaFrameInEclipse(nasa);
    Show.ShowAgain();
  });
}

// One action per command, shared by the menu bar and the pictures' pop-up menu, so a
// shortcut is defined once and shown in both.
void TForm1::CreateMenus() {
  struct Command {
    const char* Caption;
    const char* Name;
    QStyle::StandardPixmap Icon;
    void (TForm1::*Handler)();
    QKeySequence Shortcut;
    bool NeedsNasa;  // works on NASA's files of the hour shown
  };
  static const Command kCommands[] = {
      {"&NASA Website", "NasaWebsite", QStyle::SP_DriveNetIcon, &TForm1::NasaWebsiteClick, {}, true},
      // A year NASA has not published gets the program's own table in NASA's layout.
      {"&Full Year Data", "FullYearData", QStyle::SP_FileDialogDetailedView, &TForm1::FullYearDataClick, {}, false},
      {"&Movie in Browser", "MovieInBrowser1", QStyle::SP_MediaPlay, &TForm1::MovieInBrowser1Click, {}, true},
      {"Image in &Browser", "ImageInBrowser1", QStyle::SP_DesktopIcon, &TForm1::ImageInBrowser1Click, {}, true},
      {"Image in &Viewer", "ImageInViewer1", QStyle::SP_FileDialogContentsView, &TForm1::ImageInViewer1Click, {},
       true},
      {"Image in &Paint Program", "ImageInPaint1", QStyle::SP_FileDialogListView, &TForm1::ImageInPaint1Click, {},
       true},
      {"Copy &Picture", "CopyPicture1", QStyle::SP_FileIcon, &TForm1::CopyPicture1Click, QKeySequence::Copy, false},
      {"&Image to Clipboard", "ImagetoClipBoard1", QStyle::SP_DialogApplyButton, &TForm1::ImagetoClipBoard1Click, {},
       true},
      {"&Link to Clipboard", "LinktoClipboard1", QStyle::SP_FileLinkIcon, &TForm1::LinktoClipboard1Click,
       QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), true},
      {"Save Image &TIF File", "SaveAsTifFile1", QStyle::SP_DialogSaveButton, &TForm1::SaveAsTifFile1Click, {},
       true},
      {"&Download Frames…", "DownloadFrames1", QStyle::SP_ArrowDown, &TForm1::DownloadFrames1Click, {}, true},
      {"&Almanac…", "Almanac1", QStyle::SP_FileDialogListView, &TForm1::Almanac1Click, {}, false},
      {"Find Feat&ure…", "FindFeature1", QStyle::SP_FileDialogContentsView, &TForm1::FindFeature1Click,
       QKeySequence::Find, false},
      {"&Eclipses…", "Eclipses1", QStyle::SP_FileDialogInfoView, &TForm1::Eclipses1Click, {}, false},
      {"Next &Eclipse", "NextEclipse1", QStyle::SP_MediaSeekForward, &TForm1::NextEclipse1Click,
       QKeySequence(Qt::Key_E), false},
      {"Previous E&clipse", "PrevEclipse1", QStyle::SP_MediaSeekBackward, &TForm1::PrevEclipse1Click,
       QKeySequence(Qt::SHIFT | Qt::Key_E), false},
      {"&Save Chart…", "SaveChart1", QStyle::SP_ComputerIcon, &TForm1::SaveChart1Click, QKeySequence::Save, false},
      {"&Open Folder", "OpenFolder1", QStyle::SP_DirOpenIcon, &TForm1::OpenFolder1Click, {}, false},
  };

  QMenu* file = menuBar()->addMenu("&File");
  file->setObjectName("File1");
  QAction* exit = file->addAction("E&xit");
  MenuIcons.push_back({exit, QStyle::SP_DialogCloseButton});
  exit->setObjectName("Exit1");
  exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
  connect(exit, &QAction::triggered, this, &TForm1::Exit1Click);

  QMenu* action = menuBar()->addMenu("&Action");
  action->setObjectName("Action1");
  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName("PopupMenu1");
  for (const Command& c : kCommands) {
    QAction* a = action->addAction(c.Caption);
    MenuIcons.push_back({a, c.Icon});
    a->setObjectName(QString(c.Name) + "Action");
    a->setShortcut(c.Shortcut);
    PopupMenu1->addAction(a);
    connect(a, &QAction::triggered, this, c.Handler);
    if (c.NeedsNasa) NasaFileActions.push_back(a);
  }
  action->setToolTipsVisible(true);
  PopupMenu1->setToolTipsVisible(true);
  connect(action, &QMenu::aboutToShow, this, [this] { MenuPicture = Image2; });
  for (QMenu* menu : {action, PopupMenu1})
    connect(menu, &QMenu::aboutToHide, this, [this] {
      // The chosen command runs as the menu closes; forget its picture after it.
      QTimer::singleShot(0, this, [this] { MenuPicture = nullptr; });
    });

  QAction* set = menuBar()->addAction("&Set");
  set->setObjectName("Set1");
  connect(set, &QAction::triggered, this, &TForm1::Set1Click);
  QAction* about = menuBar()->addAction("A&bout");
  about->setObjectName("About1");
  about->setShortcut(QKeySequence::HelpContents);
  connect(about, &QAction::triggered, this, &TForm1::About1Click);
  // The menu bar shows an action's icon in place of its caption: the pop-up has its own.
  QAction* setPopup = PopupMenu1->addAction("Set &Lat / Lon");
  connect(setPopup, &QAction::triggered, this, &TForm1::Set1Click);
  QAction* aboutPopup = PopupMenu1->addAction("A&bout");
  connect(aboutPopup, &QAction::triggered, this, &TForm1::About1Click);
  MenuIcons.push_back({setPopup, QStyle::SP_ArrowRight});
  MenuIcons.push_back({aboutPopup, QStyle::SP_MessageBoxInformation});
  // The style's icons take a while to load and only the menus show them: they are
  // given the first time a menu opens.
  for (QMenu* menu : {file, action, PopupMenu1}) connect(menu, &QMenu::aboutToShow, this, &TForm1::GiveMenuIcons);

  for (QWidget* w : std::initializer_list<QWidget*>{Image1, Image2, Panel1}) {
    w->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(w, &QWidget::customContextMenuRequested, this,
            [this, w](const QPoint& at) {
              MenuPicture = w == Image1 ? Image1 : Image2;
              PopupMenu1->popup(w->mapToGlobal(at));
            });
  }
  CreateKeys();
}

void TForm1::GiveMenuIcons() {
  for (const auto& [action, icon] : MenuIcons) action->setIcon(style()->standardIcon(icon));
  MenuIcons.clear();
}

// The keys of the buttons and the animation: window-wide shortcuts, whatever has the
// focus, except a text field being typed in (Qt gives it the keys it edits with).
void TForm1::CreateKeys() {
  struct Key {
    QKeySequence Sequence;
    std::function<void()> Run;
  };
  const Key keys[] = {
      {Qt::Key_Left, [this] { Show.Previous(); }},
      {Qt::Key_Right, [this] { Show.Next(); }},
      {Qt::SHIFT | Qt::Key_Left, [this] { Show.DayBack(); }},
      {Qt::SHIFT | Qt::Key_Right, [this] { Show.DayForward(); }},
      {Qt::Key_PageUp, [this] { Show.PreviousFullMoon(); }},
      {Qt::Key_PageDown, [this] { Show.NextFullMoon(); }},
      {Qt::Key_Home, [this] { Show.Now(); }},
      {Qt::Key_Space, [this] { AnimateBox->click(); }},
      {Qt::Key_R, [this] { ReverseBox->toggle(); }},
      {Qt::Key_N, [this] { NamesBox->click(); }},
  };
  for (const Key& k : keys) {
    auto* a = new QAction(this);
    a->setShortcut(k.Sequence);
    connect(a, &QAction::triggered, this, k.Run);
    addAction(a);
  }
}

void TForm1::SetSize(bool Large) {
  const int size = Large ? 730 : 216;
  ImageSize = QSize(size, size);
  QImage black(730, 730, QImage::Format_BGR888);
  black.fill(0);  // zero bytes are black: a direct fill, where a colour would go through a painter
  for (ImageBox* box : {Image1, Image2}) box->SetPicture(black);
  FrameJpeg = QImage();
  FrameTiff = QImage();
}

void TForm1::ReadIniFile() {
  SettingsAsRead = ReadSettings();
  const StoredSettings& s = SettingsAsRead;
  if (s.WindowState == 0) {
    setWindowState(Qt::WindowNoState);
    Fit->Place(QRect(s.WindowLeft, s.WindowTop, s.WindowWidth, s.WindowHeight));
  } else {
    setWindowState(s.WindowState == 2 ? Qt::WindowMaximized : Qt::WindowMinimized);
  }
  Show.SetStep(s.GlobStep);
  Show.SetReverse(s.ReverseBox);
  Show.SetView(ViewKindOf(s.GlobTypeIndex));
  Show.SetPlace(s.Latitude, s.Longitude);
  Show.SetElevation(s.ElevationM);
  Zone.SetZone(s.PlaceZone);
  PlaceName = s.PlaceName;
  PictureFolder = s.PictureFolder;
  TextFolder = s.TextFolder;
  FrameCacheMB = s.FrameCacheMB;
  if (ControlsBuilt()) ApplyStoredControls();
}

// The settings as read (the defaults before ReadIniFile) on the controls.
void TForm1::ApplyStoredControls() {
  const StoredSettings& s = SettingsAsRead;
  AnimateBox->setChecked(false);
  ReverseBox->setChecked(s.ReverseBox);
  ShowLinesBox->setChecked(s.ShowLinesBox);
  ShowDataBox->setChecked(s.ShowDataBox);
  NamesBox->setChecked(s.NamesBox);
  EyepieceBox->setCurrentIndex(s.Eyepiece);
  RotateBox->setChecked(false);
  StepBox->setCurrentIndex(s.GlobStep - 1);
  TypeBox->setCurrentIndex(IndexOf(ViewKindOf(s.GlobTypeIndex)));
}

QString TForm1::SaveIniFile() {
  StoredSettings s;
  s.WindowTop = pos().y();
  s.WindowLeft = pos().x();
  s.WindowWidth = width();
  s.WindowHeight = height();
  s.WindowState = isMaximized() ? 2 : isMinimized() ? 1 : 0;
  s.AnimateBox = AnimateBox->isChecked();
  s.ReverseBox = ReverseBox->isChecked();
  s.ShowLinesBox = ShowLinesBox->isChecked();
  s.ShowDataBox = ShowDataBox->isChecked();
  s.RotateBox = RotateBox->isChecked();
  s.NamesBox = NamesBox->isChecked();
  s.Eyepiece = EyepieceBox->currentIndex();
  s.GlobStep = Show.Step();
  s.GlobTypeIndex = IndexOf(Show.View());
  s.Latitude = static_cast<double>(Show.Latitude());
  s.Longitude = static_cast<double>(Show.Longitude());
  s.PictureFolder = PictureFolder;
  s.TextFolder = TextFolder;
  s.FrameCacheMB = FrameCacheMB;
  s.PlaceName = PlaceName;
  s.PlaceZone = Zone.ZoneName();
  s.ElevationM = Show.ElevationM();
  return MergeSettings(SettingsAsRead, s);
}

void TForm1::InitialShow() { Show.ShowAgain(); }

// Settings are written only here, so the user hears once, as the window goes, that
// this session's choices were not kept (and that those saved before still are).
void TForm1::closeEvent(QCloseEvent* event) {
  event->accept();
  if (!ControlsBuilt()) return;  // closed before its controls were built: nothing has changed
  Show.StopAnimation();
  Downloads.CancelAll();  // closing never waits for a download
  if (const QString why = SaveIniFile(); !why.isEmpty())
    QMessageBox::warning(this, QStringLiteral("Orvanel"),
                         QStringLiteral("Orvanel could not save its settings: %1.\n\n"
                                        "The choices of this session are not kept; the settings saved before are.")
                             .arg(why));
}

void TForm1::Exit1Click() { close(); }

void TForm1::SetStatusText(const QString& text) { StatusBar1->setText(text); }

// NASA's files exist only for the years of its series: elsewhere the commands that
// work on them are off, and say why.
void TForm1::UpdateActions() {
  const bool published = HasNasaSeries(Show.HourShown());
  const QString why = published ? QString()
                                : QStringLiteral("NASA publishes no Moon series for %1")
                                      .arg(YearOf(Show.HourShown()));
  for (QAction* a : NasaFileActions) {
    a->setEnabled(published);
    a->setToolTip(published ? a->text() : why);
  }
  // Without NASA's frames there is no choice between theirs and the drawn Moon.
  NasaInEclipseBox->setEnabled(published);
  NasaInEclipseBox->setToolTip(published ? NasaInEclipseTip() : why);
}

