#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace tc {

// One employee's week in a week file: exactly 4969 bytes, kept in memory as
// the very bytes of the file (ANSI code page, space padded, NUL where never
// written), so a record read and written back is byte for byte the same.
class TimeRecord {
  public:
    static constexpr std::size_t kSize = 4969;
    static constexpr int kEntries = 100; // punches live in entries 1..100; entry 0 is never written

    enum class Field { EmpName, Action, JobNumber, ActTime, ActDate };

    static constexpr std::size_t width(Field f) {
        switch (f) {
        case Field::EmpName:
            return 20;
        case Field::Action:
            return 7;
        case Field::JobNumber:
            return 20;
        case Field::ActTime:
            return 11;
        case Field::ActDate:
            return 11;
        }
        return 0;
    }
    // Byte offset of entry k (0..100) of an array field; EmpName ignores k.
    static constexpr std::size_t offset(Field f, int k = 0) {
        switch (f) {
        case Field::EmpName:
            return 0;
        case Field::Action:
            return 20 + 7 * std::size_t(k);
        case Field::JobNumber:
            return 727 + 20 * std::size_t(k);
        case Field::ActTime:
            return 2747 + 11 * std::size_t(k);
        case Field::ActDate:
            return 3858 + 11 * std::size_t(k);
        }
        return 0;
    }

    TimeRecord() { bytes_.fill('\0'); }
    // Takes up to kSize bytes; what is missing stays NUL (a record past the
    // end of a short file).
    static TimeRecord fromBytes(std::string_view bytes);

    const std::array<char, kSize>& bytes() const { return bytes_; }
    std::string_view view() const { return {bytes_.data(), kSize}; }

    // The raw stored bytes of a field (ANSI, padding and NULs included).
    std::string_view raw(Field f, int k = 0) const { return {bytes_.data() + offset(f, k), width(f)}; }
    // The field as UTF-8 text, padding and NULs included.
    std::string text(Field f, int k = 0) const;
    // Stores UTF-8 text converted to ANSI, left aligned, cut to the width in
    // bytes, padded with spaces (an empty value becomes all spaces). False
    // when the converter failed or the code page lacks a character of the
    // text: the field then holds '?' (or a look-alike) in its place, and a
    // writer must not store the record.
    bool set(Field f, int k, std::string_view utf8);
    bool setName(std::string_view utf8) { return set(Field::EmpName, 0, utf8); }
    // Sets a field (or entry) back to "never written".
    void clear(Field f, int k = 0);

    // Never written: the first byte of Action(k) is NUL (the test the board,
    // the action screen and the time sheet use).
    bool actionUnwritten(int k) const { return bytes_[offset(Field::Action, k)] == '\0'; }
    // Free: not one byte of the entry's four fields was ever written (all
    // NUL). A hand-edited or damaged entry holding only an action, or only a
    // time, is not free: a punch written over it would erase what it holds.
    bool isFree(int k) const;

    // The employee's last punch: the entry before the first free one, so
    // that the punch recorder writes right after it (usedEntries()). A
    // damaged entry before it (an action never written, a lone date) does
    // not hide the punches stored after it. 0 when entry 1 is free.
    int lastEntry() const { return usedEntries(); }
    // Number of used entries: the first free entry (from 1) minus one, 100
    // when none of 1..100 is free.
    int usedEntries() const;
    // Action(lastEntry()) trimmed of spaces; empty when there is no punch.
    std::string lastAction() const;

    friend bool operator==(const TimeRecord& a, const TimeRecord& b) { return a.bytes_ == b.bytes_; }

  private:
    std::array<char, kSize> bytes_;
};

// The four action words, compared exactly after trimming spaces.
inline constexpr std::string_view kActionIn = "IN";
inline constexpr std::string_view kActionChange = "CHANGE";
inline constexpr std::string_view kActionLunch = "LUNCH";
inline constexpr std::string_view kActionOut = "OUT";

} // namespace tc
