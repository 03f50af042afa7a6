#include "desktop/QtPrinting.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStringDecoder>

#include "platform/PrintLayout.h"
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
  QtPrintJob(std::shared_ptr<QPrinter> printer, std::string title)
      : printer_(std::move(printer)), title_(std::move(title)) {
    if (!painter_.begin(printer_.get()))
      throw EInOutError("The printer could not be opened for output");
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    font.setPointSize(QtPrinting::kPointSize);
    painter_.setFont(font);
    const QFontMetricsF metrics(font, printer_.get());
    line_height_ = metrics.lineSpacing();
    const qreal pitch = metrics.horizontalAdvance(QLatin1Char('M'));
    columns_ = pitch > 0 ? static_cast<std::size_t>(printer_->width() / pitch) : 1;
  }

  ~QtPrintJob() override {
    if (painter_.isActive()) painter_.end();
  }

  void write_line(std::string_view line) override {
    if (!painter_.isActive()) throw EInOutError("The print job is closed");
    const std::u32string text = platform::expand_tabs(printable(line).toStdU32String());
    for (const std::u32string& piece : platform::wrap_line(text, columns_))
      draw_row(QString::fromStdU32String(piece));
  }

  void close() override {
    if (!painter_.isActive()) throw EInOutError("The print job is closed");
    if (page_ == 0) start_page();  // an empty job still names its data set
    if (!painter_.end()) throw EInOutError("The printer could not finish the job");
    check();
  }

 private:
  void start_page() {
    if (page_ > 0 && !printer_->newPage())
      throw EInOutError("The printer could not start a new page");
    ++page_;
    draw_text(0, QString::fromStdString(platform::page_header(title_, page_, columns_)));
    y_ = 2 * line_height_;  // the header, then one blank line
  }

  void draw_row(const QString& text) {
    if (page_ == 0 || y_ + line_height_ > printer_->height()) start_page();
    if (!text.isEmpty()) draw_text(y_, text);
    y_ += line_height_;
    check();
  }

  void draw_text(qreal y, const QString& text) {
    painter_.drawText(QRectF(0, y, printer_->width(), line_height_),
                      Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text);
  }

  void check() const {
    if (printer_->printerState() == QPrinter::Error ||
        printer_->printerState() == QPrinter::Aborted)
      throw EInOutError("The printer reported an error");
  }

  std::shared_ptr<QPrinter> printer_;
  std::string title_;
  QPainter painter_;
  qreal line_height_ = 0;
  std::size_t columns_ = 1;
  int page_ = 0;
  qreal y_ = 0;
};

}  // namespace

std::unique_ptr<platform::PrintJob> start_print_job(std::shared_ptr<QPrinter> printer,
                                                    std::string title) {
  return std::make_unique<QtPrintJob>(std::move(printer), std::move(title));
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
    return start_print_job(std::move(pdf), request.title);
  }
  QPrinter& chosen = printer();
  QPrintDialog dialog(&chosen, parent);
  dialog.setObjectName(QStringLiteral("PrintDialog"));
  dialog.setOption(QAbstractPrintDialog::PrintToFile, request.show_print_to_file);
  dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
  exec_(dialog);
  if (dialog.result() != QDialog::Accepted) return nullptr;
  return start_print_job(printer_, request.title);
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
