// Start-up work the window's first picture does not need: it runs once the window has
// painted for the first time, on the next turn of the event loop, so the user sees the
// whole window before it. A zero timer started at show() would run before that paint:
// the event loop hands out posted events before the window is exposed.
#pragma once

#include <QObject>
#include <functional>

class QWidget;

class AfterFirstPaint : public QObject {
 public:
  AfterFirstPaint(QWidget& widget, std::function<void()> work);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::function<void()> Work;
};
