// orvanel-cli: the engine, the tables, the data panel and the renderer from the command line.
#include <QGuiApplication>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <memory>

#include "cli/cli_run.h"

namespace {

// Qt's own warnings (a missing runtime folder and the like) would mix with the results.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << message.toStdString() << '\n';
}

// Results that did not reach their file (a full disk, say) are a failure: most of
// them are still in the output's buffer when the command returns, so it is emptied
// here, while the failure can still be told and counted.
int OutputWritten(int status, const std::string& command) {
  if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return status;
  std::cerr << "orvanel-cli " << command << ": cannot write the output: " << std::strerror(errno) << '\n';
  return status == 0 ? 1 : status;
}

}  // namespace

int main(int argc, char** argv) {
  qInstallMessageHandler(QuietQtMessages);
  const std::vector<std::string> words(argv + 1, argv + argc);  // before Qt takes its own
  // Text needs a GUI application, for its fonts, never a display. The other commands
  // start without one, a third sooner: its platform and fonts are the most of a start.
  const CliCommand* command = FindCliCommand(words);
  std::unique_ptr<QCoreApplication> app;
  if (command && command->DrawsText) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    app = std::make_unique<QGuiApplication>(argc, argv);
  } else {
    app = std::make_unique<QCoreApplication>(argc, argv);
  }

  return OutputWritten(RunCli(command, words, std::cout), words.empty() ? "help" : words[0]);
}
