#include "platform/PrintPreview.h"

#include "platform/Environment.h"

#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTextDocument>

namespace tc {

void PrintPreview::preview(QWidget* parent, QTextDocument& document, const QString& title) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(title);
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle(title);
    Environment::keepAboveStation(&dialog);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&document](QPrinter* p) { document.print(p); });
    dialog.exec();
}

} // namespace tc
