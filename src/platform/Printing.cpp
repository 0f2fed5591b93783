#include "platform/Printing.h"

#include "platform/Environment.h"

#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTextDocument>

namespace tc {

namespace {
bool gTestMode = false;
QString gTestPdf;
QStringList gPrinted;
} // namespace

void Printing::preview(QWidget* parent, QTextDocument& document, const QString& title) {
    if (gTestMode) {
        gPrinted << title;
        if (!gTestPdf.isEmpty()) {
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(gTestPdf);
            printer.setDocName(title);
            document.print(&printer);
        }
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(title);
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle(title);
    Environment::keepAboveStation(&dialog);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&document](QPrinter* p) { document.print(p); });
    dialog.exec();
}

void Printing::setTestMode(bool on) {
    gTestMode = on;
    gTestPdf.clear();
    gPrinted.clear();
}

void Printing::setTestPdf(const QString& path) {
    gTestPdf = path;
}

const QStringList& Printing::printedTitles() {
    return gPrinted;
}

} // namespace tc
