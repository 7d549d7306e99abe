#include "app/screen_fit.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>

QRect FitToScreens(const QRect& Window, const QList<QRect>& Screens, const QMargins& Frame) {
  if (Screens.isEmpty()) return Window;
  const QRect outer(Window.topLeft(), Window.size().grownBy(Frame));
  // The screen the window was mostly on, else the first.
  QRect screen = Screens.front();
  long long most = 0;
  for (const QRect& s : Screens) {
    const QRect common = s.intersected(outer);
    const long long area = static_cast<long long>(common.width()) * common.height();
    if (area > most) {
      most = area;
      screen = s;
    }
  }
  const QSize size = outer.size().boundedTo(screen.size());
  const int left = std::clamp(outer.left(), screen.left(), screen.right() + 1 - size.width());
  const int top = std::clamp(outer.top(), screen.top(), screen.bottom() + 1 - size.height());
  return {QPoint(left, top), size.shrunkBy(Frame).expandedTo(QSize(1, 1))};
}

ScreenFit::ScreenFit(QWidget* Window) : QObject(Window), Window(Window) {}

void ScreenFit::Place(const QRect& Stored) {
  if (!Placed) Window->installEventFilter(this);
  Placed = true;
  FittedFor = Frame();
  QList<QRect> screens;
  for (const QScreen* screen : QGuiApplication::screens()) screens << screen->availableGeometry();
  const QRect r = FitToScreens(Stored, screens, FittedFor);
  Window->move(r.topLeft());
  Window->resize(r.size());
}

QMargins ScreenFit::Frame() const {
  const QRect inner = Window->geometry(), outer = Window->frameGeometry();
  return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
          outer.bottom() - inner.bottom()};
}

// A maximised, full-screen or minimised window is the window manager's to place.
void ScreenFit::Refit() {
  if (Window->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized)) return;
  Place(QRect(Window->pos(), Window->size()));
}

void ScreenFit::WatchScreen(QScreen* screen) {
  disconnect(ScreenArea);
  if (screen) ScreenArea = connect(screen, &QScreen::availableGeometryChanged, this, &ScreenFit::Refit);
}

bool ScreenFit::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Window) {
    if (event->type() == QEvent::Show && !Watching && Window->windowHandle()) {
      Watching = true;
      WatchScreen(Window->screen());
      connect(Window->windowHandle(), &QWindow::screenChanged, this, [this](QScreen* screen) {
        WatchScreen(screen);
        Refit();
      });
    }
    // The window manager has framed the window, or framed it anew.
    const bool placed = event->type() == QEvent::Show || event->type() == QEvent::Move ||
                        event->type() == QEvent::Resize;
    if (placed && Watching && Frame() != FittedFor) Refit();
  }
  return QObject::eventFilter(watched, event);
}
