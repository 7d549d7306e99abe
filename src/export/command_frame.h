// The NASA frame a menu command works on: the full-quality TIFF rendition of the hour
// shown that matches the view (the 5760 x 3240 Moon for the Moon view), from the
// hemisphere's folder of the year shown.
#pragma once

#include <QString>

#include "export/export_context.h"

struct CommandFrame {
  int Key = 0;         // rendition key: 5760, 1920, 850, 960 or 1080
  QString FileName;    // moon.NNNN.tif, comp.NNNN.tif, orbit.NNNN.tif or globe.NNNN.tif
  QString Url;         // the rendition's folder on NASA's server followed by FileName
  long long Bytes = 0;  // its uncompressed 24-bit size, the length to expect

  // control, with this frame's length to expect, so that a server announcing none
  // still gets the time a file of this size needs.
  DownloadControl Sized(DownloadControl control) const {
    control.ExpectedBytes = Bytes;
    return control;
  }
};

CommandFrame FrameOfCommand(const ExportContext& ctx);
