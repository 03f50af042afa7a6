// Takes the pictures in docs/screenshots: the desktop program on an
// installation, page by page, a subset dialog, the progress window during a
// run, the trace window and the error dialog, each grabbed from its widget.
// scripts/screenshots.sh runs it under Xvfb.
#include <QApplication>
#include <QDialog>
#include <QFrame>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <iostream>
#include <string>

#include "desktop/DesktopSession.h"
#include "desktop/DiagnosticViews.h"
#include "desktop/MainWindow.h"
#include "desktop/OutputWindowView.h"
#include "desktop/QtPlatform.h"
#include "diagnostics/Error.h"
#include "process/Globals.h"
#include "ui/GenerateForm.h"

using namespace tandrel;

namespace {

QString out_dir;

void save(QWidget& w, const char* name) {
  w.grab().save(out_dir + "/" + name + ".png");
  std::cout << "wrote " << name << ".png\n";
}

void close_dialog(QWidget& d, const char* button) {
  if (auto* b = d.findChild<QPushButton*>(QString::fromLatin1(button))) return b->click();
  if (auto* dialog = qobject_cast<QDialog*>(&d)) dialog->done(QDialog::Rejected);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 3) {
    std::cerr << "usage: tandrel-screenshot-tour PROGRAM_DIR OUT_DIR\n";
    return 2;
  }
  out_dir = QString::fromLocal8Bit(argv[2]);
  desktop::QtPlatform platform;
  platform.set_program_directory(argv[1]);
  platform.set_echo(false);
  ProcessGlobals g;
  g.platform = &platform;
  install_globals(&g);
  {
    desktop::DesktopSession session(g, platform);
    session.show_main_window();
    desktop::MainWindow& w = session.window();
    QApplication::processEvents();
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

    // A subset dialog with a filter typed and two groups chosen: pictured,
    // then cancelled.
    platform.set_dialog_observer([](QWidget& d) {
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

    // The trace window, on through the Trace menu.
    platform.set_dialog_observer(nullptr);
    w.act([&] { w.form().TraceOnMenuItem.click(); });
    QApplication::processEvents();
    if (auto* trace = session.views().trace_view()) save(*trace, "trace-window");
    w.act([&] { w.form().TraceOffMenuItem.click(); });

    // The progress window during a run to the screen; the closing message
    // is answered.
    bool pictured = false;
    QTimer during;
    during.setInterval(0);
    QObject::connect(&during, &QTimer::timeout, [&] {
      if (pictured) return;
      for (QFrame* f : w.findChildren<QFrame*>(QStringLiteral("ProgressForm")))
        if (f->isVisible() && w.form().Running()) {
          pictured = true;
          save(w, "progress-window");
        }
    });
    platform.set_dialog_observer(
        [](QWidget& d) { QTimer::singleShot(100, &d, [&d] { close_dialog(d, "OK"); }); });
    during.start();
    w.findChild<QPushButton*>(QStringLiteral("CreateDataSetButton"))->click();
    during.stop();

    // The error dialog over the window.
    platform.set_dialog_observer([](QWidget& d) {
      QTimer::singleShot(300, &d, [&d] {
        save(d, "error-dialog");
        close_dialog(d, "IgnoreButton");
      });
    });
    w.act([] { error("The data file could not be read completely.", 1, noncritical); });
    platform.set_dialog_observer(nullptr);
    session.close_down();
  }
  install_globals(nullptr);
  return 0;
}
