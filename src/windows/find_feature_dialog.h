// FindFeatureDialog: "Find Feature..." finds a named feature of the Moon (the name
// completes as it is typed), says whether it can be seen at the hour shown (on the
// near side and sunlit) and offers the next hours at which the Sun rises or sets
// over it. It changes no hour itself: the window moves to the hour it is handed.
#pragma once

#include <QDialog>

#include "astro/lunar_features.h"
#include "core/calculate_data.h"

class QLabel;
class QLineEdit;
class QPushButton;

class FindFeatureDialog : public QDialog {
  Q_OBJECT
 public:
  // shown is the hour the window shows (UTC day number); hourValues gives any hour's values.
  FindFeatureDialog(long double shown, HourValuesLookup hourValues, QWidget* parent = nullptr);

  // The window shows another hour: the answer is given again for it.
  void SetShownHour(long double shown);
  // The feature named in the box; none while the text names none.
  const LunarFeature* Feature() const { return Chosen; }

  QLineEdit* NameEdit = nullptr;
  QLabel* AnswerLab = nullptr;
  QPushButton* SunriseBut = nullptr;  // "Next Sunrise Over It"
  QPushButton* SunsetBut = nullptr;   // "Next Sunset Over It"

 signals:
  // A feature has been named: the window marks it on the picture.
  void FeatureFound(const LunarFeature* feature);
  // The hour to show next: the first after the hour shown with the Sun risen (set) over the feature.
  void GoToHour(long double hour);

 private:
  void NameChanged();
  void ShowAnswer();
  void GoToSunEvent(bool sunrise);

  long double Shown;
  HourValuesLookup Values;
  const LunarFeature* Chosen = nullptr;
};
