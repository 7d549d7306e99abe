#include "windows/almanac_dialog.h"

#include <QDateTime>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/almanac_csv.h"
#include "core/lunar_calendar_ics.h"
#include "core/system_time_zone.h"
#include "core/file_save.h"

namespace {

const QStringList kColumnTitles = {"Date",    "Moonrise", "Azimuth", "Transit", "Altitude",   "Moonset",
                                   "Azimuth", "Lit %",    "Sunrise", "Sunset",  "Night from", "Night until"};

QString MonthText(const MonthAlmanac& a) { return QStringLiteral("%1-%2").arg(a.Year).arg(a.Month, 2, 10, QChar('0')); }

}  // namespace

AlmanacDialog::AlmanacDialog(MonthAlmanac almanac, const TimeZoneRules& Zone, const QString& PlaceLabel,
                             ChooseSavePath choosePath, QWidget* parent)
    : QDialog(parent), Almanac(std::move(almanac)), Zone(Zone), ChoosePath(std::move(choosePath)) {
  setWindowTitle(QStringLiteral("Almanac %1 — %2").arg(MonthText(Almanac), PlaceLabel));
  Table = new QTableWidget(this);
  EventsLabel = new QLabel(this);
  StatusLabel = new QLabel(this);
  SaveCsvBut = new QPushButton(QStringLiteral("Save CSV…"), this);
  SaveIcsBut = new QPushButton(QStringLiteral("Save iCalendar…"), this);
  CloseBut = new QPushButton(QStringLiteral("Close"), this);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(SaveCsvBut);
  buttons->addWidget(SaveIcsBut);
  buttons->addStretch();
  buttons->addWidget(CloseBut);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Table);
  layout->addWidget(EventsLabel);
  layout->addWidget(StatusLabel);
  layout->addLayout(buttons);
  FillTable();
  resize(980, 620);
  connect(SaveCsvBut, &QPushButton::clicked, this, &AlmanacDialog::SaveCsvClick);
  connect(SaveIcsBut, &QPushButton::clicked, this, &AlmanacDialog::SaveIcsClick);
  connect(CloseBut, &QPushButton::clicked, this, &QDialog::close);
  connect(Table, &QTableWidget::cellClicked, this, [this](int row, int) { RowClick(row); });
}

void AlmanacDialog::FillTable() {
  Table->setColumnCount(static_cast<int>(kColumnTitles.size()));
  Table->setHorizontalHeaderLabels(kColumnTitles);
  Table->setRowCount(static_cast<int>(Almanac.Days.size()));
  Table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Table->setSelectionBehavior(QAbstractItemView::SelectRows);
  Table->verticalHeader()->hide();
  for (int row = 0; row < Table->rowCount(); ++row) {
    const std::vector<std::string> fields = AlmanacRowFields(Almanac.Days[static_cast<std::size_t>(row)], Zone);
    for (int column = 0; column < static_cast<int>(fields.size()); ++column) {
      // A day without the event says so rather than leaving a gap.
      const std::string& f = fields[static_cast<std::size_t>(column)];
      auto* item = new QTableWidgetItem(f.empty() ? QStringLiteral("none") : QString::fromStdString(f));
      item->setTextAlignment(Qt::AlignCenter);
      Table->setItem(row, column, item);
    }
  }
  Table->resizeColumnsToContents();
  QStringList events;
  for (const LunarEvent& e : Almanac.Events)
    events << QStringLiteral("%1 %2").arg(LunarEventName(e.Kind), QString::fromStdString(LocalDateTimeText(e.Instant, Zone)).left(16));
  EventsLabel->setText(events.join(QStringLiteral("   ·   ")));
  EventsLabel->setWordWrap(true);
}

void AlmanacDialog::Report(const QString& path, const std::optional<QString>& error) {
  StatusLabel->setText(error ? QStringLiteral("Could not save %1: %2").arg(path, *error)
                             : QStringLiteral("Saved to %1").arg(path));
}

void AlmanacDialog::SaveCsvClick() {
  const QString path = ChoosePath(QStringLiteral("Save the almanac as CSV"),
                                  QStringLiteral("almanac_%1.csv").arg(MonthText(Almanac)),
                                  QStringLiteral("CSV files (*.csv)"));
  if (!path.isEmpty()) Report(path, SaveFile(path, AlmanacCsv(Almanac, Zone)));
}

void AlmanacDialog::SaveIcsClick() {
  const QString path = ChoosePath(QStringLiteral("Save the year's phases, perigees and apogees"),
                                  QStringLiteral("moon_%1.ics").arg(Almanac.Year),
                                  QStringLiteral("iCalendar files (*.ics)"));
  if (path.isEmpty()) return;
  const std::string ics = LunarCalendarIcs(LunarEventsOfYear(Almanac.Year, &Zone), DateTimeOf(QDateTime::currentDateTimeUtc()));
  Report(path, SaveFile(path, ics));
}

void AlmanacDialog::RowClick(int row) {
  if (row < 0 || row >= static_cast<int>(Almanac.Days.size())) return;
  const AlmanacDay& day = Almanac.Days[static_cast<std::size_t>(row)];
  if (day.Moonrise) {
    emit MoonriseChosen(day.Moonrise->Instant);
    StatusLabel->clear();
  } else {
    StatusLabel->setText(QStringLiteral("The Moon does not rise on %1.").arg(QString::fromStdString(AlmanacRowFields(day, Zone)[0])));
  }
}

QString ChooseSavePathWithDialog(const QString& caption, const QString& suggested, const QString& filter) {
  return QFileDialog::getSaveFileName(nullptr, caption, suggested, filter);
}
