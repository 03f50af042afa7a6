#include "QtSampleFixture.h"

#include <QLabel>
#include <QMessageBox>
#include <QTimer>
#include <filesystem>

#include "app/Startup.h"
#include "desktop/MainWindow.h"

namespace tandrel::test {

QtSampleFixture::QtSampleFixture() {
  std::filesystem::copy(TANDREL_SOURCE_DIR "/data/sample", dir.path(),
                        std::filesystem::copy_options::recursive);
  platform.set_program_directory(dir.path() + "/");
  runner.observe([this](QWidget& dialog) { on_dialog(dialog); });
  g.platform = &platform;
  install_globals(&g);
}

QtSampleFixture::~QtSampleFixture() {
  windows.reset();
  platform.set_main_widget(nullptr);
  session.release_reference();
  install_globals(nullptr);
}

void QtSampleFixture::start(std::unique_ptr<desktop::DesktopStartup> with) {
  windows = with ? std::move(with) : std::make_unique<desktop::DesktopStartup>(platform, session);
  start_up(g, session, *windows);
}

TGenerateForm& QtSampleFixture::form() {
  return windows->window()->form();
}

void QtSampleFixture::on_dialog(QWidget& dialog) {
  if (auto* box = qobject_cast<QMessageBox*>(&dialog))
    message_texts.push_back(box->text().toStdString());
  // The message at the end of a run goes by its first line; its buttons
  // other than OK are tested where they are pressed.
  const bool run_end = dialog.objectName() == QStringLiteral("RunEndDialog");
  if (run_end) {
    run_end_texts.push_back(
        dialog.findChild<QLabel*>(QStringLiteral("Text"))->text().toStdString());
    message_texts.push_back(run_end_texts.back().substr(0, run_end_texts.back().find('\n')));
  }
  std::function<void(QWidget&)> answer;
  if (!answers_.empty() && !run_end) {
    answer = std::move(answers_.front());
    answers_.erase(answers_.begin());
  } else if (qobject_cast<QMessageBox*>(&dialog) == nullptr && !run_end) {
    ADD_FAILURE() << "unexpected dialog " << dialog.objectName().toStdString();
  }
  QWidget* shown = &dialog;
  // Runs once the dialog's loop is under way.
  QTimer::singleShot(0, shown, [shown, answer] {
    if (answer) answer(*shown);
    if (auto* d = qobject_cast<QDialog*>(shown); d != nullptr && d->isVisible()) d->reject();
  });
}

}  // namespace tandrel::test
