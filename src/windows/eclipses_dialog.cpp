// The Eclipses window: the span's two year boxes, the table, the contacts of the
// current row and the buttons.
#include "windows/eclipses_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "core/covered_range.h"
#include "core/eclipse_circumstances.h"
#include "core/number_text.h"

namespace {

constexpr int kFirstYear = 1600, kLastYear = 3999;

QSpinBox* MakeYearBox(int year, QWidget* parent) {
  auto* box = new QSpinBox(parent);
  box->setRange(kFirstYear, kLastYear);
  box->setValue(year);
  box->setKeyboardTracking(false);  // a year typed digit by digit lists once, when done
  return box;
}

QString DateText(double utc) {
  const CivilDateTime c = DecodeDateTime(utc);
  return QStringLiteral("%1-%2-%3 %4:%5")
      .arg(c.Year, 4, 10, QChar('0'))
      .arg(c.Month, 2, 10, QChar('0'))
      .arg(c.Day, 2, 10, QChar('0'))
      .arg(c.Hour, 2, 10, QChar('0'))
      .arg(c.Minute, 2, 10, QChar('0'));
}

}  // namespace

YearSpan CenturyOf(long double x) {
  const int year = YearOf(std::clamp(x, kRangeStart, kLastDay));
  const int first = (year - 1) / 100 * 100 + 1;
  return {std::max(first, kFirstYear), std::min(first + 99, kLastYear)};
}

EclipsesDialog::EclipsesDialog(long double shown, long double latitude, long double longitude,
                               const TimeZoneRules& zone, QWidget* parent)
    : QDialog(parent), shown_(shown), latitude_(latitude), longitude_(longitude), zone_(zone) {
  setObjectName("EclipsesDialog");
  setWindowTitle(QStringLiteral("Lunar Eclipses"));
  const YearSpan century = CenturyOf(shown);
  FromYearBox = MakeYearBox(century.First, this);
  ToYearBox = MakeYearBox(century.Last, this);
  Table = new QTableWidget(0, 5, this);
  Table->setHorizontalHeaderLabels({QStringLiteral("Greatest (UTC)"), QStringLiteral("Kind"),
                                    QStringLiteral("Umbral"), QStringLiteral("Penumbral"),
                                    QStringLiteral("Seen from here")});
  Table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Table->setSelectionBehavior(QAbstractItemView::SelectRows);
  Table->setSelectionMode(QAbstractItemView::SingleSelection);
  Table->verticalHeader()->hide();
  Table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  Contacts = new QLabel(this);
  Contacts->setTextInteractionFlags(Qt::TextSelectableByMouse);
  InputMessage = new QLabel(this);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  GoButton = buttons->addButton(QStringLiteral("Go to"), QDialogButtonBox::ActionRole);

  auto* span = new QHBoxLayout;
  span->addWidget(new QLabel(QStringLiteral("Years from"), this));
  span->addWidget(FromYearBox);
  span->addWidget(new QLabel(QStringLiteral("to"), this));
  span->addWidget(ToYearBox);
  span->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(span);
  layout->addWidget(InputMessage);
  layout->addWidget(Table, 1);
  layout->addWidget(Contacts);
  layout->addWidget(buttons);

  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(GoButton, &QPushButton::clicked, this, &EclipsesDialog::ChooseCurrent);
  connect(Table, &QTableWidget::itemActivated, this, &EclipsesDialog::ChooseCurrent);
  connect(Table, &QTableWidget::currentCellChanged, this, &EclipsesDialog::ShowContacts);
  connect(FromYearBox, &QSpinBox::valueChanged, this, &EclipsesDialog::ListSpan);
  connect(ToYearBox, &QSpinBox::valueChanged, this, &EclipsesDialog::ListSpan);
  ListSpan();
  resize(560, 520);
}

void EclipsesDialog::ListSpan() {
  const int first = FromYearBox->value(), last = ToYearBox->value();
  QString problem;
  if (last < first)
    problem = QStringLiteral("The last year must not come before the first.");
  else if (last - first + 1 > kEclipseListMaxYears)
    problem = QStringLiteral("At most %1 years at a time.").arg(kEclipseListMaxYears);
  InputMessage->setText(problem);
  InputMessage->setVisible(!problem.isEmpty());
  listed_.clear();
  if (problem.isEmpty())
    listed_ = LunarEclipsesBetween(static_cast<double>(EncodeDate(first, 1, 1)),
                                   static_cast<double>(EncodeDate(last + 1, 1, 1)));
  const QLocale locale;
  Table->setRowCount(0);
  Table->setRowCount(static_cast<int>(listed_.size()));
  for (int row = 0; row < Table->rowCount(); ++row) {
    const LunarEclipse& e = listed_[row];
    const bool seen = SeenFrom(e, latitude_, longitude_);
    const QString cells[] = {DateText(e.Greatest), QString::fromLatin1(LunarEclipseKindName(e.Kind)),
                             FormatFixed(e.UmbralMagnitude, 3, locale), FormatFixed(e.PenumbralMagnitude, 3, locale),
                             seen ? QStringLiteral("yes") : QStringLiteral("no")};
    for (int column = 0; column < 5; ++column) Table->setItem(row, column, new QTableWidgetItem(cells[column]));
  }
  // The current row: the first eclipse from the hour shown on, else the last.
  const auto next = std::find_if(listed_.begin(), listed_.end(),
                                 [this](const LunarEclipse& e) { return e.P4 >= shown_; });
  if (!listed_.empty()) Table->setCurrentCell(static_cast<int>(std::min(next - listed_.begin(), Table->rowCount() - 1L)), 0);
  ShowContacts();
}

void EclipsesDialog::ShowContacts() {
  const int row = Table->currentRow();
  GoButton->setEnabled(row >= 0);
  QStringList lines;
  if (row >= 0) {
    const QLocale locale;
    lines << EclipseTitle(listed_[row], locale);
    for (const EclipseContact& c : ContactsSeenFrom(listed_[row], latitude_, longitude_, zone_))
      lines << ContactLine(c, locale);
  }
  Contacts->setText(lines.join('\n'));
}

void EclipsesDialog::ChooseCurrent() {
  const int row = Table->currentRow();
  if (row >= 0) emit EclipseChosen(listed_[row].Greatest);
}
