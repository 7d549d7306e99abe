// The program's worker pools, built once in main() (and by tests) and given to what
// runs on them, so that no work lands on Qt's global pool and one kind of work cannot
// hold up another: a long export never delays the next frame. The prefetcher keeps
// a pool of its own.
#pragma once

#include <QThread>
#include <QThreadPool>
#include <algorithm>

struct WorkerPools {
  WorkerPools() {
    // Frame fetches mostly wait on the network: enough threads that a stalled or
    // cancelled transfer never keeps the newest request waiting.
    Show.setMaxThreadCount(4);
    Exports.setMaxThreadCount(2);
    // The drawing thread takes a share of the rows itself.
    DrawnMoonRows.setMaxThreadCount(std::max(1, QThread::idealThreadCount() - 1));
  }
  WorkerPools(const WorkerPools&) = delete;
  WorkerPools& operator=(const WorkerPools&) = delete;

  // The show's fetches draw Moons on DrawnMoonRows: it goes last.
  QThreadPool DrawnMoonRows;  // the rows of a drawn Moon
  QThreadPool Show;           // the show requests' frame fetches
  QThreadPool Exports;        // the menu commands' downloads and "Download Frames"
};
