#include "ui/print_output.h"

#include <fmt/format.h>

#include <QBuffer>
#include <QPaintEngine>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <string>

#include "base/failure.h"
#include "base/file_io.h"
#include "paint/text_decoding.h"

namespace navui {

namespace {

// A printer set to a PDF file and not drawing a preview.
bool printsToPdfFile(QPrinter& printer) {
  const QPaintEngine* engine = printer.paintEngine();
  return printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty() && engine &&
         engine->type() == QPaintEngine::Pdf;
}

}  // namespace

void printPages(QPrinter& printer, const PagePainter& paint) {
  if (!printsToPdfFile(printer)) {
    QPainter painter(&printer);
    if (!painter.isActive())
      nav::fail(fmt::format("Impossible d'imprimer sur {}", toWindows1252(printer.printerName())));
    paint(painter, printer, printer.resolution());
    return;
  }
  QBuffer pdfBytes;
  pdfBytes.open(QIODevice::WriteOnly);
  {
    QPdfWriter pdf(&pdfBytes);
    pdf.setPdfVersion(printer.pdfVersion());
    pdf.setResolution(printer.resolution());
    pdf.setPageLayout(printer.pageLayout());
    pdf.setTitle(printer.docName());
    pdf.setCreator(printer.creator());
    QPainter painter(&pdf);
    if (!painter.isActive()) nav::fail("Out of memory");
    paint(painter, pdf, printer.resolution());
  }
  const QString path = printer.outputFileName();
  nav::replaceFileContent(path.toStdString(), pdfBytes.data().toStdString(),
                          fmt::format("Cannot create file {}", toWindows1252(path)));
}

}  // namespace navui
