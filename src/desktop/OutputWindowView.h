#pragma once

// A Toutputwindow as a window of its own: a read-only text that follows the
// model's lines (added, trimmed from the front, cleared) and its visibility.

#include <QWidget>

class QHBoxLayout;
class QPlainTextEdit;

namespace tandrel {
class Toutputwindow;
}

namespace tandrel::desktop {

class OutputWindowView : public QWidget {
 public:
  OutputWindowView(Toutputwindow& model, const QString& name, QWidget* parent);

  QPlainTextEdit* text() const { return text_; }
  void add_line(const std::string& line);
  void remove_first_lines(std::size_t count);
  void clear_lines();
  // Reads every line and the visibility from the model.
  void reload();
  void follow_visibility();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QHBoxLayout* build_buttons();

  Toutputwindow& model_;
  QPlainTextEdit* text_;
};

}  // namespace tandrel::desktop
