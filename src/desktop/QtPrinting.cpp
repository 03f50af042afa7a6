#include "desktop/QtPrinting.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStringDecoder>

#include "process/Exceptions.h"

namespace tandrel::desktop {

namespace {

// Data files may hold Latin-1 text as well as UTF-8: a line that is not
// valid UTF-8 is printed as Latin-1 rather than with replacement marks.
QString printable(std::string_view line) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = utf8.decode(QByteArrayView(line.data(), static_cast<qsizetype>(line.size())));
  if (!utf8.hasError()) return text;
  return QString::fromLatin1(line.data(), static_cast<qsizetype>(line.size()));
}

class QtPrintJob : public platform::PrintJob {
 public:
  explicit QtPrintJob(std::shared_ptr<QPrinter> printer) : printer_(std::move(printer)) {
    if (!painter_.begin(printer_.get()))
      throw EInOutError("The printer could not be opened for output");
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    font.setPointSize(QtPrinting::kPointSize);
    painter_.setFont(font);
    const QFontMetricsF metrics(font, printer_.get());
    line_height_ = metrics.lineSpacing();
  }

  ~QtPrintJob() override {
    if (painter_.isActive()) painter_.end();
  }

  void write_line(std::string_view line) override {
    if (!painter_.isActive()) throw EInOutError("The print job is closed");
    if (y_ > 0 && y_ + line_height_ > printer_->height()) {
      if (!printer_->newPage()) throw EInOutError("The printer could not start a new page");
      y_ = 0;
    }
    if (!line.empty())
      painter_.drawText(QRectF(0, y_, printer_->width(), line_height_),
                        Qt::AlignLeft | Qt::AlignTop | Qt::TextExpandTabs | Qt::TextDontClip,
                        printable(line));
    y_ += line_height_;
    check();
  }

  void close() override {
    if (!painter_.isActive()) throw EInOutError("The print job is closed");
    if (!painter_.end()) throw EInOutError("The printer could not finish the job");
    check();
  }

 private:
  void check() const {
    if (printer_->printerState() == QPrinter::Error ||
        printer_->printerState() == QPrinter::Aborted)
      throw EInOutError("The printer reported an error");
  }

  std::shared_ptr<QPrinter> printer_;
  QPainter painter_;
  qreal line_height_ = 0;
  qreal y_ = 0;
};

}  // namespace

std::unique_ptr<platform::PrintJob> start_print_job(std::shared_ptr<QPrinter> printer) {
  return std::make_unique<QtPrintJob>(std::move(printer));
}

QtPrinting::QtPrinting(std::function<void(QDialog&)> exec) : exec_(std::move(exec)) {}

QtPrinting::~QtPrinting() = default;

QPrinter& QtPrinting::printer() {
  if (!printer_) printer_ = std::make_shared<QPrinter>(QPrinter::HighResolution);
  return *printer_;
}

std::unique_ptr<platform::PrintJob> QtPrinting::print_dialog(const platform::PrintRequest& request,
                                                             QWidget* parent) {
  if (pdf_file_) {
    auto pdf = std::make_shared<QPrinter>(QPrinter::HighResolution);
    pdf->setOutputFormat(QPrinter::PdfFormat);
    pdf->setOutputFileName(QString::fromStdString(*pdf_file_));
    return start_print_job(std::move(pdf));
  }
  QPrinter& chosen = printer();
  QPrintDialog dialog(&chosen, parent);
  dialog.setObjectName(QStringLiteral("PrintDialog"));
  dialog.setOption(QAbstractPrintDialog::PrintToFile, request.show_print_to_file);
  dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
  exec_(dialog);
  if (dialog.result() != QDialog::Accepted) return nullptr;
  return start_print_job(printer_);
}

bool QtPrinting::printer_installed() {
  return !QPrinterInfo::availablePrinterNames().isEmpty();
}

void QtPrinting::page_setup_dialog(QWidget* parent) {
  QPageSetupDialog dialog(&printer(), parent);
  dialog.setObjectName(QStringLiteral("PrinterSetupDialog"));
  exec_(dialog);
}

}  // namespace tandrel::desktop
