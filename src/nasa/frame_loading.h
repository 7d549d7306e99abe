// Loading the 730-pixel Moon frame of an hour, from NASA's server through the frame
// cache or from the local frame folders. Safe to call from a worker thread.
#pragma once

#include <QImage>

#include "nasa/frame_cache.h"
#include "nasa/frame_naming.h"

// The frame of Hour from the 730 folder of its year and the hemisphere of Latitude
// (a northern frame turned for a south without its own series); a failure names
// why: no series that year, or why it could not be fetched or decoded.
DownloadResult LoadJpgFileUrl(const NasaSite& Site, const FrameCache& Frames, long double Hour,
                              long double Latitude, QImage& FrameJpeg, const DownloadControl& control = {});
// The frame of Hour from the local frame folder (Large: 730, else 216 pixels).
// When no file exists for the hour the result is true and FrameJpeg keeps the frame
// loaded before; a file that cannot be read or decoded gives false.
bool LoadJpgFileLocal(const NasaSite& Site, bool Large, long double Hour, QImage& FrameJpeg);
// One source per call, no fallback: the server when Online, else the local folder.
DownloadResult LoadJpgFile(const NasaSite& Site, const FrameCache& Frames, bool Online, bool Large,
                           long double Hour, long double Latitude, QImage& FrameJpeg,
                           const DownloadControl& control = {});
