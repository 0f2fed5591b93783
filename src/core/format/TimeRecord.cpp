#include "core/format/TimeRecord.h"

#include "core/format/CodePage.h"
#include "core/format/TimeText.h"

#include <algorithm>
#include <cstring>

namespace tc {

TimeRecord TimeRecord::fromBytes(std::string_view bytes) {
    TimeRecord r;
    std::memcpy(r.bytes_.data(), bytes.data(), std::min(bytes.size(), kSize));
    return r;
}

std::string TimeRecord::text(Field f, int k) const {
    return ansiToUtf8(raw(f, k));
}

bool TimeRecord::set(Field f, int k, std::string_view utf8) {
    // Plain ASCII (nearly every field) is its own ANSI text: stored without a
    // converted copy, as saving a full week sets some 10,000 fields.
    std::string ansi;
    std::string_view text = utf8;
    bool converted = true;
    if (!std::all_of(utf8.begin(), utf8.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        std::optional<std::string> checked = utf8ToAnsiChecked(utf8);
        // A character the code page lacks comes back as '?' or a look-alike:
        // such text is refused, never stored in its changed form.
        converted = checked.has_value() && ansiToUtf8(*checked) == utf8;
        ansi = converted ? std::move(*checked) : utf8ToAnsi(utf8);
        text = ansi;
    }
    const std::size_t w = width(f);
    char* dst = bytes_.data() + offset(f, k);
    const std::size_t n = std::min(text.size(), w);
    std::memcpy(dst, text.data(), n);
    std::memset(dst + n, ' ', w - n);
    return converted;
}

void TimeRecord::clear(Field f, int k) {
    std::memset(bytes_.data() + offset(f, k), 0, width(f));
}

bool TimeRecord::isFree(int k) const {
    for (Field f : {Field::Action, Field::JobNumber, Field::ActTime, Field::ActDate}) {
        const std::string_view bytes = raw(f, k);
        if (bytes.find_first_not_of('\0') != std::string_view::npos)
            return false;
    }
    return true;
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
