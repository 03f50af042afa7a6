#include "desktop/OutputWindowView.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QVBoxLayout>

#include "diagnostics/OutputWindow.h"

namespace tandrel::desktop {

OutputWindowView::OutputWindowView(Toutputwindow& model, const QString& name, QWidget* parent)
    : QWidget(parent, Qt::Window), model_(model) {
  setObjectName(name);
  setWindowTitle(QString::fromStdString(model.Caption));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  text_ = new QPlainTextEdit(this);
  text_->setObjectName(QStringLiteral("Screen_Output"));
  text_->setReadOnly(true);
  text_->setLineWrapMode(QPlainTextEdit::NoWrap);
  text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  layout->addWidget(text_);
  layout->addLayout(build_buttons());
  resize(model.Width, model.Height);
  reload();
}

// Save…, Copy and Clear, under the text; each forwards to the model, which
// owns the lines (Copy hands them to the desktop's clipboard).
QHBoxLayout* OutputWindowView::build_buttons() {
  auto* row = new QHBoxLayout;
  row->setContentsMargins(6, 0, 6, 6);
  auto add = [this, row](const char* name, const QString& caption, auto click) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, click);
    row->addWidget(button);
  };
  add("SaveButton", QStringLiteral("&Save\u2026"), [this] { model_.SaveClick(); });
  add("CopyButton", QStringLiteral("&Copy"),
      [this] { QGuiApplication::clipboard()->setText(QString::fromStdString(model_.text())); });
  add("ClearButton", QStringLiteral("C&lear"), [this] { model_.ClearClick(); });
  row->addStretch();
  return row;
}

void OutputWindowView::add_line(const std::string& line) {
  text_->appendPlainText(QString::fromStdString(line));
}

void OutputWindowView::remove_first_lines(std::size_t count) {
  QTextCursor cursor(text_->document());
  cursor.movePosition(QTextCursor::Start);
  for (std::size_t i = 0; i < count; ++i)
    if (!cursor.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor)) {
      cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
      break;
    }
  cursor.removeSelectedText();
}

void OutputWindowView::clear_lines() {
  text_->clear();
}

void OutputWindowView::reload() {
  QStringList lines;
  for (const std::string& line : model_.Screen_Output()) lines << QString::fromStdString(line);
  text_->setPlainText(lines.join('\n'));
  follow_visibility();
}

void OutputWindowView::follow_visibility() {
  if (model_.visible != isVisible()) setVisible(model_.visible);
}

void OutputWindowView::closeEvent(QCloseEvent* event) {
  // The close box hides the window, as the model's hide() does.
  model_.hide();
  event->accept();
}

}  // namespace tandrel::desktop
