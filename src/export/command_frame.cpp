#include "export/command_frame.h"

namespace {

constexpr QSize kMoonExportSize(5760, 3240);  // the Moon views' full-quality rendition

}  // namespace

CommandFrame FrameOfCommand(const ExportContext& ctx) {
  CommandFrame frame;
  frame.Key = GetWidth(ctx.View);
  const QSize size = IsMoonView(ctx.View) ? kMoonExportSize : DescriptionOf(ctx.View).FrameSize;
  frame.Bytes = 3LL * size.width() * size.height();
  // Every command names the frame of the hour shown.
  frame.FileName = QString::fromStdString(GetFileName(FileKindOf(frame.Key), ctx.CurrentDateTime));
  frame.Url = QString::fromStdString(
      NasaFrameUrl(ctx.Site, frame.Key, ctx.CurrentDateTime, ctx.Latitude));
  return frame;
}
