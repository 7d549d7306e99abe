// TForm1: the main window. It owns the widgets and the program-wide state; every
// handler changes the state and then calls ShowBoth or a menu command. ShowBoth is
// a request: the hour's values are computed at once, its frames are fetched on a
// worker, and the panel, the pictures and the labels change together when they
// arrive. A request overtaken by a newer one is dropped, so the window always shows
// one hour and never waits on the network.
#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <QRect>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

#include "app/running_downloads.h"
#include "app/services.h"
#include "core/program_state.h"
#include "core/rise_set_cache.h"
#include "core/settings_store.h"
#include "export/export_context.h"
#include "render/view_options.h"

class QCalendarWidget;
class QColor;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QProgressDialog;
class QPushButton;
class QTimer;
class ImageBox;
class PicturePair;
class TSetForm;
class TAboutForm;
class SavePictureDialog;
struct FrameRangeChoice;

// The animation's highest rate: with cached frames it would otherwise race through them.
inline constexpr int kAnimationStepsPerSecond = 30;

// The pictures a show request fetched for its hour.
struct FetchedFrames {
  QImage Jpeg;        // NASA's Moon frame, or the Moon drawn by the program
  bool Drawn = false; // Jpeg was drawn
  QImage Tiff;        // the chart, orbit or globe view's frame; null when it could not be had
  QString Failure;    // the status bar's word on a frame that could not be had
};

class TForm1 : public QMainWindow {
  Q_OBJECT
 public:
  explicit TForm1(const Services& services, QWidget* parent = nullptr);
  ~TForm1() override;

  // Start-up: FormCreate runs in the constructor; the program then calls ReadIniFile
  // and the initial show.
  void ReadIniFile();
  // Why the settings could not be saved, or empty.
  QString SaveIniFile();
  void InitialShow();

  // The show pipeline.
  void ShowBoth(long double x);
  // True while the newest show request waits for its frames.
  bool ShowPending() const { return ShownGeneration != ShowGeneration; }
  MoonRecord CalculateData(long double x);
  void ShowAllData(const MoonRecord& r);
  void ShowMoon(ViewKind View, long double Instant);
  void DrawPolyLine(long double Instant);
  long double GetParallacticAngle(long double Lat, long double Lon, long double DateTime);
  void GoToMaxAltitude(bool FindMax);

  ProgramState State;
  QImage FrameJpeg;  // the Moon frame last loaded (24-bit)
  QImage FrameTiff;  // the chart, orbit or globe frame last loaded

  // Controls, under their designed names.
  ImageBox* Image1 = nullptr;
  ImageBox* Image2 = nullptr;
  PicturePair* Pictures = nullptr;  // the two pictures and their captions
  QLabel* AxisALab = nullptr;
  QLabel* ParallacticLab2 = nullptr;
  QLabel* ParallacticLab = nullptr;
  QPushButton* GoMinAltBut = nullptr;
  QPushButton* GoMaxAltBut = nullptr;
  QPushButton* PrevFullMoonBut = nullptr;
  QPushButton* NextFullMoonBut = nullptr;
  QCalendarWidget* MonthCal = nullptr;
  QLabel* UTCLab = nullptr;
  QLabel* LocLab = nullptr;
  QFrame* Panel1 = nullptr;
  QPushButton* PrevBut = nullptr;
  QPushButton* NowBut = nullptr;
  QPushButton* NextBut = nullptr;
  QCheckBox* AnimateBox = nullptr;
  QCheckBox* ReverseBox = nullptr;
  QLabel* TypeLab = nullptr;
  QLabel* StepLab = nullptr;
  QComboBox* TypeBox = nullptr;
  QComboBox* StepBox = nullptr;
  QCheckBox* ShowLinesBox = nullptr;
  QCheckBox* RotateBox = nullptr;
  QCheckBox* ShowDataBox = nullptr;
  QCheckBox* OnlineFilesBox = nullptr;
  QPlainTextEdit* Memo1 = nullptr;
  QLabel* StatusBar1 = nullptr;
  QTimer* Timer1 = nullptr;
  QLabel* Label2 = nullptr;
  QLineEdit* Edit1 = nullptr;
  QPushButton* TestBut = nullptr;
  QMenu* PopupMenu1 = nullptr;

  void SetStatusText(const QString& text);

  // The window's save dialog, kept between commands.
  std::unique_ptr<SavePictureDialog> SavePictureDialog1;
  TSetForm* SetForm = nullptr;
  TAboutForm* AboutForm = nullptr;

 signals:
  // The window now shows Instant: panel, pictures and labels.
  void Shown(long double Instant);

 public slots:
  void Exit1Click();
  void Set1Click();
  void About1Click();

  void PrevButClick();
  void NextButClick();
  void NowButClick();
  void MonthCalClick();
  void FullMoonButClick();
  void GoMaxAltButClick();
  void GoMinAltButClick();
  void StepDay(int days);  // one day on (1) or back (-1)
  void StepBoxCloseUp();
  void TypeBoxCloseup();
  void ShowLinesBoxClick();
  void ShowDataBoxClick();
  void RotateBoxClick();
  void AnimateBoxClick();
  void Timer1Timer();

  void NasaWebsiteClick();
  void FullYearDataClick();
  void MovieInBrowser1Click();
  void ImageInBrowser1Click();
  void ImageInViewer1Click();
  void ImageInPaint1Click();
  void ImagetoClipBoard1Click();
  void LinktoClipboard1Click();
  void SaveAsTifFile1Click();
  void SaveScreen1Click();
  void OpenFolder1Click();
  void DownloadFrames1Click();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FormCreate();
  void SetSize(bool Large);
  void CreateControls();
  void CreatePanelControls();
  void CreateHiddenControls();
  void CreateMenus();
  void CreateKeys();
  void RunMoonThread();
  void MoonAnimation();
  void SetCurrentToNow();
  bool TimerEnabled() const;
  MoonViewOptions ViewOptions() const;
  void ApplyViewLabels(const ViewLabels& labels);
  void UpdateActions();

  void ApplyShow(long double x, const MoonRecord& r, const FetchedFrames& frames);
  void ShowStandIn(long double x, const MoonRecord& r);
  void PresentHour(long double x, const MoonRecord& r, const FetchedFrames& frames);
  void RunCommand(void (*command)(const ExportContext&));
  QPoint PointerForCommands() const;
  void RunInBackground(std::function<bool()> work, std::function<void(bool)> then);
  void RunDownload(const QString& what, DownloadWork work, std::function<void(const DownloadResult&)> then);
  void StartFrameDownload(const FrameRangeChoice& choice);

  QString PictureFolder;  // where pictures go, the user's last choice
  QString TextFolder;     // where NASA's yearly text files go
  int FrameCacheMB = StoredSettings().FrameCacheMB;  // main() caps the cache with it; kept as read
  StoredSettings SettingsAsRead;  // what ReadIniFile found, so closing writes back only what changed
  RiseSetCache RiseSets;  // the days CalculateData searched last
  const Services Svc;  // references to objects that outlive the window, and NASA's site
  QElapsedTimer AnimationClock;  // runs while the animation does
  qint64 NextStepDueNs = 0;      // when, on AnimationClock, the next step may start
  quint64 ShowGeneration = 0;   // the newest show request
  quint64 ShownGeneration = 0;  // the request the window shows
  QString StatusBeforeLoading;  // the status bar's text, given back when the frames arrive
  // Where the pop-up menu was opened, in window coordinates, while one of its
  // commands runs: "Save Screen" chooses by where the user right-clicked.
  std::optional<QPoint> PopupOrigin;
  std::vector<QAction*> NasaFileActions;  // the commands that need NASA's files of the hour
  RunningDownloads Downloads;  // the shows' and the commands' downloads, cancelled when the window closes
  QPointer<QProgressDialog> DownloadProgress;  // the running "Download Frames", when one runs
};

void SetLabelColour(QLabel* label, const QColor& colour);

// A stored window place and size brought onto the available screens: no larger than
// the screen it was mostly on (the first when on none) and wholly inside it.
QRect FitToScreens(const QRect& stored, const QList<QRect>& screens);

// "Orvanel" followed by two blanks, "v" and the version; just "Orvanel" without one.
QString WindowTitle(const QString& version);
