// The main window kept on the screen it is on, its frame (the title bar and borders
// the window manager adds) included. The frame's size is known only once the window
// is shown and framed, so the window is placed at start-up with the frame known then
// (none before the first showing) and placed again when the frame becomes known, when
// it moves to another screen and when its screen's free area changes.
#pragma once

#include <QList>
#include <QMargins>
#include <QObject>
#include <QRect>

class QScreen;
class QWidget;

// A window brought onto the available screens. Window is given as QWidget's move()
// and resize() take it: the frame's top-left corner and the inner size; Frame is what
// the frame adds around the inner size. The frame ends up no larger than the screen
// the window was mostly on (the first when on none) and wholly inside it.
QRect FitToScreens(const QRect& Window, const QList<QRect>& Screens, const QMargins& Frame = {});

class ScreenFit : public QObject {
  Q_OBJECT
 public:
  explicit ScreenFit(QWidget* Window);
  // Moves and sizes the window to Stored (as FitToScreens takes it), brought onto the
  // screens, and keeps it on them from then on; first called before the window is shown.
  void Place(const QRect& Stored);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QMargins Frame() const;
  void Refit();
  void WatchScreen(QScreen* screen);

  QWidget* Window;
  QMargins FittedFor;  // the frame the last placing allowed for
  bool Placed = false;
  bool Watching = false;
  QMetaObject::Connection ScreenArea;
};
