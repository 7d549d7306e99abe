// A main window for the menu and keyboard tests: built with the test's services, its
// save dialog scripted, and the export folders under the test's own home folder.
#pragma once

#include <memory>

#include "app/main_form.h"
#include "support/scripted_save_dialog.h"
#include "support/window_test.h"

class ScriptedWindowTest : public WindowTest {
 protected:
  void SetUp() override {
    qputenv("HOME", Config()->path().toUtf8());
    Form = std::make_unique<TForm1>(MakeServices());
    auto dialog = std::make_unique<ScriptedSaveDialog>();
    Dialog = dialog.get();
    Form->SetSaveDialog(std::move(dialog));
  }
  void TearDown() override { Form.reset(); }

  std::unique_ptr<TForm1> Form;
  ScriptedSaveDialog* Dialog = nullptr;
};
