#include "export/command_frame.h"

CommandFrame FrameOfCommand(const ExportContext& ctx) {
  CommandFrame frame;
  frame.Key = GetWidth(ctx.View);
  // Every command names the frame of the hour shown.
  const std::string fileName = GetFileName(FileKindOf(frame.Key), ctx.CurrentDateTime);
  frame.FileName = QString::fromStdString(fileName);
  frame.Bytes = FrameFileBytes(fileName).value_or(0);
  frame.Url = QString::fromStdString(
      NasaFrameUrl(ctx.Site, frame.Key, ctx.CurrentDateTime, ctx.Latitude));
  return frame;
}
