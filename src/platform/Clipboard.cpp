#include "platform/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace tc {

namespace {
bool gTestMode = false;
QString gBuffer;
} // namespace

void Clipboard::clear() {
    if (gTestMode) {
        gBuffer.clear();
        return;
    }
    if (auto* cb = QGuiApplication::clipboard())
        cb->clear();
}

void Clipboard::setText(const QString& text) {
    if (gTestMode) {
        gBuffer = text;
        return;
    }
    if (auto* cb = QGuiApplication::clipboard())
        cb->setText(text);
}

QString Clipboard::text() {
    if (gTestMode)
        return gBuffer;
    if (auto* cb = QGuiApplication::clipboard())
        return cb->text();
    return {};
}

void Clipboard::setTestMode(bool on) {
    gTestMode = on;
    gBuffer.clear();
}

} // namespace tc
