// The reference of the start-up figures: a program with nothing but a bare Qt main
// window of the desktop window's size, linked with Qt Widgets alone, which writes
// "painted" at its first paint and quits.
#include <QApplication>
#include <QMainWindow>
#include <QTimer>
#include <cstdio>

namespace {

class FirstPaint : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      std::printf("painted\n");
      std::fflush(stdout);
      watched->removeEventFilter(this);
      QTimer::singleShot(0, [] { QApplication::quit(); });
    }
    return false;
  }
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.resize(1366, 768);
  FirstPaint watch;
  window.installEventFilter(&watch);
  window.show();
  return QApplication::exec();
}
