#pragma once

#include "core/files/FileAccess.h"
#include "core/format/WeekFile.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace tc {

// Reads the list files' fields by their rule: spaces before a field are
// skipped; a field that starts with a double quote runs to the next double
// quote; otherwise it ends at the next comma or line end (consumed with it);
// a blank line is one empty field. Input is the file's ANSI bytes, fields
// come out as UTF-8. A file that starts with a byte-order mark is read as
// what the mark says: UTF-8, or UTF-16 little or big endian (Notepad's
// "UTF-8" and "Unicode"). CR LF, LF and a lone CR each end a line; NUL bytes
// are dropped (so is a NUL character), which also reads a UTF-16 list
// without its mark right as long as it is plain ASCII; blanks at the end of
// an unquoted field too.
class FieldReader {
  public:
    explicit FieldReader(std::string_view ansiBytes);
    FieldReader(const FieldReader&) = delete;
    FieldReader& operator=(const FieldReader&) = delete;
    // A field could not be converted from the code page (the converter
    // failed); the field read holds a mark in its place.
    bool conversionFailed() const { return conversionFailed_; }
    // No data left ("end of file"). Blank lines and spaces at the very end of
    // the file are not data: an editor's stray last line must not make the job
    // screen read half a pair.
    bool atEnd() const;
    // Reads the next field; false at the end of the file.
    bool next(std::string& utf8Field);
    // 1-based line on which the last field read began.
    int line() const { return line_; }

  private:
    std::string text_; // the file's text when it had to be changed first (UTF-16, NULs)
    std::string_view data_;
    std::size_t pos_ = 0;
    int line_ = 0;
    int nextLine_ = 1;
    bool utf8_ = false;       // the file carried a UTF-8 byte-order mark
    bool afterComma_ = false; // a comma was just consumed: one more field follows, maybe empty
    bool conversionFailed_ = false;
};

// The job list's lines: one for each button of the job screen.
inline constexpr int kJobs = 20;

struct EmployeeList {
    std::string header;
    std::array<std::string, kPositions> names; // position 1 first
    std::array<std::string, 2> notes;
};

struct JobItem {
    std::string first;  // as read
    std::string second; // as read
};

// Reads the employee list. On a missing or short file `out` holds what could
// be read (the rest empty) and the Status names the file and what is missing.
Status readEmployeeList(FileAccess& files, const std::string& baseFolder, EmployeeList& out);

// Reads job pairs while the file has data left, at most 20 (the job screen).
// Fails on a missing file or when the file ends between the two items of a
// pair; `out` then holds the pairs read before.
Status readJobList(FileAccess& files, const std::string& baseFolder, std::vector<JobItem>& out);

// Reads exactly 20 job pairs; on failure `out` holds the pairs read and the
// Status says what is missing. (The editor reads line by line: readJobLines.)
Status readJobListExactly20(FileAccess& files, const std::string& baseFolder, std::vector<JobItem>& out);

// The button data editor's job boxes: box j shows line j of the job list,
// its fields (by the rule above) joined as jobLineText joins two, so a line
// that is not a job and its description (no comma, an empty line, a line
// taken into a quoted field begun above) shows as it reads and never moves
// another job out of its box. Fails on a missing file, one of fewer than 20
// lines, or lines that do not make exactly two fields; the Status names the
// file and those lines, and `lines` holds what could be read.
Status readJobLines(FileAccess& files, const std::string& baseFolder, std::array<std::string, kJobs>& lines);

// The fields of one text by the reading rule; UTF-8 in and out.
std::vector<std::string> listFields(std::string_view utf8);
// A value as the lists store it: in double quotes when it holds a comma, so
// that every reader takes it as one field.
std::string listValue(std::string_view utf8);
// A job line from its two items: listValue(first) "," listValue(second).
std::string jobLineText(const JobItem& item);

// The bytes of both lists as writeButtonData writes them.
Status buttonDataBytes(const std::string& baseFolder, const EmployeeList& employees,
                       const std::array<std::string, kJobs>& jobTexts, std::string& employeeBytes,
                       std::string& jobBytes);

// Writes both lists whole, CR LF after every line, ANSI code page (a text
// the converter fails on is refused before anything is written), both
// replaced as one (saveListsTogether): employee list ("Quarnel Data 1.2", 24 names, 2 notes, each as
// listValue), then the job list (the 20 texts unchanged: jobLineText makes
// one from two items; a first job that would start the file with the bytes
// of a UTF-8 byte-order mark gets a space before it, which readers skip). A
// line break inside a value is written as a space.
Status writeButtonData(FileAccess& files, const std::string& baseFolder, const EmployeeList& employees,
                       const std::array<std::string, kJobs>& jobTexts);

inline constexpr const char* kEmployeeListHeader = "Quarnel Data 1.2";

} // namespace tc
