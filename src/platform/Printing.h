#pragma once

#include <QString>
#include <QStringList>

class QTextDocument;
class QWidget;

namespace tc {

// Printing through Qt's print preview (a printer, or a PDF file). The only
// place that opens a print dialog. In test mode nothing is shown: the
// document is printed to the PDF file set for tests, if any, and recorded.
class Printing {
  public:
    static void preview(QWidget* parent, QTextDocument& document, const QString& title);

    static void setTestMode(bool on);
    static void setTestPdf(const QString& path); // empty: print nowhere
    static const QStringList& printedTitles();
};

} // namespace tc
