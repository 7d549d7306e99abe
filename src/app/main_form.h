// TForm1: the main window. It draws what the show session says and sends it the
// user's intents; the session alone owns the hour shown. The window keeps only what
// is its own: the options of the pictures and the panel, the folders, the menus and
// the downloads of its commands. Its widgets are private (tests find them by name).
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QStyle>
#include <QString>
#include <memory>
#include <vector>

#include "app/services.h"
#include "core/place_zone.h"
#include "core/settings_store.h"
#include "export/export_context.h"
#include "nasa/running_downloads.h"
#include "render/feature_projection.h"
#include "render/view_options.h"
#include "session/show_session.h"

class QCalendarWidget;
class QColor;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QProgressDialog;
class QPushButton;
class ImageBox;
class PicturePair;
class ScreenFit;
class TSetForm;
class TAboutForm;
class SavePictureDialog;
class FindFeatureDialog;
struct LunarFeature;
struct FrameRangeChoice;

class TForm1 : public QMainWindow {
  Q_OBJECT
 public:
  // Whether the constructor builds the window's controls or leaves them to
  // BuildControls: the program shows an empty window first, which paints at once,
  // and builds them after that first paint (the first text costs Qt its font
  // database, the calendar and the panel tens of milliseconds more).
  enum class Controls { Now, AfterFirstPaint };
  explicit TForm1(const Services& services, QWidget* parent = nullptr, Controls controls = Controls::Now);
  ~TForm1() override;

  // Start-up: the program calls ReadIniFile, which places the window and gives the
  // controls their stored states (now or once they are built), and then the initial show.
  void ReadIniFile();
  void BuildControls();
  // Why the settings could not be saved, or empty.
  QString SaveIniFile();
  void InitialShow();

  // The session the window draws: the hour shown and the intents that change it.
  ShowSession& Session() { return Show; }
  const ShowSession& Session() const { return Show; }
  // The save dialog of the picture commands (tests script their own).
  void SetSaveDialog(std::unique_ptr<SavePictureDialog> dialog);

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private slots:
  void Exit1Click();
  void Set1Click();
  void About1Click();
  void AnimateBoxClick();
  void TypeBoxCloseup();
  void StepBoxCloseUp();
  void MonthCalClick();
  void ShowOptionsChanged();
  void ShowLoading(long double hour);

  void NasaWebsiteClick();
  void FullYearDataClick();
  void MovieInBrowser1Click();
  void ImageInBrowser1Click();
  void ImageInViewer1Click();
  void ImageInPaint1Click();
  void ImagetoClipBoard1Click();
  void LinktoClipboard1Click();
  void SaveAsTifFile1Click();
  void SaveChart1Click();
  void CopyPicture1Click();
  void OpenFolder1Click();
  void DownloadFrames1Click();
  void Eclipses1Click();
  void Almanac1Click();
  void FindFeature1Click();
  void NextEclipse1Click();
  void PrevEclipse1Click();

 private:
  void FormCreate();
  void ApplyStoredControls();
  bool ControlsBuilt() const { return Memo1 != nullptr; }
  void SetSize(bool Large);
  void CreateControls();
  void CreatePanelControls();
  void CreateMenus();
  void GiveMenuIcons();
  void CreateKeys();
  void AnimationControlsEnabled(bool enabled);
  MoonViewOptions ViewOptions(const MoonRecord& r) const;
  void ApplyViewLabels(const ViewLabels& labels);
  void UpdateActions();
  void SetStatusText(const QString& text);

  // Painting what the session shows.
  void PaintShown(const ShownHour& hour);
  void ShowAllData(const MoonRecord& r);
  void ShowMoon(const ShownHour& hour);
  void DrawPolyLine(const ShownHour& hour);

  // The Moon's features on the Moon view.
  std::optional<FeatureProjection> MoonProjection(ViewKind view, const MoonRecord& record, QSize picture,
                                                  qreal devicePixelRatio = 1) const;
  void MoonPointerEvent(QEvent* event);
  std::optional<QString> PointerText(QPointF inBox) const;
  void MarkFeature(const ShownHour& hour, QImage& picture) const;

  void RunCommand(void (*command)(const ExportContext&));
  ImageBox* PictureToCopy() const;
  void RunInBackground(std::function<bool()> work, std::function<void(bool)> then);
  void RunDownload(const QString& what, DownloadWork work, std::function<void(const DownloadResult&)> then);
  void StartFrameDownload(const FrameRangeChoice& choice);

  const Services Svc;  // references to objects that outlive the window, and NASA's site
  PlaceZone Zone;      // the place's zone: every local time the window and the session show
  ShowSession Show;
  QSize ImageSize{730, 730};  // the Moon view's drawing size
  QImage FrameJpeg;  // the Moon frame shown (24-bit)
  QImage FrameTiff;  // the chart, orbit or globe frame shown
  QString PictureFolder;  // where pictures go, the user's last choice
  QString TextFolder;     // where NASA's yearly text files go
  int FrameCacheMB = StoredSettings().FrameCacheMB;  // main() caps the cache with it; kept as read
  StoredSettings SettingsAsRead;  // what ReadIniFile found, so closing writes back only what changed
  QString StatusBeforeLoading;  // the status bar's text, given back when the frames arrive
  bool Loading = false;         // the session's newest request waits for its frames
  // While a menu's command runs, the picture the menu was opened over (the Moon view
  // for the menu bar's and the panel's): "Copy Picture" copies it.
  ImageBox* MenuPicture = nullptr;
  std::vector<QAction*> NasaFileActions;  // the commands that need NASA's files of the hour
  std::vector<std::pair<QAction*, QStyle::StandardPixmap>> MenuIcons;  // given when a menu first opens
  RunningDownloads Downloads;  // the commands' downloads, cancelled when the window closes
  QPointer<QProgressDialog> DownloadProgress;  // the running "Download Frames", when one runs

  std::unique_ptr<SavePictureDialog> SavePictureDialog1;  // kept between commands
  TSetForm* SetForm = nullptr;
  std::pair<long double, long double> SetFormPlace;  // the Set window's latitude and longitude
  QString PlaceName;   // the city chosen in the Set window, empty for typed numbers
  TAboutForm* AboutForm = nullptr;
  QPointer<FindFeatureDialog> FindDialog;
  const LunarFeature* MarkedFeature = nullptr;  // found with Find Feature, marked on the Moon view
  QString StatusBeforePointer;  // the status bar's text before the pointer came onto the Moon
  bool Pointing = false;        // the status bar shows the place under the pointer
  bool PointerKept = false;     // a click keeps that place's text until the next hour



  ImageBox* Image1 = nullptr;  // the altitude chart
  ImageBox* Image2 = nullptr;  // the Moon view
  PicturePair* Pictures = nullptr;
  ScreenFit* Fit = nullptr;  // keeps the window's frame on its screen
  QLabel* AxisALab = nullptr;
  QLabel* ParallacticLab2 = nullptr;
  QLabel* ParallacticLab = nullptr;
  QCalendarWidget* MonthCal = nullptr;
  QLabel* UTCLab = nullptr;
  QLabel* LocLab = nullptr;
  QFrame* Panel1 = nullptr;
  QPushButton* PrevBut = nullptr;
  QPushButton* NowBut = nullptr;
  QPushButton* NextBut = nullptr;
  QCheckBox* AnimateBox = nullptr;
  QCheckBox* ReverseBox = nullptr;
  QComboBox* TypeBox = nullptr;
  QComboBox* StepBox = nullptr;
  QCheckBox* ShowLinesBox = nullptr;
  QCheckBox* RotateBox = nullptr;
  QCheckBox* ShowDataBox = nullptr;
  QCheckBox* NasaInEclipseBox = nullptr;
  QCheckBox* NamesBox = nullptr;
  QComboBox* EyepieceBox = nullptr;
  QPlainTextEdit* Memo1 = nullptr;
  QLabel* StatusBar1 = nullptr;
  QMenu* PopupMenu1 = nullptr;
};

void SetLabelColour(QLabel* label, const QColor& colour);

// "Orvanel" followed by two blanks, "v" and the version; just "Orvanel" without one.
QString WindowTitle(const QString& version);
