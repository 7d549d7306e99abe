// The desktop program as bench_app's process figures start it: the real window, which
// writes "painted" on its standard output at its first paint and "shown" once its
// first hour is drawn, then quits. bare_window.cpp is the reference.
#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <memory>
#include <utility>

#include "app/desktop_window.h"
#include "app/main_form.h"

namespace {

void Say(const char* what) {
  std::printf("%s\n", what);
  std::fflush(stdout);
}

// Says "painted" at the first paint of the widget it watches, then calls next.
class FirstPaint : public QObject {
 public:
  FirstPaint(QWidget& widget, std::function<void()> next) : Next(std::move(next)) { widget.installEventFilter(this); }
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && Next) {
      Say("painted");
      watched->removeEventFilter(this);
      QTimer::singleShot(0, std::exchange(Next, {}));
    }
    return false;
  }

 private:
  std::function<void()> Next;
};

int Program() {
  std::unique_ptr<FirstPaint> watch;
  return RunDesktopWindow([&watch](TForm1& form) {
    watch = std::make_unique<FirstPaint>(form, [&form] {
      const auto shown = [] {
        Say("shown");
        QApplication::quit();
      };
      if (!form.Session().Pending()) return shown();
      QObject::connect(&form.Session(), &ShowSession::Shown, &form, shown, Qt::SingleShotConnection);
    });
  });
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  return Program();
}
