#pragma once
// The printer and the screen as Qt offers them: the print dialog and a QPrinter (a printer of
// the system, or a PDF file when the operator chose to print to a file), pictures of the main
// window, and a grab of the screen written as a BMP file's bytes.
#include <QString>
#include <functional>
#include <memory>

#include "common/ports/PrintAndCapture.h"

class QPainter;
class QPrinter;
class QWidget;

namespace kavro::ui {

class QtPrintAndCapture : public PrintAndCapture {
 public:
  QtPrintAndCapture();
  ~QtPrintAndCapture() override;
  // The main window: what Print Screen prints and what a refused screen grab falls back to.
  void SetWindow(QWidget* window) { window_ = window; }
  // The printer the print dialog sets up and every print goes to.
  QPrinter& Printer();
  // Shows the print dialog on the printer; true when the operator accepted it. Tests put a
  // stand-in here that chooses as an operator would.
  std::function<bool(QPrinter& printer, QWidget* parent)> printDialog;

  void SetBusyPointer(bool busy) override;
  std::optional<int> PrinterSetup() override;
  bool BeginPrint(std::string& error) override;
  bool PrintWindowPage(std::string& error) override;
  bool EndPrint(std::string& error) override;
  void AbortPrint() override;
  std::optional<ScreenPicture> GrabScreen(std::string& error) override;

 private:
  void RestoreOutputFile();

  QWidget* window_ = nullptr;
  std::unique_ptr<QPrinter> printer_;
  std::unique_ptr<QPainter> painter_;  // while a job is under way
  QString outputFile_;                 // the PDF chosen; the job is written beside it first
  int pages_ = 0;
};

}  // namespace kavro::ui
