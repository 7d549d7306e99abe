// TForm1's construction, start-up, settings and menus.
#include "app/main_form.h"

#include <QAction>
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
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>

#include "app/image_box.h"
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

// The designed 13-pixel Courier New fits the panel's 22 lines into its 375 pixels;
// a system fixed font with more leading is taken a pixel smaller until they fit.
QFont PanelFont(int boxHeight) {
  constexpr int kLines = 22;
  QFont f = FixedFont(13);
  while (f.pixelSize() > 9 && QFontMetrics(f).lineSpacing() * kLines + 8 > boxHeight)
    f.setPixelSize(f.pixelSize() - 1);
  return f;
}

template <typename W>
W* Named(W* widget, const char* name) {
  widget->setObjectName(name);
  return widget;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, int left, int top,
                  const QColor& colour) {
  auto* label = Named(new QLabel(text, parent), name);
  label->move(left, top);
  label->adjustSize();
  SetLabelColour(label, colour);
  return label;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption,
                        const QRect& geometry) {
  auto* button = Named(new QPushButton(caption, parent), name);
  button->setGeometry(geometry);
  return button;
}

QCheckBox* MakeCheckBox(QWidget* parent, const char* name, const QString& caption, int left,
                        int top, bool checked) {
  auto* box = Named(new QCheckBox(caption, parent), name);
  box->move(left, top);
  box->adjustSize();
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

TForm1::TForm1(const Services& services, QWidget* parent)
    : QMainWindow(parent), SavePictureDialog1(std::make_unique<FileSavePictureDialog>(this)), Svc(services) {
  FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::FormCreate() {
  setObjectName("Form1");
  // The designed face is an 8-point Tahoma; the system's sans is wider, so a pixel
  // smaller keeps the panel's captions inside their designed places.
  setFont(SansFont(10));
  CreateControls();
  CreateMenus();
  SetSize(true);
  Memo1->clear();
  UTCLab->clear();
  LocLab->clear();
  MonthCal->setMinimumDate(CalendarDateOf(kRangeStart));
  MonthCal->setMaximumDate(CalendarDateOf(kLastDay));
#ifdef ORVANEL_VERSION
  setWindowTitle(WindowTitle(QStringLiteral(ORVANEL_VERSION)));
#else
  setWindowTitle(WindowTitle(QString()));
#endif
  NowBut->setFocus();
  SetCurrentToNow();
}

// CurrentDateTime := the current hour in UTC; the calendar shows its day.
void TForm1::SetCurrentToNow() {
  const long double t = Svc.LocalClock.LocalNow();
  State.CurrentDateTime = RoundToHour(LocalToUtc(static_cast<double>(t), Svc.Zone), false);
  MonthCal->setSelectedDate(CalendarDateOf(State.CurrentDateTime));
}

void TForm1::CreateControls() {
  auto* client = new QWidget(this);
  client->setObjectName("ClientArea");
  client->setMinimumSize(1580, 857 - 20);
  setCentralWidget(client);

  Image1 = Named(new ImageBox(client), "Image1");
  Image1->setGeometry(0, -3, 645, 730);
  Image2 = Named(new ImageBox(client), "Image2");
  Image2->setGeometry(629, -3, 730, 730);

  AxisALab = MakeLabel(client, "AxisALab", "Blue = AxisA = Position Angle", 560, 733, Qt::blue);
  ParallacticLab2 = MakeLabel(client, "ParallacticLab2", "Parallactic Rotated", 305, 733, Qt::black);
  ParallacticLab = MakeLabel(client, "ParallacticLab", "Not Parallactic Rotated", 950, 733, Qt::red);

  GoMinAltBut = MakeButton(client, "GoMinAltBut", "Go Min", {1090, 733, 50, 25});
  GoMaxAltBut = MakeButton(client, "GoMaxAltBut", "Go Max", {1150, 733, 50, 25});
  PrevFullMoonBut = MakeButton(client, "PrevFullMoonBut", "Prev Full", {1240, 733, 50, 25});
  NextFullMoonBut = MakeButton(client, "NextFullMoonBut", "Next Full", {1300, 733, 50, 25});
  for (QPushButton* b : {GoMinAltBut, GoMaxAltBut, PrevFullMoonBut, NextFullMoonBut}) b->hide();

  MonthCal = Named(new QCalendarWidget(client), "MonthCal");
  MonthCal->setGeometry(1360, 0, 220, 141);
  MonthCal->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
  MonthCal->setDateTextFormat(QDate::currentDate(), QTextCharFormat());  // no mark for today

  UTCLab = MakeLabel(client, "UTCLab", QString(), 1370, 145, Qt::black);
  LocLab = MakeLabel(client, "LocLab", QString(), 1370, 167, Qt::black);
  for (QLabel* l : {UTCLab, LocLab}) {
    l->setFont(SansFont(16));
    l->resize(210, 20);
  }

  Panel1 = Named(new QFrame(client), "Panel1");
  Panel1->setGeometry(1365, 190, 210, 160);
  Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
  Panel1->setLineWidth(2);
  CreatePanelControls();

  Memo1 = Named(new QPlainTextEdit(client), "Memo1");
  Memo1->setGeometry(1365, 356, 210, 375);
  Memo1->setFrameStyle(QFrame::NoFrame);
  Memo1->setReadOnly(true);
  Memo1->setFont(PanelFont(Memo1->height()));
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  // The 22 lines fill the box: no scroll bars, a thin margin.
  Memo1->document()->setDocumentMargin(2);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

  StatusBar1 = Named(new QLabel("Orvanel", this), "StatusBar1");
  statusBar()->addWidget(StatusBar1, 1);
  statusBar()->setSizeGripEnabled(false);

  Timer1 = Named(new QTimer(this), "Timer1");
  Timer1->setInterval(1);
  connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);

  CreateHiddenControls();

  connect(PrevFullMoonBut, &QPushButton::clicked, this, &TForm1::FullMoonButClick);
  connect(NextFullMoonBut, &QPushButton::clicked, this, &TForm1::FullMoonButClick);
  connect(GoMaxAltBut, &QPushButton::clicked, this, &TForm1::GoMaxAltButClick);
  connect(GoMinAltBut, &QPushButton::clicked, this, &TForm1::GoMinAltButClick);
  connect(MonthCal, &QCalendarWidget::clicked, this, &TForm1::MonthCalClick);
}

void TForm1::CreatePanelControls() {
  PrevBut = MakeButton(Panel1, "PrevBut", "Previous", {5, 5, 60, 28});
  NowBut = MakeButton(Panel1, "NowBut", "Now", {75, 5, 60, 28});
  NextBut = MakeButton(Panel1, "NextBut", "Next", {145, 5, 60, 28});
  AnimateBox = MakeCheckBox(Panel1, "AnimateBox", "Animate Moon", 5, 45, false);
  ReverseBox = MakeCheckBox(Panel1, "ReverseBox", "Reverse Animate", 104, 45, false);
  TypeLab = MakeLabel(Panel1, "TypeLab", "Show:", 25, 65, Qt::black);
  StepLab = MakeLabel(Panel1, "StepLab", "Hours per Step:", 120, 65, Qt::black);

  TypeBox = Named(new QComboBox(Panel1), "TypeBox");
  for (const ViewDescription& view : kViews) TypeBox->addItem(view.Caption);
  TypeBox->setGeometry(20, 80, 80, 26);
  TypeBox->setFont(SansFont(16));
  StepBox = Named(new QComboBox(Panel1), "StepBox");
  for (int i = 1; i <= 24; ++i) StepBox->addItem(QString::number(i));
  StepBox->setMaxVisibleItems(24);
  StepBox->setGeometry(125, 80, 60, 26);
  StepBox->setFont(SansFont(16));
  StepBox->setCurrentIndex(1);

  ShowLinesBox = MakeCheckBox(Panel1, "ShowLinesBox", "Show Lines", 5, 115, true);
  RotateBox = MakeCheckBox(Panel1, "RotateBox", "Rotate Parallactic", 5, 135, false);
  ShowDataBox = MakeCheckBox(Panel1, "ShowDataBox", "Show Data", 125, 115, true);
  OnlineFilesBox = MakeCheckBox(Panel1, "OnlineFilesBox", "Online Files", 125, 135, true);
  OnlineFilesBox->hide();

  connect(PrevBut, &QPushButton::clicked, this, &TForm1::PrevButClick);
  connect(NowBut, &QPushButton::clicked, this, &TForm1::NowButClick);
  connect(NextBut, &QPushButton::clicked, this, &TForm1::NextButClick);
  connect(AnimateBox, &QCheckBox::clicked, this, &TForm1::AnimateBoxClick);
  connect(TypeBox, &QComboBox::activated, this, &TForm1::TypeBoxCloseup);
  connect(StepBox, &QComboBox::activated, this, &TForm1::StepBoxCloseUp);
  connect(ShowLinesBox, &QCheckBox::clicked, this, &TForm1::ShowLinesBoxClick);
  connect(RotateBox, &QCheckBox::clicked, this, &TForm1::RotateBoxClick);
  connect(ShowDataBox, &QCheckBox::clicked, this, &TForm1::ShowDataBoxClick);
}

// Controls that exist in the window and play no part.
void TForm1::CreateHiddenControls() {
  QWidget* client = centralWidget();
  Label2 = Named(new QLabel("Label2", client), "Label2");
  Edit1 = Named(new QLineEdit(client), "Edit1");
  TestBut = MakeButton(client, "TestBut", "Year", {0, 0, 50, 25});
  for (QWidget* w : std::initializer_list<QWidget*>{Label2, Edit1, TestBut}) w->hide();
}

void TForm1::CreateMenus() {
  struct Command {
    const char* Caption;
    const char* Name;
    QStyle::StandardPixmap Icon;
    void (TForm1::*Handler)();
    bool NeedsNasa;  // works on NASA's files of the hour shown
  };
  static const Command kCommands[] = {
      {"NASA Website", "NasaWebsite", QStyle::SP_DriveNetIcon, &TForm1::NasaWebsiteClick, true},
      {"Full Year Data", "FullYearData", QStyle::SP_FileDialogDetailedView, &TForm1::FullYearDataClick, true},
      {"Movie in Browser", "MovieInBrowser1", QStyle::SP_MediaPlay, &TForm1::MovieInBrowser1Click, true},
      {"Image in Browser", "ImageInBrowser1", QStyle::SP_DesktopIcon, &TForm1::ImageInBrowser1Click, true},
      {"Image in Viewer", "ImageInViewer1", QStyle::SP_FileDialogContentsView, &TForm1::ImageInViewer1Click, true},
      {"Image in MSPaint", "ImageInMSPaint1", QStyle::SP_FileDialogListView, &TForm1::ImageInMSPaint1Click, true},
      {"Image to Clipboard", "ImagetoClipBoard1", QStyle::SP_DialogApplyButton, &TForm1::ImagetoClipBoard1Click,
       true},
      {"Link to Clipboard", "LinktoClipboard1", QStyle::SP_FileLinkIcon, &TForm1::LinktoClipboard1Click, true},
      {"Save Image TIF File", "SaveAsTifFile1", QStyle::SP_DialogSaveButton, &TForm1::SaveAsTifFile1Click, true},
      {"Save Screen", "SaveScreen1", QStyle::SP_ComputerIcon, &TForm1::SaveScreen1Click, false},
      {"Open Folder", "OpenFolder1", QStyle::SP_DirOpenIcon, &TForm1::OpenFolder1Click, false},
  };

  QMenu* file = menuBar()->addMenu("File");
  file->setObjectName("File1");
  QAction* exit = file->addAction(style()->standardIcon(QStyle::SP_DialogCloseButton), "Exit");
  exit->setObjectName("Exit1");
  connect(exit, &QAction::triggered, this, &TForm1::Exit1Click);

  QMenu* action = menuBar()->addMenu("Action");
  action->setObjectName("Action1");
  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName("PopupMenu1");
  for (const Command& c : kCommands) {
    const QIcon icon = style()->standardIcon(c.Icon);
    QAction* inMenu = action->addAction(icon, c.Caption);
    inMenu->setObjectName(QString(c.Name) + "Action");
    QAction* inPopup = PopupMenu1->addAction(icon, c.Caption);
    inPopup->setObjectName(QString(c.Name) + "Popup");
    connect(inMenu, &QAction::triggered, this, c.Handler);
    connect(inPopup, &QAction::triggered, this, c.Handler);
    if (c.NeedsNasa) NasaFileActions.insert(NasaFileActions.end(), {inMenu, inPopup});
  }
  action->setToolTipsVisible(true);
  PopupMenu1->setToolTipsVisible(true);
  connect(PopupMenu1, &QMenu::aboutToHide, this, [this] {
    // The chosen command runs as the pop-up closes; forget the origin after it.
    QTimer::singleShot(0, this, [this] { PopupOrigin.reset(); });
  });
  QAction* setPopup = PopupMenu1->addAction(style()->standardIcon(QStyle::SP_ArrowRight), "Set Lat / Lon");
  connect(setPopup, &QAction::triggered, this, &TForm1::Set1Click);
  QAction* aboutPopup = PopupMenu1->addAction(style()->standardIcon(QStyle::SP_MessageBoxInformation), "About");
  connect(aboutPopup, &QAction::triggered, this, &TForm1::About1Click);

  QAction* set = menuBar()->addAction("Set");
  set->setObjectName("Set1");
  connect(set, &QAction::triggered, this, &TForm1::Set1Click);
  QAction* about = menuBar()->addAction("About");
  about->setObjectName("About1");
  connect(about, &QAction::triggered, this, &TForm1::About1Click);

  for (QWidget* w : std::initializer_list<QWidget*>{Image1, Image2, Panel1}) {
    w->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(w, &QWidget::customContextMenuRequested, this,
            [this, w](const QPoint& at) {
              PopupOrigin = w->mapTo(this, at);
              PopupMenu1->popup(w->mapToGlobal(at));
            });
  }
}

void TForm1::SetSize(bool Large) {
  const int size = Large ? 730 : 216;
  State.ImageSize = QSize(size, size);
  for (ImageBox* box : {Image1, Image2}) {
    QImage black(730, 730, QImage::Format_BGR888);
    black.fill(Qt::black);
    box->SetPicture(black);
  }
  FrameJpeg = QImage();
  FrameTiff = QImage();
}

void TForm1::ReadIniFile() {
  const StoredSettings s = ReadSettings();
  if (s.WindowState == 0) {
    setWindowState(Qt::WindowNoState);
    move(s.WindowLeft, s.WindowTop);
    resize(s.WindowWidth, s.WindowHeight);
  } else {
    setWindowState(s.WindowState == 2 ? Qt::WindowMaximized : Qt::WindowMinimized);
  }
  AnimateBox->setChecked(false);
  ReverseBox->setChecked(s.ReverseBox);
  ShowLinesBox->setChecked(s.ShowLinesBox);
  ShowDataBox->setChecked(s.ShowDataBox);
  RotateBox->setChecked(false);
  State.GlobStep = s.GlobStep;
  StepBox->setCurrentIndex(State.GlobStep - 1);
  State.View = ViewKindOf(s.GlobTypeIndex);
  TypeBox->setCurrentIndex(IndexOf(State.View));
  State.Latitude = s.Latitude;
  State.Longitude = s.Longitude;
}

void TForm1::SaveIniFile() {
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
  s.GlobStep = State.GlobStep;
  s.GlobTypeIndex = IndexOf(State.View);
  s.Latitude = static_cast<double>(State.Latitude);
  s.Longitude = static_cast<double>(State.Longitude);
  WriteSettings(s);
}

void TForm1::InitialShow() {
  if (!TimerEnabled()) ShowBoth(State.CurrentDateTime);
}

void TForm1::closeEvent(QCloseEvent* event) {
  SaveIniFile();
  event->accept();
}

void TForm1::Exit1Click() { close(); }

void TForm1::SetStatusText(const QString& text) { StatusBar1->setText(text); }

// NASA's files exist only for the years of its series: elsewhere the commands that
// work on them are off, and say why.
void TForm1::UpdateActions() {
  const bool published = HasNasaSeries(State.CurrentDateTime);
  const QString why = published ? QString()
                                : QStringLiteral("NASA publishes no Moon series for %1")
                                      .arg(YearOf(State.CurrentDateTime));
  for (QAction* a : NasaFileActions) {
    a->setEnabled(published);
    a->setToolTip(published ? a->text() : why);
  }
}

bool TForm1::TimerEnabled() const { return Timer1->isActive(); }
