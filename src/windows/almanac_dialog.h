// The Almanac window: a month of the Moon and the Sun at the place, one row per local
// day, with the month's phases, perigee and apogee below; the month saved as CSV and the
// year's phases, perigees and apogees as iCalendar. A click on a row announces that
// day's moonrise, which the main window shows.
#pragma once

#include <QDialog>
#include <functional>

#include "astro/time_scales.h"
#include "core/month_almanac.h"

class QLabel;
class QPushButton;
class QTableWidget;

// Asks where to save: (caption, suggested file name, filter) to a path, empty when the
// user cancels. The program asks with QFileDialog; tests answer themselves.
using ChooseSavePath = std::function<QString(const QString& caption, const QString& suggested, const QString& filter)>;

class AlmanacDialog : public QDialog {
  Q_OBJECT
 public:
  // Zone is the place's, PlaceLabel names the place in the title; both must outlive the window.
  AlmanacDialog(MonthAlmanac almanac, const TimeZoneRules& Zone, const QString& PlaceLabel,
                ChooseSavePath choosePath, QWidget* parent = nullptr);

  QTableWidget* Table = nullptr;
  QLabel* EventsLabel = nullptr;   // the month's phases, perigee and apogee
  QLabel* StatusLabel = nullptr;   // where a file went, or why it did not
  QPushButton* SaveCsvBut = nullptr;
  QPushButton* SaveIcsBut = nullptr;
  QPushButton* CloseBut = nullptr;

 signals:
  // The UTC date-time of the moonrise of the row's day.
  void MoonriseChosen(double moonriseUtc);

 public slots:
  void SaveCsvClick();
  void SaveIcsClick();
  void RowClick(int row);

 private:
  void FillTable();
  void Report(const QString& path, const std::optional<QString>& error);

  MonthAlmanac Almanac;
  const TimeZoneRules& Zone;
  ChooseSavePath ChoosePath;
};

// QFileDialog's own save dialog.
QString ChooseSavePathWithDialog(const QString& caption, const QString& suggested, const QString& filter);
