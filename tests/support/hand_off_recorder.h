// A HandOff that records what would have been handed to other programs.
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
  void OpenDocument(const QString& Url) override { Record("OpenDocument", Url); }
  void OpenWithRegisteredProgram(const QString& FileName) override { Record("OpenWithRegisteredProgram", FileName); }
  void OpenInImageEditor(const QString& FileName) override { Record("OpenInImageEditor", FileName); }
  void OpenInNotepad(const QString& FileName) override { Record("OpenInNotepad", FileName); }
  void OpenFolder(const QString& Folder) override { Record("OpenFolder", Folder); }

  std::vector<HandOffCall> Calls;

 private:
  void Record(const char* kind, const QString& target) { Calls.push_back({kind, target.toStdString()}); }
};
