#include "core/format/ShownText.h"

namespace tc {

namespace {

void addEscaped(std::string& out, unsigned code) {
    static const char kHex[] = "0123456789ABCDEF";
    out += "\\x";
    out += kHex[(code >> 4) & 0xF];
    out += kHex[code & 0xF];
}

} // namespace

std::string shownText(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x20 || c == 0x7F)
            addEscaped(out, c);
        else if (c == 0xC2 && i + 1 < utf8.size() && static_cast<unsigned char>(utf8[i + 1]) >= 0x80 &&
                 static_cast<unsigned char>(utf8[i + 1]) < 0xA0)
            addEscaped(out, static_cast<unsigned char>(utf8[++i]));
        else
            out += char(c);
    }
    return out;
}

} // namespace tc
