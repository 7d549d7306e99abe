// Loading the 730-pixel Moon frame of an hour into FrameJpeg, from NASA's server or
// from the local frame folders. The main window calls these with its own state.
#pragma once

#include <QImage>

// The frame of Instant from the 730 folder of the year of CurrentDateTime and the
// hemisphere of Latitude; false when it cannot be fetched or decoded.
bool LoadJpgFileUrl(long double Instant, long double CurrentDateTime, long double Latitude, QImage& FrameJpeg);
// The frame of Instant from the local frame folder (Large: 730, else 216 pixels).
// When no file exists for the hour the result is true and FrameJpeg keeps the frame
// loaded before; a file that cannot be read or decoded gives false.
bool LoadJpgFileLocal(bool Large, long double Instant, long double CurrentDateTime, QImage& FrameJpeg);
// One source per call, no fallback: the server when Online, else the local folder.
bool LoadJpgFile(bool Online, bool Large, long double Instant, long double CurrentDateTime, long double Latitude,
                 QImage& FrameJpeg);
