// The show session: the one owner of the hour shown. It holds the place, the view,
// the step, the direction and the animation; its methods are the user's intents.
// Each intent that moves the hour computes the hour's record at once and has its
// frames fetched on the show pool; the newest request wins, and a request overtaken
// by a newer one has its transfers cancelled. When the frames come (or, for a slow
// frame, the drawn Moon standing in after kStandInAfterMs) the session says so with
// one Shown signal that carries everything the window paints. It knows no widget:
// the window and `orvanel-cli navigate` drive it alike.
#pragma once

#include <QDate>
#include <QObject>
#include <QTimer>
#include <QElapsedTimer>
#include <memory>
#include <optional>

#include "core/moon_record.h"
#include "core/rise_set_cache.h"
#include "core/view_kind.h"
#include "nasa/running_downloads.h"
#include "session/fetched_frames.h"
#include "session/session_services.h"

// A frame slower than this is stood in for by the drawn Moon until it comes, so that
// a slow or stalled server never leaves the window without its hour.
inline constexpr int kStandInAfterMs = 1500;
// The animation's highest rate: with cached frames it would otherwise race through them.
inline constexpr int kAnimationStepsPerSecond = 30;

// What the window paints for one hour: the panel's record and the pictures.
struct ShownHour {
  long double Hour = 0;  // UTC
  MoonRecord Record;
  FetchedFrames Frames;
  ViewKind View = ViewKind::Moon;
  bool StandIn = false;  // the drawn Moon while NASA's frame is still on its way
};

class ShowSession : public QObject {
  Q_OBJECT
 public:
  explicit ShowSession(const SessionServices& services, QObject* parent = nullptr);
  ~ShowSession() override;

  // The hour shown (UTC): the newest hour asked for, whose record is Record().
  long double HourShown() const { return Hour; }
  const MoonRecord& Record() const { return CurrentRecord; }
  // True while the newest request waits for its frames.
  bool Pending() const { return PendingRequest != nullptr; }
  bool Animating() const { return AnimationOn; }

  long double Latitude() const { return Lat; }
  long double Longitude() const { return Lon; }
  ViewKind View() const { return CurrentView; }
  int Step() const { return StepHours; }
  bool Reverse() const { return Backwards; }
  bool Online() const { return OnlineFiles; }
  bool NasaFrameInEclipse() const { return NasaInEclipse; }

  // Settings of the show, read by the next show (ShowAgain shows them at once).
  void SetPlace(long double latitude, long double longitude);
  // The place's height above sea level, metres, for the Moon as seen from it.
  void SetElevation(int metres) { ElevationMetres = metres; }
  int ElevationM() const { return ElevationMetres; }
  void SetView(ViewKind view);
  void SetStep(int hours);  // 1 ... 24
  void SetReverse(bool reverse);
  void SetOnline(bool online);
  // NASA's frame during a lunar eclipse, which it does not show; else the drawn Moon
  // with the Earth's shadow.
  void SetNasaFrameInEclipse(bool nasa);
  // How long a frame may take before the drawn Moon stands in; kStandInAfterMs unless
  // set (a test of the stand-in need not wait that long).
  void SetStandInAfter(int ms) { StandInTimer.setInterval(ms); }

  // The intents. While the animation runs only StopAnimation, Reverse and the
  // settings act; the others are ignored, as the window's controls are then off.
  void Next();
  void Previous();
  void DayForward();
  void DayBack();
  void Now();
  void GoTo(long double instant);
  void GoToCalendarDay(const QDate& localDay);  // its local midnight, to the hour
  void NextFullMoon();
  void PreviousFullMoon();
  void NextEclipse();      // to the greatest eclipse of the next lunar eclipse
  void PreviousEclipse();
  void MaxAltitude();
  void MinAltitude();
  void StartAnimation();
  void StopAnimation();
  void ToggleReverse() { SetReverse(!Backwards); }
  // The hour shown again (after a change of the settings or of what the pictures show);
  // while the animation runs, its next step shows them, or at once the hour on its way.
  void ShowAgain();

 signals:
  // A request for the hour has started; Shown follows.
  void Loading(long double hour);
  // The hour is shown: with its frames, or with the drawn Moon standing in (StandIn),
  // in which case a second Shown follows when the frames come.
  void Shown(const ShownHour& hour);

 private:
  struct Request;
  void MoveTo(long double x);
  // Shows x, or the covered range's nearest hour when x lies outside it.
  void Show(long double asked);
  void PrefetchAfter(long double from, long double x);
  void StandIn();
  void Finished(const std::shared_ptr<Request>& request, const FetchedFrames& frames);
  void AnimationStep();
  void ScheduleAnimationStep();
  void MoveFullMoon(bool forward);
  void MoveEclipse(bool forward);
  void GoToExtreme(bool highest);

  SessionServices Svc;
  long double Hour;
  MoonRecord CurrentRecord{};
  long double Lat, Lon;
  int ElevationMetres = 0;
  ViewKind CurrentView = ViewKind::Moon;
  int StepHours = 2;
  bool Backwards = false;
  bool OnlineFiles = true;
  bool AnimationOn = false;
  bool NasaInEclipse = false;
  bool MapsAsked = false;  // the Moon maps' decoding has been started
  // The exact instant of the full moon or eclipse last jumped to, while its hour is the
  // one shown: the next jump of that kind searches from there, so jumps neither skip
  // nor repeat an event.
  enum class EventKind { FullMoon, Eclipse };
  struct EventCursor {
    EventKind Kind;
    long double Instant;
  };
  std::optional<EventCursor> Cursor;
  RiseSetCache RiseSets;
  QImage LastJpeg;  // the local folder's frame stays when it has none for the hour
  RunningDownloads Downloads;
  std::shared_ptr<Request> PendingRequest;
  QTimer StandInTimer;
  QTimer AnimationTimer;
  QElapsedTimer AnimationClock;
  qint64 NextStepDueNs = 0;  // when, on AnimationClock, the next step may start
};
