// EclipsesDialog: the "Eclipses..." window. It lists the lunar eclipses of a span of
// years (at first the century of the hour shown: 2001 ... 2100 for 2025) with the
// date and time of greatest eclipse (UTC), kind, magnitudes and whether the Moon is up
// at the user's place during it; the chosen row's contacts are shown in UTC and local
// time with the Moon's altitude; the first row current is the eclipse in progress or next
// after the hour shown. A row activated (double click, Enter) or "Go to"
// emits EclipseChosen with its greatest eclipse, for the window to show that instant.
#pragma once

#include <QDialog>
#include <vector>

#include "astro/lunar_eclipses.h"
#include "astro/time_scales.h"

class QLabel;
class QPushButton;
class QSpinBox;
class QTableWidget;

// At most this many years are listed at once, so that the list comes in well under a second.
inline constexpr int kEclipseListMaxYears = 200;

// The first and last year of the century of a UTC instant, the Canon's way (2001 ... 2100),
// within 1600 ... 3999.
struct YearSpan {
  int First, Last;
};
YearSpan CenturyOf(long double x);

class EclipsesDialog : public QDialog {
  Q_OBJECT
 public:
  // shown: the hour the window shows (UTC); the place in degrees (north, east) and its zone.
  EclipsesDialog(long double shown, long double latitude, long double longitude, const TimeZoneRules& zone,
                 QWidget* parent = nullptr);

  // The eclipses listed, in the table's order.
  const std::vector<LunarEclipse>& Listed() const { return listed_; }

  QSpinBox* FromYearBox = nullptr;
  QSpinBox* ToYearBox = nullptr;
  QTableWidget* Table = nullptr;  // Greatest (UTC), Kind, Umbral, Penumbral, Seen from here
  QLabel* Contacts = nullptr;     // the current row's contacts, one per line
  QLabel* InputMessage = nullptr;
  QPushButton* GoButton = nullptr;

 signals:
  void EclipseChosen(long double greatest);

 private:
  void ListSpan();
  void ShowContacts();
  void ChooseCurrent();

  long double shown_, latitude_, longitude_;
  const TimeZoneRules& zone_;
  std::vector<LunarEclipse> listed_;
};
