// The range dialog: a form of four rows and the buttons.
#include "windows/download_frames_dialog.h"

#include <QComboBox>
#include <QDateTimeEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "astro/time_scales.h"
#include "nasa/nasa_urls.h"

namespace {

constexpr int kSouth = 1;  // HemisphereBox index
constexpr long double kPole = 90;

QDateTime ToQDateTime(long double x) {
  const CivilDateTime c = DecodeDateTime(x);
  return {QDate(c.Year, c.Month, c.Day), QTime(c.Hour, c.Minute), Qt::UTC};
}

long double FromQDateTime(const QDateTime& t) {
  const QDate d = t.date();
  const QTime h = t.time();
  return EncodeDateTimeOrZero(d.year(), d.month(), d.day(), h.hour(), h.minute(), 0, 0);
}

// A date-time edit that selects the part clicked, so that digits typed replace it:
// typed at a cursor between the digits of a full part they would be refused.
class PartSelectingEdit : public QDateTimeEdit {
 public:
  explicit PartSelectingEdit(QWidget* parent) : QDateTimeEdit(parent) { lineEdit()->installEventFilter(this); }

 protected:
  // The press has put the cursor in the part by the time its release comes.
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == lineEdit() && event->type() == QEvent::MouseButtonRelease && !lineEdit()->hasSelectedText())
      setSelectedSection(currentSection());
    return QDateTimeEdit::eventFilter(watched, event);
  }
};

QDateTimeEdit* MakeUtcEdit(long double x, QWidget* parent) {
  auto* edit = new PartSelectingEdit(parent);
  edit->setTimeSpec(Qt::UTC);
  edit->setDisplayFormat(QStringLiteral("yyyy-MM-dd HH:mm 'UTC'"));
  edit->setDateTime(ToQDateTime(x));
  return edit;
}

}  // namespace

DownloadFramesDialog::DownloadFramesDialog(long double shown, ViewKind view, long double latitude,
                                           QWidget* parent)
    : QDialog(parent) {
  setObjectName("DownloadFramesDialog");
  setWindowTitle(QStringLiteral("Download Frames"));
  FromEdit = MakeUtcEdit(shown, this);
  ToEdit = MakeUtcEdit(shown + kDownloadFramesDefaultDays, this);
  ViewBox = new QComboBox(this);
  for (const ViewDescription& v : kViews)
    if (!IsDrawnView(v.Kind)) ViewBox->addItem(v.Caption);
  ViewBox->setCurrentIndex(IndexOf(IsDrawnView(view) ? ViewKind::Moon : view));
  HemisphereBox = new QComboBox(this);
  HemisphereBox->addItems({QStringLiteral("North"), QStringLiteral("South")});
  HemisphereBox->setCurrentIndex(latitude >= 0 ? 0 : kSouth);
  InputMessage = new QLabel(this);
  Buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  Buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Download"));

  auto* form = new QFormLayout(this);
  form->addRow(QStringLiteral("From:"), FromEdit);
  form->addRow(QStringLiteral("To:"), ToEdit);
  form->addRow(QStringLiteral("Show:"), ViewBox);
  form->addRow(QStringLiteral("Hemisphere:"), HemisphereBox);
  form->addRow(InputMessage);
  form->addRow(Buttons);
  connect(Buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(FromEdit, &QDateTimeEdit::dateTimeChanged, this, &DownloadFramesDialog::CheckInput);
  connect(ToEdit, &QDateTimeEdit::dateTimeChanged, this, &DownloadFramesDialog::CheckInput);
  CheckInput();
}

FrameRangeChoice DownloadFramesDialog::Choice() const {
  return {FromQDateTime(FromEdit->dateTime()), FromQDateTime(ToEdit->dateTime()), ViewKindOf(ViewBox->currentIndex()),
          HemisphereBox->currentIndex() == kSouth ? -kPole : kPole};
}

// NASA's published years follow one another, so both ends in them is every hour between.
void DownloadFramesDialog::CheckInput() {
  const FrameRangeChoice c = Choice();
  QString problem;
  if (!HasNasaSeries(c.From) || !HasNasaSeries(c.To))
    problem = QStringLiteral("NASA publishes frames only for %1 to %2.")
                  .arg(NasaSeriesList().front().Year)
                  .arg(NasaSeriesList().back().Year);
  else if (c.To < c.From)
    problem = QStringLiteral("To must not come before From.");
  InputMessage->setText(problem);
  Buttons->button(QDialogButtonBox::Ok)->setEnabled(problem.isEmpty());
}
