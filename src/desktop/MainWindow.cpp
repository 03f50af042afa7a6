#include "desktop/MainWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QThread>
#include <QVBoxLayout>

#include "desktop/QtPlatform.h"
#include "desktop/RunGate.h"
#include "desktop/VariablePagesView.h"
#include "process/Globals.h"
#include "ui/GenerateForm.h"
#include "ui/MenuKeys.h"

namespace tandrel::desktop {

namespace {

// Ends the program's event loop with `status`. Outside any loop (a test
// drives the window) there is none to end, and telling Qt to exit then
// would end the next dialog's loop at once.
void end_event_loop(int status) {
  if (QThread::currentThread()->loopLevel() > 0) QCoreApplication::exit(status);
}

QString q(const std::string& text) {
  return QString::fromStdString(text);
}

// The item's key from the model; Return's twin on the keypad does the same.
QList<QKeySequence> shortcuts_of(std::string_view id) {
  const QString key =
      QString::fromUtf8(menu_shortcut(id).data(), static_cast<qsizetype>(menu_shortcut(id).size()));
  if (key.isEmpty()) return {};
  QList<QKeySequence> keys{QKeySequence::fromString(key, QKeySequence::PortableText)};
  if (key.endsWith(QStringLiteral("+Return"))) {
    QString keypad = key;
    keypad.replace(QStringLiteral("+Return"), QStringLiteral("+Enter"));
    keys.append(QKeySequence::fromString(keypad, QKeySequence::PortableText));
  }
  return keys;
}

}  // namespace

MainWindow::MainWindow(TGenerateForm& form)
    : form_(form),
      mirror_([this](const std::function<void()>& action) { act(action); }),
      widgets_(form.Controls, form.SelectionTabs, mirror_) {
  setObjectName(QStringLiteral("GenerateForm"));
  setWindowTitle(q(form.Caption));
  QCoreApplication::instance()->installEventFilter(
      new RunGate(this, [this] { return form_.Running(); }));
  build_menus();
  auto* central = new QWidget(this);
  central->setObjectName(QStringLiteral("Central"));
  auto* layout = new QVBoxLayout(central);
  tabs_ = new QTabWidget(central);
  tabs_->setObjectName(QStringLiteral("SelectionTabs"));
  QWidget* main_settings = build_main_settings();
  tabs_->addTab(main_settings, q(form.MainSettingsTab.caption));
  tabs_->addTab(build_output_options(), q(form.OutputOptionsTab.caption));
  tabs_->addTab(build_variables_page(), q(form.VarTab.caption));
  place_other_controls(main_settings);
  connect(tabs_, &QTabWidget::currentChanged, this,
          [this](int page) { form_.SelectionTabs.active_page = page; });
  mirror_.add([this] {
    tabs_->setEnabled(form_.SelectionTabs.enabled);
    if (tabs_->currentIndex() != form_.SelectionTabs.active_page)
      tabs_->setCurrentIndex(form_.SelectionTabs.active_page);
  });
  layout->addWidget(tabs_, 1);
  auto* row = new QHBoxLayout;
  QPushButton* go = mirror_.button(form.CreateDataSetButton, central);
  go->setObjectName(QStringLiteral("CreateDataSetButton"));
  QPushButton* exit = mirror_.button(form.ExitBtn, central);
  exit->setObjectName(QStringLiteral("ExitBtn"));
  row->addWidget(go, 2);
  row->addWidget(exit, 1);
  layout->addLayout(row);
  setCentralWidget(central);
  // The summary names the output file and may be long: it wraps, and the
  // count of cases and columns stands on its own line below it, so that
  // neither is ever cut at the window's edge.
  auto* status = new QWidget(this);
  auto* lines = new QVBoxLayout(status);
  lines->setContentsMargins(0, 0, 0, 0);
  lines->setSpacing(0);
  summary_ = new QLabel(status);
  summary_->setObjectName(QStringLiteral("GoSummary"));
  summary_->setWordWrap(true);
  shape_ = new QLabel(status);
  shape_->setObjectName(QStringLiteral("RunShape"));
  lines->addWidget(summary_);
  lines->addWidget(shape_);
  statusBar()->addWidget(status, 1);
  // Every outermost handler of the model ends with one `changed`: a rule
  // that set other controls, a subset dialog's OK, Load Settings, the start
  // and the end of Go.
  changed_ = form.changed.connect([this] { refresh(); });
  refresh();
}

MainWindow::~MainWindow() = default;

void MainWindow::build_menus() {
  struct Item {
    MenuItemControl& control;
    const char* name;
    bool checkable;
  };
  auto menu = [this](Control& control, const char* name, std::initializer_list<Item> items) {
    QMenu* m = menuBar()->addMenu(q(menu_caption(name, control.caption)));
    m->setObjectName(QString::fromLatin1(name));
    for (const Item& item : items) {
      QAction* a = m->addAction(QString());
      a->setObjectName(QString::fromLatin1(item.name));
      a->setShortcuts(shortcuts_of(item.name));
      mirror_.action(a, item.control, item.checkable, item.name);
    }
    mirror_.add([m, &control] { m->setEnabled(control.enabled); });
  };
  TGenerateForm& f = form_;
  menu(f.FileMenu, "FileMenu",
       {{f.OpenSettings1, "OpenSettings1", false},
        {f.SaveSettingsAs1, "SaveSettingsAs1", false},
        {f.LoadSettings1, "LoadSettings1", false},
        {f.SaveSettings1, "SaveSettings1", false},
        {f.Exit1, "Exit1", false}});
  build_recent_files(menuBar()->findChild<QMenu*>(QStringLiteral("FileMenu")));
  menu(f.CreateDataSetMenu, "CreateDataSetMenu",
       {{f.CreateNow1, "CreateNow1", false},
        {f.ShowOutputWindow1, "ShowOutputWindow1", false},
        {f.DescribeDataSet1, "DescribeDataSet1", false}});
  menu(f.TraceMenu, "TraceMenu",
       {{f.TraceOnMenuItem, "TraceOnMenuItem", true},
        {f.TraceOffMenuItem, "TraceOffMenuItem", true}});
  menu(f.HelpMenu, "HelpMenu",
       {{f.KivoraDocumentation1, "KivoraDocumentation1", false},
        {f.TandrelQuickstartGuide1, "TandrelQuickstartGuide1", false},
        {f.Documentation1, "Documentation1", false},
        {f.About1, "About1", false}});
  // The documents, then a line, then the about box.
  auto* help = menuBar()->findChild<QMenu*>(QStringLiteral("HelpMenu"));
  help->insertSeparator(help->findChild<QAction*>(QStringLiteral("About1")));
}

void MainWindow::build_variable_pages() {
  variable_pages_ = new VariablePagesView(form_, mirror_, this);
  variables_layout_->insertWidget(0, variable_pages_, 1);
  refresh();
}

QSize MainWindow::variable_page_size() const {
  // What the model lays its columns of boxes into: the page less the frame
  // and the row of Select buttons.
  return {490, 360};
}

void MainWindow::refresh() {
  mirror_.refresh();
  if (variable_pages_ != nullptr) variable_pages_->refresh();
  refresh_summary();
}

void MainWindow::refresh_summary() {
  if (summary_ == nullptr) return;
  if (!totals_ || totals_->groups == 0) totals_ = subset_totals(form_.session());
  summary_->setText(q(go_summary(form_, *totals_)));
  // A run does not change the selections; the count stands until it ends.
  if (shape_ != nullptr && !form_.Running()) shape_->setText(q(shape_line_.text(form_)));
}

// The recent settings files sit above Exit, numbered, and are read afresh
// each time the menu opens: Open and Save As change the list.
void MainWindow::build_recent_files(QMenu* file_menu) {
  QAction* exit = file_menu->findChild<QAction*>(QStringLiteral("Exit1"));
  connect(file_menu, &QMenu::aboutToShow, this, [this, file_menu, exit] {
    for (QAction* old : recent_actions_) {
      file_menu->removeAction(old);
      old->deleteLater();
    }
    recent_actions_.clear();
    const std::vector<std::string> files = form_.recent_settings_files();
    for (std::size_t i = 0; i < files.size(); ++i) {
      auto* item = new QAction(q(TGenerateForm::recent_settings_caption(i, files[i])), file_menu);
      item->setObjectName(QStringLiteral("RecentSettings%1").arg(i + 1));
      item->setToolTip(q(files[i]));
      connect(item, &QAction::triggered, this,
              [this, i] { act([this, i] { form_.OpenRecentSettings(i); }); });
      file_menu->insertAction(exit, item);
      recent_actions_.push_back(item);
    }
    if (!files.empty()) recent_actions_.push_back(file_menu->insertSeparator(exit));
  });
}

void MainWindow::act(const std::function<void()>& action) {
  if (closing_) return;
  ++depth_;
  // Guarded and announced by the model: nothing is thrown back into Qt's
  // event loop, and `changed` re-reads the window.
  form_.run_handler(action);
  --depth_;
  after_action();
}

void MainWindow::after_action() {
  if (!exit_status_) exit_status_ = form_.end_requested();
  if (exit_status_) {
    closing_ = true;
    end_event_loop(*exit_status_);
    return;
  }
  if (depth_ == 0 && form_.close_requested) {
    form_.close_requested = false;
    close();
  }
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (!closing_ && !form_.CanClose()) {
    // A run pumps messages under this call: the model must outlive it. The
    // user is asked; a yes stops the run as Stop does, and the window
    // closes once the run has unwound.
    event->ignore();
    if (!form_.close_requested && ask_stop_and_quit()) {
      globals().user_interrupt = true;
      form_.close_requested = true;
    }
    return;
  }
  event->accept();
  closing_ = true;
  end_event_loop(exit_status_.value_or(0));
}

bool MainWindow::ask_stop_and_quit() {
  QMessageBox box(QMessageBox::Question, QStringLiteral("Tandrel"),
                  QStringLiteral("Stop the run and quit?"), QMessageBox::Yes | QMessageBox::No,
                  this);
  box.setObjectName(QStringLiteral("StopAndQuitBox"));
  box.setDefaultButton(QMessageBox::No);
  box.setWindowModality(Qt::ApplicationModal);
  if (auto* platform = dynamic_cast<QtPlatform*>(globals().platform))
    platform->exec_modal(box);
  else
    box.exec();
  return box.clickedButton() == box.button(QMessageBox::Yes);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  // The progress windows are placed in the middle of the window's real size.
  form_.Resize(width(), height());
}

void MainWindow::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange)
    form_.session().main_frame->minimized = isMinimized();
}

}  // namespace tandrel::desktop
