// Takes the pictures in docs/screenshots: the desktop program on the sample
// installation (the splash screen, page by page, a subset dialog, the about
// box, the error dialog), then a real run on a generated installation (its
// progress window, its end message, the main window with its status line,
// its open File menu
// and the trace window afterwards), each grabbed from its
// widget. scripts/screenshots.sh runs it under Xvfb on installations in a
// fixed folder, so no picture shows a temporary one.
#include <QApplication>
#include <QDialog>
#include <QFrame>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <functional>
#include <iostream>
#include <string>

#include "../ScriptedDialogRunner.h"
#include "app/Startup.h"
#include "desktop/DesktopSession.h"
#include "desktop/DesktopStartup.h"
#include "desktop/DiagnosticViews.h"
#include "desktop/MainWindow.h"
#include "desktop/OutputWindowView.h"
#include "desktop/QtPlatform.h"
#include "desktop/SplashView.h"
#include "diagnostics/Error.h"
#include "platform/PreferenceStore.h"
#include "process/Globals.h"
#include "reference/Selections.h"
#include "ui/GenerateForm.h"
#include "ui/SessionMemory.h"

using namespace tandrel;

namespace {

QString out_dir;
// Answers the dialogs the tour pictures; they are Qt's widget dialogs.
test::ScriptedDialogRunner runner;

void save(QWidget& w, const char* name) {
  w.grab().save(out_dir + "/" + name + ".png");
  std::cout << "wrote " << name << ".png\n";
}

void close_dialog(QWidget& d, const char* button) {
  if (auto* b = d.findChild<QPushButton*>(QString::fromLatin1(button))) return b->click();
  if (auto* dialog = qobject_cast<QDialog*>(&d)) dialog->done(QDialog::Rejected);
}

// Start-up that pictures the splash screen right before it goes, when the
// reference data have been read and it names the description in use.
class SplashPicture : public desktop::DesktopStartup {
 public:
  using DesktopStartup::DesktopStartup;
  void close_splash_screen() override {
    if (desktop::SplashView* splash = splash_view()) save(*splash, "splash-screen");
    DesktopStartup::close_splash_screen();
  }
};

void splash_screen(desktop::QtPlatform& platform) {
  ProcessGlobals g;
  g.platform = &platform;
  install_globals(&g);
  {
    Session session;
    SplashPicture startup(platform, session);
    start_up(g, session, startup);
    close_down(g, session);
  }
  install_globals(nullptr);
}

// Runs `body` on a main window shown on the platform's installation, then
// closes the session down.
void with_window(desktop::QtPlatform& platform,
                 const std::function<void(ProcessGlobals&, desktop::DesktopSession&,
                                          desktop::MainWindow&)>& body) {
  ProcessGlobals g;
  g.platform = &platform;
  install_globals(&g);
  {
    desktop::DesktopSession session(g, platform);
    session.show_main_window();
    QApplication::processEvents();
    body(g, session, session.window());
    session.close_down();
  }
  install_globals(nullptr);
}

// The pages, a subset dialog, the about box and the error dialog.
void sample_windows(desktop::QtPlatform& platform) {
  with_window(platform, [&](ProcessGlobals&, desktop::DesktopSession&, desktop::MainWindow& w) {
    auto* tabs = w.findChild<QTabWidget*>(QStringLiteral("SelectionTabs"));
    const char* pages[] = {"main-settings", "output-options", "variables"};
    for (int i = 0; i < 3; ++i) {
      tabs->setCurrentIndex(i);
      QApplication::processEvents();
      save(w, pages[i]);
    }
    auto* var_pages = w.findChild<QTabWidget*>(QStringLiteral("VarTabsPages"));
    var_pages->setCurrentIndex(1);
    QApplication::processEvents();
    save(w, "variable-page");
    for (int p = 0; p < var_pages->count(); ++p)
      if (var_pages->tabText(p) == QStringLiteral("Political Status")) {
        var_pages->setCurrentIndex(p);
        QApplication::processEvents();
        save(w, "political-status");
      }
    tabs->setCurrentIndex(0);

    auto picture_then = [](const char* name, const char* button) {
      runner.observe([name, button](QWidget& d) {
        QTimer::singleShot(300, &d, [&d, name, button] {
          save(d, name);
          close_dialog(d, button);
        });
      });
    };
    // A subset dialog with a filter typed and two groups chosen: pictured,
    // then cancelled.
    runner.observe([](QWidget& d) {
      QTimer::singleShot(300, &d, [&d] {
        if (auto* all_back = d.findChild<QPushButton*>(QStringLiteral("ExAllBtn")))
          if (all_back->isEnabled()) all_back->click();
        auto* source = d.findChild<QListView*>(QStringLiteral("SrcList"));
        auto* filter = d.findChild<QLineEdit*>(QStringLiteral("FilterEdit"));
        if (source != nullptr && filter != nullptr) {
          filter->setText(QStringLiteral("Micronesia"));
          for (int moved = 0; moved < 2; ++moved) {
            source->selectionModel()->select(source->model()->index(0, 0),
                                             QItemSelectionModel::ClearAndSelect);
            d.findChild<QPushButton*>(QStringLiteral("IncludeBtn"))->click();
          }
          filter->setText(QStringLiteral("Haiti"));
        }
        QApplication::processEvents();
        save(d, "subset-dialog");
        close_dialog(d, "Cancel");
      });
    });
    w.findChild<QPushButton*>(QStringLiteral("GroupSubsetButton"))->click();
    picture_then("about-box", "OKButton");
    w.act([&] { w.form().About1.click(); });
    picture_then("error-dialog", "IgnoreButton");
    w.act([] { error("The data file could not be read completely.", 1, noncritical); });
    runner.observe(nullptr);
  });
}

// A run to a data file on a larger installation: the progress window once
// one of them is visible with its bar well under way, and the trace window
// with the run's lines after it.
void generated_run(desktop::QtPlatform& platform, const std::string& data_file) {
  platform::MemoryPreferenceStore store;  // outlives the window that reads it
  SessionMemory memory(store);
  with_window(platform,
              [&](ProcessGlobals&, desktop::DesktopSession& session, desktop::MainWindow& w) {
                // The data file is chosen as the save-file dialog would choose it.
                output_format_type& output = session.session().selections->output_format;
                w.act([&] {
                  output.output_file_name = data_file;
                  output.file_name_chosen = true;
                  output.destination = output_destination_type::DestFile;
                });

                bool pictured = false;
                QTimer during;
                during.setInterval(0);
                QObject::connect(&during, &QTimer::timeout, [&] {
                  if (pictured || !w.form().Running()) return;
                  const auto forms = w.findChildren<QFrame*>(QStringLiteral("ProgressForm"));
                  int visible = 0;
                  QProgressBar* bar = nullptr;
                  for (QFrame* f : forms)
                    if (f->isVisible()) {
                      ++visible;
                      bar = f->findChild<QProgressBar*>(QStringLiteral("ProgressBar"));
                    }
                  if (visible != 1 || bar == nullptr) return;
                  const int span = bar->maximum() - bar->minimum();
                  const int done = bar->value() - bar->minimum();
                  if (span > 0 && done * 5 >= span && done * 5 <= span * 4) {
                    pictured = true;
                    save(w, "progress-window");
                  }
                });
                // The one message of a run is its end: pictured with its cases and files.
                runner.observe([](QWidget& d) {
                  QTimer::singleShot(100, &d, [&d] {
                    save(d, "run-end-message");
                    close_dialog(d, "OK");
                  });
                });
                during.start();
                w.findChild<QPushButton*>(QStringLiteral("CreateDataSetButton"))->click();
                during.stop();
                if (!pictured) std::cerr << "no progress window was seen under way\n";
                QApplication::processEvents();
                save(w, "main-window-after-run");  // the status line counts the run's cases
                // Two settings files kept by earlier sessions, as the menu lists them.
                memory.add_recent_file("/tmp/tandrel/output/five-year.ini");
                memory.add_recent_file("/tmp/tandrel/output/groups-annual.ini");
                w.form().remember_with(memory);
                if (auto* file = w.menuBar()->findChild<QMenu*>(QStringLiteral("FileMenu"))) {
                  file->popup(w.mapToGlobal(QPoint(0, w.menuBar()->height())));
                  QApplication::processEvents();
                  save(*file, "file-menu");
                  file->hide();
                }

                w.act([&] { w.form().TraceOnMenuItem.click(); });
                QApplication::processEvents();
                if (auto* trace = session.views().trace_view()) save(*trace, "trace-window");
                w.act([&] { w.form().TraceOffMenuItem.click(); });
                runner.observe(nullptr);
              });
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 5) {
    std::cerr << "usage: tandrel-screenshot-tour SAMPLE_DIR GENERATED_DIR DATA_FILE OUT_DIR\n";
    return 2;
  }
  out_dir = QString::fromLocal8Bit(argv[4]);
  desktop::QtPlatform platform(runner);
  platform.set_program_directory(argv[1]);
  splash_screen(platform);
  sample_windows(platform);
  platform.set_program_directory(argv[2]);
  generated_run(platform, argv[3]);
  return 0;
}
