#include "app/desktop_window.h"

#include <QApplication>
#include <QIcon>

#include "app/after_first_paint.h"
#include "app/main_form.h"
#include "app/services.h"
#include "core/settings_store.h"
#include "core/system_time_zone.h"
#include "export/desktop_hand_off.h"

int RunDesktopWindow(const std::function<void(TForm1&)>& started) {
  QGuiApplication::setDesktopFileName(QStringLiteral("io.github.quenhalse.Orvanel"));
  QApplication::setApplicationName("Orvanel");
  QApplication::setOrganizationName("Quenhalse");
  const SystemClock clock;
  const SystemTimeZone zone;
  const Downloader fetch;
  DesktopHandOff shell;
  const FrameCache frames(DefaultFrameCacheFolder(), fetch, ReadSettings().FrameCacheBytes());
  FramePrefetcher prefetch(frames);
  WorkerPools pools;
  const Services services{clock, zone, DefaultNasaSite(), fetch, shell, frames, &prefetch, pools};
  TForm1 form(services, nullptr, TForm1::Controls::AfterFirstPaint);
  form.ReadIniFile();
  form.show();
  if (started) started(form);
  // The controls, the hour's record and frames come once the window is on the screen,
  // and the icon (its SVG reader is a plug-in to load) is given then.
  new AfterFirstPaint(form, [&form] {
    form.BuildControls();
    form.InitialShow();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/orvanel.svg")));
  });
  return QApplication::exec();
}
