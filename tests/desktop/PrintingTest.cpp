// Printing a data set on the Qt platform: the print job prints into a PDF
// file through the platform's test hook, and pdftotext reads it back to
// compare with the data file of a run to a file with the same selections.

#include <gtest/gtest.h>

#include <QFileDialog>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "QtSampleFixture.h"
#include "desktop/MainWindow.h"
#include "desktop/QtPrinting.h"
#include "ui/GenerateForm.h"

namespace tandrel {
namespace {

// The lines of a text, without line ends, trailing blanks and page breaks;
// empty lines dropped (pdftotext marks the end of a page with one).
std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    std::erase(line, '\f');
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
    if (!line.empty()) lines.push_back(line);
  }
  return lines;
}

// `lines` without the blanks they all start with (the page margin).
std::vector<std::string> unindented(std::vector<std::string> lines) {
  std::size_t indent = std::string::npos;
  for (const std::string& line : lines) indent = std::min(indent, line.find_first_not_of(' '));
  for (std::string& line : lines) line.erase(0, indent);
  return lines;
}

// Reads a printed PDF as fixed-pitch text in the pitch of the printed font,
// whose glyphs are 0.6 of their size wide, so that blanks count.
std::string pdf_text(const std::string& pdf, const std::string& text) {
  if (const char* keep = std::getenv("TANDREL_KEEP_PDF")) std::filesystem::copy_file(pdf, keep);
  const std::string pitch = std::to_string(desktop::QtPrinting::kPointSize * 0.6);
  const std::string command =
      std::string(TANDREL_PDFTOTEXT) + " -fixed " + pitch + " '" + pdf + "' '" + text + "'";
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
  return test::read_file(text);
}

// The pages of a printed text: each page's first line must be its header,
// naming `title` and the page's number; the rest are its printed rows.
std::vector<std::vector<std::string>> pages_of(const std::string& printed,
                                               const std::string& title) {
  std::vector<std::vector<std::string>> pages;
  std::istringstream in(printed);
  for (std::string page; std::getline(in, page, '\f');) {
    std::vector<std::string> rows = unindented(lines_of(page));
    if (rows.empty()) continue;
    const std::string number = "Page " + std::to_string(pages.size() + 1);
    EXPECT_EQ(rows.front().rfind(title, 0), 0u) << rows.front();
    EXPECT_EQ(rows.front().substr(rows.front().size() - number.size()), number) << rows.front();
    rows.erase(rows.begin());
    pages.push_back(rows);
  }
  return pages;
}

// The data lines of printed pages: a row led by the continuation mark is
// joined to the line above.
std::vector<std::string> data_lines(const std::vector<std::vector<std::string>>& pages) {
  std::vector<std::string> lines;
  for (const auto& page : pages)
    for (const std::string& row : page) {
      if (row.rfind("> ", 0) == 0 && !lines.empty())
        lines.back() += row.substr(2);
      else
        lines.push_back(row);
    }
  return lines;
}

class Printing : public test::QtSampleFixture {
 protected:
  Printing() {
    start();
    // One year keeps the job a few pages long.
    TGenerateForm& f = form();
    f.Specified_Yrs.click();
    f.SubYear1Edit.text = "2006";
    f.SubYear1EditExit();
    windows->window()->refresh();
  }
  void go() { windows->window()->findChild<QPushButton*>("CreateDataSetButton")->click(); }
  void print_to(const std::string& pdf) {
    platform.printing().print_to_pdf(pdf);
    form().ToPrinterRadioDial.click();
    go();
  }
  void write_file(const std::string& file) {
    answer([file](QWidget& d) {
      auto& dialog = dynamic_cast<QFileDialog&>(d);
      dialog.selectFile(QString::fromStdString(file));
      static_cast<QDialog&>(dialog).accept();
    });
    form().ToFileRadioDial.click();
    go();
  }
};

TEST_F(Printing, ThePrintedPagesHoldTheLinesOfTheDataFile) {
#ifndef TANDREL_PDFTOTEXT
  GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
#else
  const std::string pdf = dir.file("printed.pdf");
  print_to(pdf);
  ASSERT_TRUE(form().LastRun && form().LastRun->output_written);
  const std::string data = dir.file("same-run.csv");
  write_file(data);
  ASSERT_TRUE(form().LastRun && form().LastRun->output_written);
  EXPECT_EQ(message_texts, (std::vector<std::string>{"Output Complete!", "Output Complete!"}));

  const std::string printed = pdf_text(pdf, dir.file("printed.txt"));
  const std::vector<std::string> expected = lines_of(test::read_file(data));
  ASSERT_GT(expected.size(), 100U);
  const auto pages = pages_of(printed, "");
  EXPECT_EQ(data_lines(pages), expected);
  // More lines than a page holds: the job broke pages.
  EXPECT_GE(pages.size(), 2u);
#endif
}

// The failure once came as three dialogs in a row, the reason only in the
// log; now one message gives the reason and where the log is.
TEST_F(Printing, APrinterThatFailsLeavesTheOutputNotCompletedInOneMessage) {
  print_to(dir.file("no-such-folder/printed.pdf"));
  ASSERT_TRUE(form().LastRun.has_value());
  EXPECT_FALSE(form().LastRun->output_written);
  ASSERT_EQ(run_end_texts.size(), 1u);
  const std::string& text = run_end_texts.front();
  EXPECT_EQ(text.rfind("Output NOT completed: ", 0), 0u) << text;
  EXPECT_NE(text.find(form().LastRun->failure), std::string::npos) << text;
  EXPECT_FALSE(form().LastRun->failure.empty());
  EXPECT_NE(text.find(g.configuration.error_file_name), std::string::npos) << text;
  EXPECT_EQ(message_texts.size(), 1u) << "no other message or dialog";
  const std::string log = test::read_file(g.configuration.error_file_name);
  EXPECT_NE(log.find("Error accessing printer.  Printer could not be opened for output."),
            std::string::npos);
  EXPECT_NE(log.find("Trouble opening/writing to output file."), std::string::npos);
  EXPECT_TRUE(form().CreateDataSetButton.enabled) << "the window unlocks after the failure";
}

// A line wider than the page is wrapped, never cut at the margin: a line
// without blanks and long lines with blanks, over several pages.
TEST_F(Printing, LinesWiderThanThePageWrapWithinItKeepingEveryCharacter) {
#ifndef TANDREL_PDFTOTEXT
  GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
#else
  std::vector<std::string> lines;
  std::string digits;
  for (int i = 0; i < 400; ++i) digits.push_back(static_cast<char>('0' + i % 10));
  lines.push_back(digits);
  for (int n = 0; n < 90; ++n) {
    std::string words;
    for (int i = 0; words.size() < 400; ++i) words += "w" + std::to_string(n * 100 + i) + " ";
    lines.push_back(words.substr(0, 399 - n));
  }
  lines.push_back("short, line");
  const std::string pdf = dir.file("long.pdf");
  auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
  printer->setOutputFormat(QPrinter::PdfFormat);
  printer->setOutputFileName(QString::fromStdString(pdf));
  auto job = desktop::start_print_job(printer, "long-lines.csv");
  for (const std::string& line : lines) job->write_line(line);
  job->close();

  const auto pages = pages_of(pdf_text(pdf, dir.file("long.txt")), "long-lines.csv");
  ASSERT_GE(pages.size(), 3u) << "every page carries its header";
  // A piece that ends in a blank loses it to pdftotext, so the comparison
  // is of the characters other than blanks, in order.
  auto solid = [](std::vector<std::string> all) {
    for (std::string& line : all) std::erase(line, ' ');
    return all;
  };
  EXPECT_EQ(solid(data_lines(pages)), solid(lines));
  const auto width =
      static_cast<std::size_t>(printer->width() / (printer->resolution() * 0.6 * 9 / 72.0));
  for (const auto& page : pages)
    for (const std::string& row : page) EXPECT_LE(row.size(), width) << row;
#endif
}

TEST_F(Printing, CancellingThePrintDialogPrintsNothing) {
  QString shown;
  if (!desktop::QtPrinting::printer_installed()) answer([](QWidget&) {});  // the warning
  answer([&](QWidget& d) {
    shown = d.objectName();
    EXPECT_NE(qobject_cast<QPrintDialog*>(&d), nullptr);
  });
  form().ToPrinterRadioDial.click();
  go();
  EXPECT_EQ(shown, "PrintDialog");
  ASSERT_TRUE(form().LastRun.has_value());
  EXPECT_FALSE(form().LastRun->output_written);
  if (!desktop::QtPrinting::printer_installed()) {
    EXPECT_EQ(message_texts.front(), desktop::QtPrinting::kNoPrinterWarning);
  }
}

TEST_F(Printing, PrinterSetupOpensThePageSetupDialog) {
  QString shown;
  answer([&](QWidget& d) {
    shown = d.objectName();
    EXPECT_NE(qobject_cast<QPageSetupDialog*>(&d), nullptr);
  });
  form().ToPrinterRadioDial.click();
  windows->window()->refresh();
  auto* setup = windows->window()->findChild<QPushButton*>("PrintSetupButton");
  ASSERT_NE(setup, nullptr);
  setup->click();
  EXPECT_EQ(shown, "PrinterSetupDialog");
  EXPECT_TRUE(message_texts.empty());
}

}  // namespace
}  // namespace tandrel
