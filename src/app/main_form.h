// TForm1: the main window. It owns the widgets and the program-wide state; every
// handler changes the state and then calls ShowBoth or a menu command.
#pragma once

#include <QMainWindow>
#include <QString>
#include <memory>
#include <optional>

#include "app/program_state.h"
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
class QPushButton;
class QTimer;
class ImageBox;
class TSetForm;
class TAboutForm;
class HandOff;
class SavePictureDialog;
struct ExportContext;

class TForm1 : public QMainWindow {
  Q_OBJECT
 public:
  explicit TForm1(QWidget* parent = nullptr);
  ~TForm1() override;

  // Start-up: FormCreate runs in the constructor; the program then calls ReadIniFile
  // and the initial show.
  void ReadIniFile();
  void SaveIniFile();
  void InitialShow();

  // The show pipeline.
  void ShowBoth(long double x);
  MoonRecord CalculateData(long double x);
  void ShowAllData(const MoonRecord& r);
  bool LoadJpgFile(bool Large, long double Instant);
  bool LoadJpgFileUrl(long double Instant);
  bool LoadJpgFileLocal(bool Large, long double Instant);
  void ShowMoon(int ViewKind, long double Instant);
  void DrawPolyLine(long double Instant);
  long double GetParallacticAngle(long double Lat, long double Lon, long double DateTime);
  void GoToMaxAltitude(bool FindMax);

  ProgramState State;

  // Controls, under their designed names.
  ImageBox* Image1 = nullptr;
  ImageBox* Image2 = nullptr;
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
  // Lets pending window events run, so that the window repaints inside long handlers.
  static void LetEventsRun();

  // Where files and addresses are handed to (the desktop's programs; tests record),
  // and the window's save dialog, kept between commands.
  HandOff* Shell = nullptr;
  std::unique_ptr<SavePictureDialog> SavePictureDialog1;
  TSetForm* SetForm = nullptr;
  TAboutForm* AboutForm = nullptr;

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
  void ImageInMSPaint1Click();
  void ImagetoClipBoard1Click();
  void LinktoClipboard1Click();
  void SaveAsTifFile1Click();
  void SaveScreen1Click();
  void OpenFolder1Click();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void FormCreate();
  void SetSize(bool Large);
  void CreateControls();
  void CreatePanelControls();
  void CreateHiddenControls();
  void CreateMenus();
  void RunMoonThread();
  void MoonAnimation();
  void OnTerminate();
  void SetCurrentToNow();
  bool TimerEnabled() const;
  MoonViewOptions ViewOptions() const;
  void ApplyViewLabels(const ViewLabels& labels);

  void RunCommand(void (*command)(const ExportContext&));

  std::unique_ptr<HandOff> DesktopShell;
  QString RangeNotice;
  // Where the pop-up menu was opened, in window coordinates, while one of its
  // commands runs: "Save Screen" chooses by where the user right-clicked.
  std::optional<QPoint> PopupOrigin;  // set when the clock lies outside NASA's years
};

void SetLabelColour(QLabel* label, const QColor& colour);

// "Orvanel" followed by two blanks, "v" and the version; just "Orvanel" without one.
QString WindowTitle(const QString& version);
