// ql2-configurator: the main window on Qt Widgets.
//   --sim-folder DIR    use DIR as the simulator folder for this run, until the user chooses
//   another
//                       in the window (it is not remembered)
//   --screenshot FILE   (for the documentation) save the window as shown at start and quit,
//                       asking no question
//   --screenshot-preview FILE   (for the documentation) the same with the preview of the ATR's
//                       Install, the demo's first click
// With QL2_EXIT_AFTER_PAINT=1 in the environment (for the start-up benchmark) the program prints
// "first-paint-epoch-us N" once the window has first been painted, and quits.
#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <optional>
#include <string>

#include "app/main_window.h"
#include "platform/system.h"
#include "ui/qt/qt_layout.h"
#include "ui/qt/qt_window.h"

namespace {

// How long the preview's picture waits for the dialog to be shown and painted, each time.
constexpr int kPreviewPaintMs = 200;

class FirstPaintReporter : public QObject {
 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint && !seen_) {
      seen_ = true;
      // Reported once this paint has finished.
      QTimer::singleShot(0, [] {
        const auto now = std::chrono::system_clock::now().time_since_epoch();
        std::printf("first-paint-epoch-us %lld\n",
                    static_cast<long long>(
                        std::chrono::duration_cast<std::chrono::microseconds>(now).count()));
        std::fflush(stdout);
        QApplication::quit();
      });
    }
    return false;
  }

 private:
  bool seen_ = false;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("ql2-configurator"));
  QApplication::setWindowIcon(ql2::ProgramIcon());

  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("Wires the Quillever 2 gauge into aircraft."));
  parser.addHelpOption();
  const QCommandLineOption sim_folder_option(
      QStringLiteral("sim-folder"),
      QStringLiteral("Use <dir> as the simulator folder until another is chosen in the window."),
      QStringLiteral("dir"));
  QCommandLineOption screenshot_option(QStringLiteral("screenshot"),
                                       QStringLiteral("Save the start-up window to <file>."),
                                       QStringLiteral("file"));
  screenshot_option.setFlags(QCommandLineOption::HiddenFromHelp);
  QCommandLineOption preview_option(QStringLiteral("screenshot-preview"),
                                    QStringLiteral("Save the preview of a click to <file>."),
                                    QStringLiteral("file"));
  preview_option.setFlags(QCommandLineOption::HiddenFromHelp);
  parser.addOption(sim_folder_option);
  parser.addOption(screenshot_option);
  parser.addOption(preview_option);
  parser.process(application);

  std::optional<std::string> given_folder;
  if (parser.isSet(sim_folder_option)) {
    given_folder = QFile::encodeName(parser.value(sim_folder_option)).toStdString();
  }
  ql2::SystemServices services;

  ql2::QtMainWindow window;
  ql2::MainWindowLogic logic(window, services.fs(), services.finder(), services.shell());
  window.SetLogic(&logic);
  logic.SetGivenFolder(given_folder);
  logic.SetFolderMemory(&services.folder_memory());

  const bool preview = parser.isSet(preview_option);
  const bool screenshot = parser.isSet(screenshot_option) || preview;
  ql2::MainWindowLogic::ScanOptions options;
  options.ask_first_run = !screenshot;
  logic.StartupScan(options);
  FirstPaintReporter first_paint;
  if (qgetenv("QL2_EXIT_AFTER_PAINT") == "1") window.installEventFilter(&first_paint);
  window.show();  // centres itself on the screen

  if (preview) {
    const QString file = parser.value(preview_option);
    int result = 1;
    // The dialog is taken once it is shown and painted, then closed.
    QTimer taker;
    QObject::connect(&taker, &QTimer::timeout, [&] {
      QWidget* dialog = QApplication::activeModalWidget();
      if (dialog == nullptr || !dialog->isVisible()) return;
      taker.stop();
      if (dialog->grab().save(file)) {
        result = 0;
      } else {
        qCritical("cannot write %s", qPrintable(file));
      }
      dialog->close();
    });
    QTimer::singleShot(0, &window, [&] {
      taker.start(kPreviewPaintMs);
      logic.ShowPreview(ql2::ControlId::kInstallAtr);
      QApplication::quit();
    });
    QApplication::exec();
    return result;
  }
  if (screenshot) {
    const QString file = parser.value(screenshot_option);
    int result = 0;
    QTimer::singleShot(0, &window, [&] {
      if (!window.grab().save(file)) {
        qCritical("cannot write %s", qPrintable(file));
        result = 1;
      }
      QApplication::quit();
    });
    QApplication::exec();
    return result;
  }
  return QApplication::exec();
}
