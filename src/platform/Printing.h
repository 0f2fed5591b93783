#pragma once

#include <QString>

class QTextDocument;
class QWidget;

namespace tc {

// Printing a document, with a preview first.
class Printing {
  public:
    virtual ~Printing() = default;
    virtual void preview(QWidget* parent, QTextDocument& document, const QString& title) = 0;
};

} // namespace tc
