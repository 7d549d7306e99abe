#include "export/command_frame.h"

#include "nasa/frame_naming.h"

CommandFrame FrameOfCommand(const ProgramState& State) {
  CommandFrame frame;
  frame.Key = GetWidth(State.ViewKind);
  // Every command names the frame of the hour shown.
  frame.FileName = QString::fromStdString(GetFileName(FileKindOf(frame.Key), State.CurrentDateTime));
  frame.Url = QString::fromStdString(
      NasaFrameUrl(frame.Key, State.CurrentDateTime, State.CurrentDateTime, State.Latitude));
  return frame;
}
