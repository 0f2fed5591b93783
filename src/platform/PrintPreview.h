#pragma once

#include "platform/Printing.h"

namespace tc {

// Qt's print preview (a printer, or a PDF file): the only place that opens a
// print dialog.
class PrintPreview : public Printing {
  public:
    void preview(QWidget* parent, QTextDocument& document, const QString& title) override;
};

} // namespace tc
