// Pointer events sent straight to a widget, for tests of hover colours and links.
#pragma once

#include <QCoreApplication>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QWidget>

// The pointer entering (true) or leaving (false) widget.
inline void Hover(QWidget* widget, bool enter) {
  if (enter) {
    QEnterEvent event(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QCoreApplication::sendEvent(widget, &event);
  } else {
    QEvent event(QEvent::Leave);
    QCoreApplication::sendEvent(widget, &event);
  }
}

// A left click near the widget's top-left corner.
inline void Click(QWidget* widget) {
  const QPointF at(2, 2);
  QMouseEvent press(QEvent::MouseButtonPress, at, widget->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QMouseEvent release(QEvent::MouseButtonRelease, at, widget->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
  QCoreApplication::sendEvent(widget, &press);
  QCoreApplication::sendEvent(widget, &release);
}
