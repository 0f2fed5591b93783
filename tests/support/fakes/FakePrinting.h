#pragma once

#include "platform/Printing.h"

#include <QPrinter>
#include <QStringList>
#include <QTextDocument>

namespace tc {

// Shows no preview: records each title printed, and prints the document to
// the test's PDF file when one is set.
class FakePrinting : public Printing {
  public:
    void preview(QWidget*, QTextDocument& document, const QString& title) override {
        printed_ << title;
        if (pdf_.isEmpty())
            return;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf_);
        printer.setDocName(title);
        document.print(&printer);
    }

    void printTo(const QString& pdf) { pdf_ = pdf; }
    const QStringList& printedTitles() const { return printed_; }

  private:
    QString pdf_;
    QStringList printed_;
};

} // namespace tc
