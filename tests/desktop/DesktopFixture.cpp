#include "DesktopFixture.h"

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <filesystem>

namespace tandrel::test {

namespace fs = std::filesystem;

DesktopFixture::DesktopFixture() {
  fs::copy(fs::path(TANDREL_SOURCE_DIR) / "data" / "sample", dir.path(),
           fs::copy_options::recursive);
  platform.set_program_directory(dir.path());
  runner.observe([this](QWidget& dialog) { on_dialog(dialog); });
  g.platform = &platform;
  install_globals(&g);
}

DesktopFixture::~DesktopFixture() {
  runner.observe(nullptr);
  session.reset();
  install_globals(nullptr);
  EXPECT_TRUE(answers.empty()) << answers.size() << " scripted answers left";
}

void DesktopFixture::start(const std::string& program_dir) {
  if (!program_dir.empty()) platform.set_program_directory(program_dir);
  session = std::make_unique<desktop::DesktopSession>(g, platform);
  if (memory != nullptr) session->remember_with(*memory);
  session->show_main_window();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window()));
}

void DesktopFixture::click(const char* name) {
  auto* button = widget<QAbstractButton>(name);
  if (button == nullptr) return;
  bring_to_front(button);
  ASSERT_TRUE(button->isVisible() && button->isEnabled()) << name << " cannot be clicked";
  // Check boxes and radio buttons take clicks on their box and caption,
  // not on the empty stretch to their right.
  const bool has_box = qobject_cast<QCheckBox*>(button) || qobject_cast<QRadioButton*>(button);
  const QPoint at = has_box ? QPoint(std::min(8, button->width() / 2), button->height() / 2)
                            : button->rect().center();
  QTest::mouseClick(button, Qt::LeftButton, {}, at);
}

void bring_to_front(QWidget* widget) {
  // A widget on a page that is not shown: the user first clicks its tab.
  for (QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
    QWidget* stack = w->parentWidget();
    if (stack == nullptr) break;
    if (auto* tabs = qobject_cast<QTabWidget*>(stack->parentWidget());
        tabs != nullptr && qobject_cast<QStackedWidget*>(stack) != nullptr)
      tabs->setCurrentWidget(w);
  }
}

void DesktopFixture::choose(const char* name) {
  auto* action = window().findChild<QAction*>(QString::fromLatin1(name));
  ASSERT_NE(action, nullptr) << "no menu item " << name;
  action->trigger();
}

void press_in(QWidget& dialog, const QString& name) {
  if (auto* box = qobject_cast<QMessageBox*>(&dialog); box != nullptr && name == "OK") {
    box->button(QMessageBox::Ok)->click();
    return;
  }
  auto* button = dialog.findChild<QPushButton*>(name);
  if (button == nullptr || !button->isEnabled()) {
    ADD_FAILURE() << "no enabled button " << name.toStdString() << " in "
                  << dialog.objectName().toStdString();
    if (auto* d = qobject_cast<QDialog*>(&dialog)) d->done(QDialog::Rejected);
    return;
  }
  // The click as the button delivers it; a modal dialog of an earlier test
  // may still hold the offscreen platform's mouse.
  button->click();
}

void DesktopFixture::answer_press(std::string button) {
  answer([button](QWidget& dialog) { press_in(dialog, QString::fromStdString(button)); });
}

void DesktopFixture::answer_file(std::string file) {
  answer([file](QWidget& dialog) {
    auto* files = qobject_cast<QFileDialog*>(&dialog);
    if (files == nullptr) {
      ADD_FAILURE() << "expected the save-file dialog, got " << dialog.objectName().toStdString();
      if (auto* d = qobject_cast<QDialog*>(&dialog)) d->done(QDialog::Rejected);
      return;
    }
    // What the user types into the name box.
    auto* name = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (name != nullptr) name->setText(QString::fromStdString(file));
    files->selectFile(QString::fromStdString(file));
    // What the user's Save button does.
    QMetaObject::invokeMethod(files, "accept");
  });
}

void DesktopFixture::on_dialog(QWidget& dialog) {
  seen.push_back(dialog.objectName().toStdString());
  if (auto* box = qobject_cast<QMessageBox*>(&dialog))
    messages.push_back(box->text().toStdString());
  // The message at the end of a run goes by its first line, and its OK
  // answers it unless the script says otherwise.
  const bool run_end = dialog.objectName() == QStringLiteral("RunEndDialog");
  if (run_end) {
    run_end_texts.push_back(
        dialog.findChild<QLabel*>(QStringLiteral("Text"))->text().toStdString());
    messages.push_back(run_end_texts.back().substr(0, run_end_texts.back().find('\n')));
  }
  Answer next;
  if (run_end && (answers.empty() || !answer_run_end)) {
    next = [](QWidget& d) { press_in(d, QStringLiteral("OKButton")); };
  } else if (!answers.empty()) {
    next = std::move(answers.front());
    answers.pop_front();
  } else if (qobject_cast<QMessageBox*>(&dialog) != nullptr) {
    next = [](QWidget& d) { press_in(d, QStringLiteral("OK")); };
  } else {
    next = [](QWidget& d) {
      ADD_FAILURE() << "unexpected dialog " << d.objectName().toStdString();
      if (auto* qd = qobject_cast<QDialog*>(&d)) qd->done(QDialog::Rejected);
    };
  }
  // The answer runs once the dialog's own event loop does.
  // The answer runs once the dialog's own event loop does and its window is
  // on the screen, where clicks reach it.
  QTimer::singleShot(0, &dialog, [next = std::move(next), &dialog] {
    if (!QTest::qWaitForWindowExposed(&dialog)) ADD_FAILURE() << "dialog not shown";
    next(dialog);
  });
}

}  // namespace tandrel::test
