// A SavePictureDialog that answers from a script and records what it was shown with.
#pragma once

#include <QString>

#include <deque>
#include <optional>
#include <vector>

#include "export/save_picture_dialog.h"

class ScriptedSaveDialog : public SavePictureDialog {
 public:
  struct Shown {
    QString FileName, Filter, InitialDir;
  };

  bool Execute() override {
    ShownWith.push_back({FileName, Filter, InitialDir});
    if (Answers.empty()) return false;
    const std::optional<QString> answer = Answers.front();
    Answers.pop_front();
    if (!answer) return false;
    FileName = *answer;
    return true;
  }

  std::deque<std::optional<QString>> Answers;  // nothing: the user cancels
  std::vector<Shown> ShownWith;
};
