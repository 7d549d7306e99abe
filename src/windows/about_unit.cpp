#include "windows/about_unit.h"

#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QUrl>

#include "export/hand_off.h"
#include "nasa/image_decode.h"
#include "windows/file_crc32.h"
#include "windows/link_label.h"

// The pictures are compiled into the static UI library; naming the resource's initialiser
// keeps the linker from dropping it. Q_INIT_RESOURCE must be used outside any namespace.
static void InitAboutMoonResources() { Q_INIT_RESOURCE(about_moons); }

namespace {

constexpr int kFirstMoonFrame = 6268;  // NASA frame number of picture 0
constexpr int kFramesPerPicture = 24;  // one picture a day
constexpr int kAboutTimerMs = 200;     // a full cycle of 27 pictures takes 5.4 s

const QColor kTitleColor(240, 202, 166);
const QColor kMoneyGreen(192, 220, 192);

QFont Arial(int pixels, bool bold = false) {
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

QLabel* MakeLabel(const QString& text, QWidget* parent, const QFont& font, const QColor& color, int top) {
  auto* label = new QLabel(text, parent);
  label->setFont(font);
  SetFontColor(*label, color);
  label->adjustSize();
  label->move(150, top);
  return label;
}

QString CrcCaption() {
  const auto crc = FileCrc32(QCoreApplication::applicationFilePath());
  return QStringLiteral("File CRC = ") + (crc ? Crc32Text(*crc) : QStringLiteral("not readable"));
}

}  // namespace

QString AboutMoonName(int Index) { return QStringLiteral("moon%1").arg(kFirstMoonFrame + kFramesPerPicture * Index); }

QString AboutMoonResource(int Index) { return QStringLiteral(":/JPG/") + AboutMoonName(Index); }

TAboutForm::TAboutForm(const QString& MainCaption, HandOff& Shell, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), Shell(Shell) {
  InitAboutMoonResources();
  FormCreate(MainCaption);
}

void TAboutForm::FormCreate(const QString& MainCaption) {
  setFixedSize(394, 206);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, Qt::black);
  setPalette(palette);
  setAutoFillBackground(true);
  setFont(Arial(11));
  CreateControls();
  TitleLab->setText(MainCaption);
  TitleLab->adjustSize();
  setWindowTitle(MainCaption);
  CrcLab->setText(CrcCaption());
  CrcLab->adjustSize();
  if (const QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
}

void TAboutForm::CreateControls() {
  Image1 = new QLabel(this);
  Image1->setGeometry(20, 20, 109, 109);
  LoadMoon(0);  // the full Moon until the first timer tick

  TitleLab = MakeLabel(QString(), this, Arial(19, true), kTitleColor, 20);
  CrcLab = new LinkLabel(QString(), this);
  CrcLab->setFont(Arial(13));
  CrcLab->setToolTip(QStringLiteral("Go to Online CRC-32 Check"));
  CrcLab->move(150, 50);
  LabelGoWhite(CrcLab);
  CopyrightLab = MakeLabel(QString::fromUtf8(kMakerOwnershipLine), this, Arial(13), kMoneyGreen, 75);
  NasaMoonLab = MakeMakerLink(QStringLiteral("Moon Phase and Libration, 2026"),
                              QStringLiteral("Go to NASA's Moon Phase and Libration, 2026"), 95);
  const QUrl page(QString::fromLatin1(kProjectPageUrl));
  WebsiteLab = MakeMakerLink(page.host() + page.path(), QStringLiteral("Go to Home Page"), 115);
  SvsLab = MakeMakerLink(QStringLiteral("NASA SVS:"), QStringLiteral("Go to NASA's Scientific Visualization Studio"),
                         145);
  SvsBut = new QPushButton(QStringLiteral("Visit"), this);
  SvsBut->setFont(Arial(13));
  SvsBut->setGeometry(240, 140, 75, 25);
  // The Moon the program draws is NASA's LRO map, and NASA asks for this credit.
  CreditLab = new QLabel(QStringLiteral("Moon maps and frames: NASA's Scientific Visualization Studio"), this);
  CreditLab->setFont(Arial(11));
  SetFontColor(*CreditLab, kTitleColor);
  CreditLab->adjustSize();
  CreditLab->move(20, 180);

  AboutTimer = new QTimer(this);
  AboutTimer->setInterval(kAboutTimerMs);

  connect(AboutTimer, &QTimer::timeout, this, &TAboutForm::AboutTimerTimer);
  connect(CrcLab, &LinkLabel::Clicked, this, &TAboutForm::CrcLabClick);
  connect(CrcLab, &LinkLabel::Entered, this, [this] { LabelGoRed(CrcLab); });
  connect(CrcLab, &LinkLabel::Left, this, [this] { LabelGoWhite(CrcLab); });
  connect(NasaMoonLab, &LinkLabel::Clicked, this, &TAboutForm::GoToNasaMoonPage);
  connect(WebsiteLab, &LinkLabel::Clicked, this, &TAboutForm::GoToHomePage);
  connect(SvsLab, &LinkLabel::Clicked, this, &TAboutForm::GoToNasaSvs);
  connect(SvsBut, &QPushButton::clicked, this, &TAboutForm::GoToNasaSvs);
}

LinkLabel* TAboutForm::MakeMakerLink(const QString& text, const QString& hint, int top) {
  auto* label = new LinkLabel(text, this);
  label->setFont(Arial(13));
  label->setCursor(Qt::PointingHandCursor);
  label->setToolTip(hint);
  label->adjustSize();
  label->move(150, top);
  LabelGoMoneyGreen(label);
  connect(label, &LinkLabel::Entered, this, [this, label] { LabelGoRed(label); });
  connect(label, &LinkLabel::Left, this, [this, label] { LabelGoMoneyGreen(label); });
  return label;
}

void TAboutForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormShow();
}

// The timer is never stopped: closing only hides the window.
void TAboutForm::FormShow() {
  if (!AboutTimer->isActive()) AboutTimer->start();
}

void TAboutForm::AboutTimerTimer() {
  LoadMoon(AboutFrameCounter);
  AboutFrameCounter = AboutFrameCounter < kAboutMoonCount - 1 ? AboutFrameCounter + 1 : 0;
}

bool TAboutForm::LoadMoon(int Index) {
  QFile resource(AboutMoonResource(Index));
  if (!resource.open(QIODevice::ReadOnly) || !DecodeJpeg(resource.readAll(), ResourceJpeg)) return false;
  Image1->setPixmap(QPixmap::fromImage(ResourceJpeg));
  return true;
}

void TAboutForm::CrcLabClick() { Shell.OpenDocument(QString::fromLatin1(kCrcCheckerUrl)); }

void TAboutForm::GoToNasaMoonPage() { Shell.OpenDocument(QString::fromLatin1(kNasaMoonPhaseUrl)); }

void TAboutForm::GoToHomePage() { Shell.OpenDocument(QString::fromLatin1(kProjectPageUrl)); }

void TAboutForm::GoToNasaSvs() { Shell.OpenDocument(QString::fromLatin1(kNasaSvsUrl)); }

void TAboutForm::LabelGoRed(LinkLabel* label) { SetFontColor(*label, QColor(255, 0, 0)); }

void TAboutForm::LabelGoWhite(LinkLabel* label) { SetFontColor(*label, Qt::white); }

void TAboutForm::LabelGoMoneyGreen(LinkLabel* label) { SetFontColor(*label, kMoneyGreen); }
