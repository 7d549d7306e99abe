// TAboutForm: the program's title and version, the CRC-32 of its executable, the
// ownership line, links to NASA's Moon pages and to the project's page, beside a small
// Moon that runs through the lunar phases.
#pragma once

#include <QDialog>
#include <QImage>

class QLabel;
class QPushButton;
class QTimer;
class HandOff;
class LinkLabel;

class TAboutForm : public QDialog {
  Q_OBJECT
 public:
  // MainCaption: the main window's title (program name and version).
  TAboutForm(const QString& MainCaption, HandOff& Shell, QWidget* parent = nullptr);

  // Index of the next Moon picture, 0 ... kAboutMoonCount - 1. Not reset when the window
  // is shown again: the animation goes on while the window is hidden.
  int AboutFrameCounter = 0;
  QImage ResourceJpeg;  // the Moon picture last loaded

  QLabel* Image1 = nullptr;
  QLabel* TitleLab = nullptr;
  LinkLabel* CrcLab = nullptr;
  QLabel* CopyrightLab = nullptr;
  LinkLabel* NasaMoonLab = nullptr;  // NASA's Moon Phase and Libration of the year
  LinkLabel* WebsiteLab = nullptr;   // the project's page
  LinkLabel* SvsLab = nullptr;       // NASA's Scientific Visualization Studio
  QLabel* CreditLab = nullptr;       // the credit for NASA's maps and frames
  QPushButton* SvsBut = nullptr;
  QTimer* AboutTimer = nullptr;

 public slots:
  void FormShow();
  void AboutTimerTimer();
  void CrcLabClick();
  void GoToNasaMoonPage();
  void GoToHomePage();
  void GoToNasaSvs();

 public:
  // Shows picture Index; false when it cannot be read (the picture shown stays).
  bool LoadMoon(int Index);
  void LabelGoRed(LinkLabel* label);
  void LabelGoWhite(LinkLabel* label);
  void LabelGoMoneyGreen(LinkLabel* label);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormCreate(const QString& MainCaption);
  void CreateControls();
  LinkLabel* MakeMakerLink(const QString& text, const QString& hint, int top);

  HandOff& Shell;
};

// The 27 built-in Moon pictures: daily frames of NASA's 2024 series from the full moon
// of 18 September on, resource names "moon6268" ... "moon6892" (6268 + 24 x index).
inline constexpr int kAboutMoonCount = 27;
QString AboutMoonName(int Index);
QString AboutMoonResource(int Index);  // the Qt resource path of picture Index

// The ownership line, the project's page, NASA's pages of the Moon, and the outside
// service for comparing the CRC.
inline constexpr const char* kMakerOwnershipLine = "\u00A9 2024\u20132025 The Orvanel developers";
inline constexpr const char* kProjectPageUrl = "https://github.com/quenhalse/orvanel";
inline constexpr const char* kNasaMoonPhaseUrl = "https://svs.gsfc.nasa.gov/5587/";  // 2026's series
inline constexpr const char* kNasaSvsUrl = "https://svs.gsfc.nasa.gov/";
inline constexpr const char* kCrcCheckerUrl = "https://emn178.github.io/online-tools/crc32_checksum.html";
