#pragma once

// The main window: a mirror of the TGenerateForm model. It builds one widget
// per model control, forwards every user action to the control's handler,
// and re-reads the model after each change. Closing asks the model first.

#include <QMainWindow>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "desktop/ControlMirror.h"
#include "desktop/RegisteredWidgets.h"
#include "process/Signal.h"
#include "ui/GoSummary.h"
#include "ui/RunShapeLine.h"

class QAction;
class QLabel;
class QMenu;
class QTabWidget;
class QPushButton;
class QVBoxLayout;

namespace tandrel {
class TGenerateForm;
}

namespace tandrel::desktop {

class VariablePagesView;

class MainWindow : public QMainWindow {
 public:
  explicit MainWindow(TGenerateForm& form);
  ~MainWindow() override;

  TGenerateForm& form() { return form_; }
  // Builds the variable pages once the model has them.
  void build_variable_pages();
  // Re-reads every control of the model.
  void refresh();
  // Runs a user action on the model, then re-reads the window and acts on
  // an exit the model asked for.
  void act(const std::function<void()>& action);
  // The exit status the model asked the program to end with, once it did.
  std::optional<int> exit_status() const { return exit_status_; }
  // The client size of a variable page in this window's font.
  QSize variable_page_size() const;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void build_menus();
  void build_recent_files(QMenu* file_menu);
  QWidget* build_main_settings();
  QWidget* build_unit_box();
  QWidget* build_nonkiv_box();
  QWidget* build_period_box();
  QWidget* build_interpolation_box();
  QWidget* build_years_box();
  QWidget* build_output_options();
  QWidget* build_variables_page();
  // The pages' controls that no page placed, under the stretch of `page`.
  void place_other_controls(QWidget* page);
  void after_action();
  // The status bar's line of what Go would build.
  void refresh_summary();
  // "Stop the run and quit?": true for yes.
  bool ask_stop_and_quit();

  TGenerateForm& form_;
  ControlMirror mirror_;
  // The File menu's recent settings files and their separator.
  std::vector<QAction*> recent_actions_;
  // The widgets of the controls registered on the pages.
  RegisteredWidgets widgets_;
  QTabWidget* tabs_ = nullptr;
  QVBoxLayout* variables_layout_ = nullptr;
  VariablePagesView* variable_pages_ = nullptr;
  QLabel* summary_ = nullptr;
  // Beside it: the cases and columns Go would write.
  QLabel* shape_ = nullptr;
  TRunShapeLine shape_line_;
  // Read once the reference data is there; it does not change afterwards.
  std::optional<SubsetTotals> totals_;
  std::optional<int> exit_status_;
  int depth_ = 0;
  bool closing_ = false;
  Connection changed_;
};

}  // namespace tandrel::desktop
