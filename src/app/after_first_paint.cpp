#include "app/after_first_paint.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <utility>

AfterFirstPaint::AfterFirstPaint(QWidget& widget, std::function<void()> work) : QObject(&widget), Work(std::move(work)) {
  widget.installEventFilter(this);
}

bool AfterFirstPaint::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Paint && Work) {
    watched->removeEventFilter(this);
    QTimer::singleShot(0, this, std::exchange(Work, {}));
  }
  return false;
}
