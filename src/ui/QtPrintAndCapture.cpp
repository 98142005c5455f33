#include "ui/QtPrintAndCapture.h"

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QPixmap>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QWidget>
#include <cstdio>

namespace kavro::ui {

namespace {

constexpr const char* kNoPrinter =
    "no printer is set up; choose a printer, or printing to a file, in File > Printer Setup";
constexpr const char* kPartSuffix = ".part";

bool ShowPrintDialog(QPrinter& printer, QWidget* parent) {
  QPrintDialog dialog(&printer, parent);
  dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace

QtPrintAndCapture::QtPrintAndCapture() : printDialog(ShowPrintDialog) {}

QtPrintAndCapture::~QtPrintAndCapture() {
  AbortPrint();
}

QPrinter& QtPrintAndCapture::Printer() {
  if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  return *printer_;
}

void QtPrintAndCapture::SetBusyPointer(bool busy) {
  if (busy) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

std::optional<int> QtPrintAndCapture::PrinterSetup() {
  QPrinter& printer = Printer();
  if (!printDialog(printer, window_)) return std::nullopt;
  const int copies = printer.copyCount();
  // The copies are printed as pages of their own: a printer that multiplied each page as well
  // would print copies x copies.
  printer.setCopyCount(1);
  return copies;
}

bool QtPrintAndCapture::BeginPrint(std::string& error) {
  if (painter_) {
    error = "a print is already under way";
    return false;
  }
  QPrinter& printer = Printer();
  if (printer.outputFormat() == QPrinter::PdfFormat) {
    if (printer.outputFileName().isEmpty()) {
      error = kNoPrinter;
      return false;
    }
    // Written under another name and renamed when whole: a failed print leaves no half file.
    outputFile_ = printer.outputFileName();
    printer.setOutputFileName(outputFile_ + kPartSuffix);
  } else if (!printer.isValid() || printer.printerName().isEmpty()) {
    error = kNoPrinter;
    return false;
  }
  painter_ = std::make_unique<QPainter>();
  if (!painter_->begin(&printer)) {
    painter_.reset();
    error = outputFile_.isEmpty()
                ? "the printer " + printer.printerName().toStdString() + " cannot be opened"
                : outputFile_.toStdString() + " cannot be written";
    RestoreOutputFile();
    return false;
  }
  pages_ = 0;
  return true;
}

bool QtPrintAndCapture::PrintWindowPage(std::string& error) {
  if (!painter_ || !window_) {
    error = "no print is under way";
    return false;
  }
  if (pages_ > 0 && !printer_->newPage()) {
    error = "the printer refused a new page";
    return false;
  }
  const QPixmap picture = window_->grab();
  if (picture.isNull()) {
    error = "the main window could not be pictured";
    return false;
  }
  const QRect page = painter_->viewport();
  const QSize size = picture.size().scaled(page.size(), Qt::KeepAspectRatio);
  painter_->drawPixmap(QRect(QPoint(0, 0), size), picture);
  ++pages_;
  return true;
}

bool QtPrintAndCapture::EndPrint(std::string& error) {
  if (!painter_) {
    error = "no print is under way";
    return false;
  }
  const bool ended = painter_->end();
  painter_.reset();
  if (outputFile_.isEmpty()) {
    if (!ended) error = "the printer did not take the job";
    return ended;
  }
  const QString part = printer_->outputFileName();
  const QString target = outputFile_;
  RestoreOutputFile();
  if (!ended) {
    QFile::remove(part);
    error = target.toStdString() + " cannot be written";
    return false;
  }
  // rename() replaces an older file of that name in one step.
  if (std::rename(QFile::encodeName(part).constData(), QFile::encodeName(target).constData()) !=
      0) {
    QFile::remove(part);
    error = target.toStdString() + " cannot be written";
    return false;
  }
  return true;
}

void QtPrintAndCapture::AbortPrint() {
  if (painter_) {
    printer_->abort();
    if (painter_->isActive()) painter_->end();
    painter_.reset();
  }
  if (!outputFile_.isEmpty()) {
    QFile::remove(printer_->outputFileName());
    RestoreOutputFile();
  }
}

void QtPrintAndCapture::RestoreOutputFile() {
  if (outputFile_.isEmpty()) return;
  printer_->setOutputFileName(outputFile_);
  outputFile_.clear();
}

std::optional<ScreenPicture> QtPrintAndCapture::GrabScreen(std::string& error) {
  QScreen* screen =
      window_ && window_->screen() ? window_->screen() : QGuiApplication::primaryScreen();
  ScreenPicture result;
  QPixmap picture;
  if (screen) picture = screen->grabWindow(0);
  if (picture.isNull() && window_) {
    // Some desktops (Wayland) refuse to hand out the screen: the window's own picture instead.
    picture = window_->grab();
    result.wholeScreen = false;
  }
  if (picture.isNull()) {
    error = "neither the screen nor the main window could be pictured";
    return std::nullopt;
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!picture.save(&buffer, "BMP")) {
    error = "the picture could not be written as a bitmap";
    return std::nullopt;
  }
  result.bmp.assign(bytes.constData(), static_cast<std::size_t>(bytes.size()));
  return result;
}

}  // namespace kavro::ui
