#include "data/TimeRecord.h"

#include "data/CodePage.h"
#include "data/TimeText.h"

#include <algorithm>
#include <cstring>

namespace tc {

TimeRecord TimeRecord::fromBytes(std::string_view bytes) {
    TimeRecord r;
    std::memcpy(r.bytes_.data(), bytes.data(), std::min(bytes.size(), kSize));
    return r;
}

std::string TimeRecord::text(Field f, int k) const { return ansiToUtf8(raw(f, k)); }

void TimeRecord::set(Field f, int k, std::string_view utf8) {
    std::string ansi = utf8ToAnsi(utf8);
    const std::size_t w = width(f);
    char* dst = bytes_.data() + offset(f, k);
    const std::size_t n = std::min(ansi.size(), w);
    std::memcpy(dst, ansi.data(), n);
    std::memset(dst + n, ' ', w - n);
}

void TimeRecord::clear(Field f, int k) { std::memset(bytes_.data() + offset(f, k), 0, width(f)); }

int TimeRecord::lastEntry() const {
    for (int k = 1; k <= kEntries; ++k)
        if (actionUnwritten(k))
            return k - 1;
    return kEntries;
}

int TimeRecord::usedEntries() const {
    for (int k = 1; k <= kEntries; ++k)
        if (isFree(k))
            return k - 1;
    return kEntries;
}

std::string TimeRecord::lastAction() const {
    int k = lastEntry();
    if (k == 0)
        return {};
    return std::string(trimSpaces(text(Field::Action, k)));
}

} // namespace tc
