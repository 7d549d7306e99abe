#include "windows/find_feature_dialog.h"

#include <QCompleter>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QStringList>
#include <QVBoxLayout>

#include "astro/feature_visibility.h"
#include "core/covered_range.h"
#include "core/feature_sun_events.h"

namespace {

// What a name is matched by, typed or listed: its letters without case or accents, and
// any apostrophe as the plain one, so "angstrom" finds Angström and "d’Alembert"
// d'Alembert. No two names of the list share a key.
QString NameKey(const QString& name) {
  QString key;
  for (const QChar c : name.normalized(QString::NormalizationForm_D))
    if (!c.isMark()) key += c == QChar(0x2019) || c == QChar(0x2018) || c == QChar(0x02BC) ? QChar('\'') : c;
  return key.toCaseFolded();
}

// Every feature by its name's key, made once: the completer lists them and the
// lookup finds them by the same keys.
const QHash<QString, const LunarFeature*>& FeaturesByKey() {
  static const QHash<QString, const LunarFeature*> kFeatures = [] {
    QHash<QString, const LunarFeature*> features;
    for (const LunarFeature& f : LunarFeatures()) features.insert(NameKey(QString::fromUtf8(f.Name)), &f);
    return features;
  }();
  return kFeatures;
}

constexpr int kKeyRole = Qt::UserRole;

// The completer matches what is typed by its key against the names' keys, and offers
// and inserts the names as they are written.
class FeatureNameCompleter : public QCompleter {
 public:
  explicit FeatureNameCompleter(QObject* parent) : QCompleter(parent) {
    auto* names = new QStandardItemModel(this);
    const QHash<QString, const LunarFeature*>& features = FeaturesByKey();
    for (auto it = features.cbegin(); it != features.cend(); ++it) {
      auto* item = new QStandardItem(QString::fromUtf8(it.value()->Name));
      item->setData(it.key(), kKeyRole);
      names->appendRow(item);
    }
    names->setSortRole(kKeyRole);
    names->sort(0);
    setModel(names);
    setCompletionRole(kKeyRole);
    setFilterMode(Qt::MatchContains);
  }
  QStringList splitPath(const QString& path) const override { return {NameKey(path)}; }
  QString pathFromIndex(const QModelIndex& index) const override { return index.data(Qt::DisplayRole).toString(); }
};

QString AnswerText(const LunarFeature& f, const FeatureVisibility& seen) {
  const QString what = QStringLiteral("%1: %2, %3 km. ")
                           .arg(QString::fromUtf8(f.Name), QLatin1String(FeatureKindName(f.Kind)))
                           .arg(f.DiameterKm, 0, 'f', 1);
  if (!seen.NearSide) return what + QStringLiteral("On the far side: it cannot be seen at this hour.");
  return what + QStringLiteral("On the near side, %1 (Sun %2\u00B0): it %3 be seen at this hour.")
                    .arg(QLatin1String(SunLightText(seen.Light)))
                    .arg(seen.SunAltitudeDeg, 0, 'f', 2)
                    .arg(seen.CanBeSeen() ? QStringLiteral("can") : QStringLiteral("cannot"));
}

}  // namespace

FindFeatureDialog::FindFeatureDialog(long double shown, HourValuesLookup hourValues, QWidget* parent)
    : QDialog(parent), Shown(shown), Values(hourValues) {
  setWindowTitle(QStringLiteral("Find Feature"));
  NameEdit = new QLineEdit(this);
  NameEdit->setPlaceholderText(QStringLiteral("Name of a crater, sea, mountain or landing site"));
  NameEdit->setCompleter(new FeatureNameCompleter(NameEdit));
  AnswerLab = new QLabel(this);
  AnswerLab->setWordWrap(true);
  SunriseBut = new QPushButton(QStringLiteral("Next Sunrise Over It"), this);
  SunsetBut = new QPushButton(QStringLiteral("Next Sunset Over It"), this);
  auto* layout = new QVBoxLayout(this);
  for (QWidget* w : std::initializer_list<QWidget*>{NameEdit, AnswerLab, SunriseBut, SunsetBut}) layout->addWidget(w);
  connect(NameEdit, &QLineEdit::textChanged, this, &FindFeatureDialog::NameChanged);
  connect(SunriseBut, &QPushButton::clicked, this, [this] { GoToSunEvent(true); });
  connect(SunsetBut, &QPushButton::clicked, this, [this] { GoToSunEvent(false); });
  ShowAnswer();
}

void FindFeatureDialog::SetShownHour(long double shown) {
  Shown = shown;
  ShowAnswer();
}

void FindFeatureDialog::NameChanged() {
  const LunarFeature* found = FeaturesByKey().value(NameKey(NameEdit->text().trimmed()), nullptr);
  const bool another = found != Chosen;
  Chosen = found;
  ShowAnswer();  // also while no name matches: the answer follows every keystroke
  if (another && Chosen) emit FeatureFound(Chosen);
}

void FindFeatureDialog::ShowAnswer() {
  SunriseBut->setEnabled(Chosen != nullptr);
  SunsetBut->setEnabled(Chosen != nullptr);
  if (!Chosen) {
    AnswerLab->setText(NameEdit->text().trimmed().isEmpty() ? QString()
                                                            : QStringLiteral("No feature of that name."));
    return;
  }
  AnswerLab->setText(AnswerText(*Chosen, VisibilityOf(*Chosen, Values(Shown).Values)));
}

void FindFeatureDialog::GoToSunEvent(bool sunrise) {
  if (!Chosen) return;
  const std::optional<long double> hour = NextSunEvent(sunrise ? SunEvent::Sunrise : SunEvent::Sunset,
                                                       Chosen->LatitudeDeg, Chosen->LongitudeDeg, Shown, Values);
  if (!hour) {
    // The search stops at the end of the years the program covers, which may come first.
    const bool rangeEndsFirst = Shown + kSunEventSearchHours / 24.0L >= kRangeEnd;
    AnswerLab->setText(QStringLiteral("The Sun does not %1 over %2 %3.")
                           .arg(sunrise ? QStringLiteral("rise") : QStringLiteral("set"),
                                QString::fromUtf8(Chosen->Name),
                                rangeEndsFirst ? QStringLiteral("before the end of 3999")
                                               : QStringLiteral("within a month of this hour")));
    return;
  }
  emit GoToHour(*hour);
}
