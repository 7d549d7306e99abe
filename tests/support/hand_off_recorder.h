// A HandOff that records what would have been handed to other programs, and says a
// program started for it unless told otherwise.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "export/hand_off.h"

struct HandOffCall {
  std::string Kind;    // the HandOff member that was called
  std::string Target;  // its argument
  bool operator==(const HandOffCall&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const HandOffCall& call) {
  return out << call.Kind << "(" << call.Target << ")";
}

class HandOffRecorder : public HandOff {
 public:
  bool OpenDocument(const QString& Url) override { return Record("OpenDocument", Url); }
  bool OpenWithRegisteredProgram(const QString& FileName) override {
    return Record("OpenWithRegisteredProgram", FileName);
  }
  bool OpenInImageEditor(const QString& FileName) override { return Record("OpenInImageEditor", FileName); }
  bool OpenInNotepad(const QString& FileName) override { return Record("OpenInNotepad", FileName); }
  bool OpenFolder(const QString& Folder) override { return Record("OpenFolder", Folder); }

  std::vector<HandOffCall> Calls;
  bool Starts = true;  // whether a program starts for each call

 private:
  bool Record(const char* kind, const QString& target) {
    Calls.push_back({kind, target.toStdString()});
    return Starts;
  }
};
