#include "windows/set_unit.h"

#include <QComboBox>
#include <QCompleter>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>
#include <QStringListModel>
#include <QTimeZone>

#include <cmath>
#include <optional>

#include "core/settings_store.h"
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

// The typed number, the typographic minus sign read as a minus.
std::optional<long double> ParseNumber(const QString& text) {
  bool ok = false;
  QString typed = text.trimmed();
  typed.replace(QChar(0x2212), QLatin1Char('-'));
  const auto value = static_cast<long double>(InputLocale().toDouble(typed, &ok));
  if (!ok) return std::nullopt;
  return value;
}

// The typed magnitude when it parses and lies within 0 ... limit (a negative number
// has already switched the hemisphere list and lost its sign).
std::optional<long double> ParseMagnitude(const QString& text, long double limit) {
  const std::optional<long double> value = ParseNumber(text);
  if (!value || !(std::fabs(*value) <= limit)) return std::nullopt;
  return std::fabs(*value);
}

const QString kComputersZone = QStringLiteral("This computer's zone");

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
  setFixedSize(449, 281);
  CreateControls();
}

void TSetForm::CreateControls() {
  Panel1 = new QFrame(this);
  Panel1->setGeometry(rect());
  // A lowered outer and a raised inner bevel.
  Panel1->setFrameStyle(QFrame::Box | QFrame::Sunken);

  LatEdit = MakeEdit(Panel1, 20, 90);
  LatLabel = MakeEditLabel(QStringLiteral("Latitude°"), Panel1, *LatEdit);
  NorthSouthBox = MakeList({QStringLiteral("North"), QStringLiteral("South")}, Panel1, 110, 90);
  LonEdit = MakeEdit(Panel1, 250, 90);
  LonLabel = MakeEditLabel(QStringLiteral("Longitude°"), Panel1, *LonEdit);
  EastWestBox = MakeList({QStringLiteral("East"), QStringLiteral("West")}, Panel1, 340, 90);
  CreatePlaceControls();
  SaveBut = MakeButton(QStringLiteral("Save"), Panel1, 40, 190);
  CloseBut = MakeButton(QStringLiteral("Close"), Panel1, 170, 190);

  GoLatLonFinderLab = new LinkLabel(QStringLiteral("Latitude and Longitude Finder"), Panel1);
  QFont link = Arial(16);
  link.setUnderline(true);
  GoLatLonFinderLab->setFont(link);
  GoLatLonFinderLab->setToolTip(QStringLiteral("Go to Latitude and Longitude Finder"));
  GoLatLonFinderLab->adjustSize();
  GoLatLonFinderLab->move(40, 242);
  LabelGoBlack();

  InputMessage = new QLabel(Panel1);
  InputMessage->setGeometry(20, 218, 420, 20);
  SetFontColor(*InputMessage, Qt::red);
  for (QLineEdit* edit : {LatEdit, LonEdit}) {
    connect(edit, &QLineEdit::textChanged, this, &TSetForm::CheckInput);
    // Numbers typed by hand are no longer the city picked.
    connect(edit, &QLineEdit::textEdited, this, [this] { PlaceName.clear(); });
  }

  connect(SaveBut, &QPushButton::clicked, this, &TSetForm::SaveButClick);
  connect(CloseBut, &QPushButton::clicked, this, &TSetForm::CloseButClick);
  connect(GoLatLonFinderLab, &LinkLabel::Clicked, this, &TSetForm::GoLatLonFinder);
  connect(GoLatLonFinderLab, &LinkLabel::Entered, this, &TSetForm::LabelGoRed);
  connect(GoLatLonFinderLab, &LinkLabel::Left, this, &TSetForm::LabelGoBlack);
}

void TSetForm::CreatePlaceControls() {
  PlaceSearchEdit = new QLineEdit(Panel1);
  PlaceSearchEdit->setGeometry(20, 30, 400, 26);
  PlaceSearchEdit->setFont(Arial(16));
  PlaceSearchEdit->setPlaceholderText(QStringLiteral("City name, e.g. Tokyo"));
  MakeEditLabel(QStringLiteral("Find a place"), Panel1, *PlaceSearchEdit);
  OfferedLines = new QStringListModel(this);
  PlaceCompleter = new QCompleter(OfferedLines, this);
  PlaceCompleter->setCaseSensitivity(Qt::CaseInsensitive);
  // The search has chosen the lines already (accents ignored); show them all.
  PlaceCompleter->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
  PlaceSearchEdit->setCompleter(PlaceCompleter);
  connect(PlaceSearchEdit, &QLineEdit::textEdited, this, &TSetForm::OfferPlaces);
  connect(PlaceCompleter, qOverload<const QString&>(&QCompleter::activated), this, &TSetForm::PickPlace);

  ZoneBox = new QComboBox(Panel1);
  ZoneBox->setGeometry(20, 145, 250, 26);
  ZoneBox->addItem(kComputersZone, QString());
  for (const QByteArray& id : QTimeZone::availableTimeZoneIds()) ZoneBox->addItem(QString::fromUtf8(id), QString::fromUtf8(id));
  auto* zoneLabel = new QLabel(QStringLiteral("Time zone"), Panel1);
  zoneLabel->setFont(Arial(13));
  zoneLabel->adjustSize();
  zoneLabel->move(20, 145 - zoneLabel->height() - 3);

  ElevationBox = new QSpinBox(Panel1);
  ElevationBox->setGeometry(340, 145, 80, 26);
  ElevationBox->setRange(kMinElevationM, kMaxElevationM);
  ElevationBox->setSuffix(QStringLiteral(" m"));
  auto* elevationLabel = new QLabel(QStringLiteral("Elevation"), Panel1);
  elevationLabel->setFont(Arial(13));
  elevationLabel->adjustSize();
  elevationLabel->move(340, 145 - elevationLabel->height() - 3);
}

QString PlaceCompletionLine(const CityMatch& city) {
  const auto degrees = [](double v, char positive, char negative) {
    return QStringLiteral("%1 %2").arg(std::fabs(v), 0, 'f', 4).arg(QLatin1Char(v < 0 ? negative : positive));
  };
  return QStringLiteral("%1 (%2, %3, %4)")
      .arg(CityLabel(city), degrees(city.Latitude, 'N', 'S'), degrees(city.Longitude, 'E', 'W'), city.Zone);
}

void TSetForm::OfferPlaces(const QString& text) {
  Offered = SearchCities(text, 12);
  QStringList lines;
  for (const CityMatch& c : Offered) lines << PlaceCompletionLine(c);
  OfferedLines->setStringList(lines);
  if (!lines.isEmpty()) PlaceCompleter->complete();
}

void TSetForm::PickPlace(const QString& completionLine) {
  for (const CityMatch& c : Offered) {
    if (PlaceCompletionLine(c) != completionLine) continue;
    LatEdit->setText(MagnitudeText(c.Latitude));
    NorthSouthBox->setCurrentIndex(c.Latitude >= 0 ? 0 : 1);
    LonEdit->setText(MagnitudeText(c.Longitude));
    EastWestBox->setCurrentIndex(c.Longitude > 0 ? 0 : 1);
    const int zone = ZoneBox->findData(c.Zone);
    ZoneBox->setCurrentIndex(zone < 0 ? 0 : zone);
    PlaceName = CityLabel(c);
    return;
  }
}

void TSetForm::SetPlaceDetails(const PlaceDetails& details) {
  PlaceName = details.Name;
  const int zone = ZoneBox->findData(details.Zone);
  ZoneBox->setCurrentIndex(zone < 0 ? 0 : zone);
  ElevationBox->setValue(details.ElevationM);
  PlaceSearchEdit->setText(details.Name);
}

PlaceDetails TSetForm::Details() const {
  return {PlaceName, ZoneBox->currentData().toString(), ElevationBox->value()};
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
  ShowHemisphere(LatEdit, NorthSouthBox, 1);
  ShowHemisphere(LonEdit, EastWestBox, 1);
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

// A negative number is a place in the south or west: the list switches to it and the
// box keeps the magnitude, so what is saved is what the window shows.
void TSetForm::ShowHemisphere(QLineEdit* edit, QComboBox* hemispheres, int negativeIndex) {
  const std::optional<long double> value = ParseNumber(edit->text());
  if (!value || !std::signbit(static_cast<double>(*value))) return;
  hemispheres->setCurrentIndex(negativeIndex);
  edit->setText(InputLocale().toString(static_cast<double>(std::fabs(*value)), 'g', 12));
}

void TSetForm::SaveButClick() {
  if (const auto v = ParseMagnitude(LatEdit->text(), kMaxLatitude))
    Latitude = NorthSouthBox->currentIndex() == kNorth ? *v : -*v;
  if (const auto v = ParseMagnitude(LonEdit->text(), kMaxLongitude))
    Longitude = EastWestBox->currentIndex() == kEast ? *v : -*v;
  emit PlaceSaved(Details());
  ShowBoth();
  close();
}

void TSetForm::CloseButClick() { close(); }

void TSetForm::GoLatLonFinder() { Shell.OpenDocument(QString::fromLatin1(kLatLonFinderUrl)); }

void TSetForm::LabelGoRed() { SetFontColor(*GoLatLonFinderLab, Qt::red); }

void TSetForm::LabelGoBlack() { SetFontColor(*GoLatLonFinderLab, Qt::black); }
