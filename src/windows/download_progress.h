// The progress window of "Download Frames...": its text and where it opens.
#pragma once

#include <QString>

class QProgressDialog;
class QWidget;

// "12 / 168 files, 3.4 MB at 1.2 MB/s, about 0:42 left". The rate and the time left
// only once bytes have come (frames already in the cache come in no time and say
// nothing of the rate), the bytes only once there are any.
QString DownloadProgressText(int done, int total, long long bytes, long long elapsedMs);

// A progress window that blocks nothing, laid out at its full size before it is shown
// and opened centred on parent's window, kept inside the parent's screen.
QProgressDialog* ShowDownloadProgress(int total, QWidget* parent);
