// TAboutForm: the program's title and version, the CRC-32 of its executable, the maker's
// ownership line and links, beside a small Moon that runs through the lunar phases.
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
  LinkLabel* EmailLab = nullptr;
  LinkLabel* WebsiteLab = nullptr;
  LinkLabel* DonationLab = nullptr;
  QPushButton* PayPalBut = nullptr;
  QTimer* AboutTimer = nullptr;

 public slots:
  void FormShow();
  void AboutTimerTimer();
  void CrcLabClick();
  void SendMail();
  void GoToHomePage();
  void GoToPayPal();

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

// The maker's own addresses, and the outside service for comparing the CRC.
inline constexpr const char* kMakerOwnershipLine = "\u00A9 2024\u20132025 The Orvanel developers";
inline constexpr const char* kMakerEmail = "orvanel@example.org";
inline constexpr const char* kMakerWebsite = "https://orvanel.example.org/";
inline constexpr const char* kMakerDonationUrl = "https://orvanel.example.org/donate";
inline constexpr const char* kCrcCheckerUrl = "https://emn178.github.io/online-tools/crc32_checksum.html";
