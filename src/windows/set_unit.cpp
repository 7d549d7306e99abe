#include "windows/set_unit.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>

#include <cmath>
#include <optional>

#include "export/hand_off.h"
#include "windows/link_label.h"

namespace {

constexpr int kNorth = 0;  // NorthSouthBox index
constexpr int kEast = 0;   // EastWestBox index
constexpr long double kMaxLatitude = 90;
constexpr long double kMaxLongitude = 180;

QFont Arial(int pixels) {
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(pixels);
  return font;
}

// The user's locale without thousands separators, which would make "41,5" a valid
// 415 where the decimal separator is a point.
QLocale InputLocale() {
  QLocale locale;
  locale.setNumberOptions(QLocale::RejectGroupSeparator | QLocale::OmitGroupSeparator);
  return locale;
}

QString MagnitudeText(long double degrees) {
  return InputLocale().toString(static_cast<double>(std::fabs(degrees)), 'f', 4);
}

// The typed magnitude when it parses and lies within 0 ... limit; a typed sign is
// dropped because the hemisphere list alone decides it.
std::optional<long double> ParseMagnitude(const QString& text, long double limit) {
  bool ok = false;
  const long double value = std::fabs(static_cast<long double>(InputLocale().toDouble(text, &ok)));
  if (!ok || !(value <= limit)) return std::nullopt;
  return value;
}

QLineEdit* MakeEdit(QWidget* parent, int left, int top) {
  auto* edit = new QLineEdit(parent);
  edit->setGeometry(left, top, 80, 26);
  edit->setFont(Arial(16));
  return edit;
}

// The caption of a labelled edit box, just above it.
QLabel* MakeEditLabel(const QString& text, QWidget* parent, const QLineEdit& edit) {
  auto* label = new QLabel(text, parent);
  label->setFont(Arial(13));
  label->adjustSize();
  label->move(edit.x(), edit.y() - label->height() - 3);
  return label;
}

QComboBox* MakeList(const QStringList& items, QWidget* parent, int left, int top) {
  auto* list = new QComboBox(parent);
  list->addItems(items);
  list->setGeometry(left, top, 80, 26);
  list->setFont(Arial(16));
  return list;
}

QPushButton* MakeButton(const QString& caption, QWidget* parent, int left, int top) {
  auto* button = new QPushButton(caption, parent);
  button->setGeometry(left, top, 75, 25);
  return button;
}

}  // namespace

TSetForm::TSetForm(long double& Latitude, long double& Longitude, std::function<void()> ShowBoth, HandOff& Shell,
                   QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      Latitude(Latitude), Longitude(Longitude), ShowBoth(std::move(ShowBoth)), Shell(Shell) {
  setWindowTitle(QStringLiteral("Set Latitude and Longitude"));
  QFont font(QStringLiteral("Tahoma"));
  font.setPixelSize(11);
  setFont(font);
  setFixedSize(449, 181);
  CreateControls();
}

void TSetForm::CreateControls() {
  Panel1 = new QFrame(this);
  Panel1->setGeometry(rect());
  // A lowered outer and a raised inner bevel.
  Panel1->setFrameStyle(QFrame::Box | QFrame::Sunken);

  LatEdit = MakeEdit(Panel1, 20, 30);
  LatLabel = MakeEditLabel(QStringLiteral("Latitude°"), Panel1, *LatEdit);
  NorthSouthBox = MakeList({QStringLiteral("North"), QStringLiteral("South")}, Panel1, 110, 30);
  LonEdit = MakeEdit(Panel1, 250, 30);
  LonLabel = MakeEditLabel(QStringLiteral("Longitude°"), Panel1, *LonEdit);
  EastWestBox = MakeList({QStringLiteral("East"), QStringLiteral("West")}, Panel1, 340, 30);
  SaveBut = MakeButton(QStringLiteral("Save"), Panel1, 40, 80);
  CloseBut = MakeButton(QStringLiteral("Close"), Panel1, 170, 80);

  GoLatLonFinderLab = new LinkLabel(QStringLiteral("Latitude and Longitude Finder"), Panel1);
  QFont link = Arial(16);
  link.setUnderline(true);
  GoLatLonFinderLab->setFont(link);
  GoLatLonFinderLab->setToolTip(QStringLiteral("Go to Latitude and Longitude Finder"));
  GoLatLonFinderLab->adjustSize();
  GoLatLonFinderLab->move(40, 132);
  LabelGoBlack();

  InputMessage = new QLabel(Panel1);
  InputMessage->setGeometry(20, 108, 420, 20);
  SetFontColor(*InputMessage, Qt::red);
  for (QLineEdit* edit : {LatEdit, LonEdit}) connect(edit, &QLineEdit::textChanged, this, &TSetForm::CheckInput);

  connect(SaveBut, &QPushButton::clicked, this, &TSetForm::SaveButClick);
  connect(CloseBut, &QPushButton::clicked, this, &TSetForm::CloseButClick);
  connect(GoLatLonFinderLab, &LinkLabel::Clicked, this, &TSetForm::GoLatLonFinder);
  connect(GoLatLonFinderLab, &LinkLabel::Entered, this, &TSetForm::LabelGoRed);
  connect(GoLatLonFinderLab, &LinkLabel::Left, this, &TSetForm::LabelGoBlack);
}

void TSetForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormShow();
}

void TSetForm::FormShow() {
  LatEdit->setText(MagnitudeText(Latitude));
  NorthSouthBox->setCurrentIndex(Latitude >= 0 ? 0 : 1);
  LonEdit->setText(MagnitudeText(Longitude));
  // A longitude of exactly 0 shows as West, a latitude of exactly 0 as North.
  EastWestBox->setCurrentIndex(Longitude > 0 ? 0 : 1);
  CloseBut->setFocus();
}

// A value that cannot be taken is framed in red where it was typed and named below
// the boxes; Save waits until both can be taken.
void TSetForm::CheckInput() {
  const bool latOk = ParseMagnitude(LatEdit->text(), kMaxLatitude).has_value();
  const bool lonOk = ParseMagnitude(LonEdit->text(), kMaxLongitude).has_value();
  const auto mark = [](QLineEdit* edit, bool ok, const QString& problem) {
    edit->setStyleSheet(ok ? QString() : QStringLiteral("QLineEdit { border: 2px solid red; }"));
    edit->setToolTip(ok ? QString() : problem);
  };
  const QString latProblem = QStringLiteral("The latitude must be a number from 0 to 90.");
  const QString lonProblem = QStringLiteral("The longitude must be a number from 0 to 180.");
  mark(LatEdit, latOk, latProblem);
  mark(LonEdit, lonOk, lonProblem);
  InputMessage->setText(!latOk ? latProblem : !lonOk ? lonProblem : QString());
  SaveBut->setEnabled(latOk && lonOk);
}

void TSetForm::SaveButClick() {
  if (const auto v = ParseMagnitude(LatEdit->text(), kMaxLatitude))
    Latitude = NorthSouthBox->currentIndex() == kNorth ? *v : -*v;
  if (const auto v = ParseMagnitude(LonEdit->text(), kMaxLongitude))
    Longitude = EastWestBox->currentIndex() == kEast ? *v : -*v;
  ShowBoth();
  close();
}

void TSetForm::CloseButClick() { close(); }

void TSetForm::GoLatLonFinder() { Shell.OpenDocument(QString::fromLatin1(kLatLonFinderUrl)); }

void TSetForm::LabelGoRed() { SetFontColor(*GoLatLonFinderLab, Qt::red); }

void TSetForm::LabelGoBlack() { SetFontColor(*GoLatLonFinderLab, Qt::black); }
