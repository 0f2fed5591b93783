#include "platform/SystemClipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace tc {

void SystemClipboard::clear() {
    if (auto* cb = QGuiApplication::clipboard())
        cb->clear();
}

void SystemClipboard::setText(const QString& text) {
    if (auto* cb = QGuiApplication::clipboard())
        cb->setText(text);
}

QString SystemClipboard::text() const {
    if (auto* cb = QGuiApplication::clipboard())
        return cb->text();
    return {};
}

} // namespace tc
