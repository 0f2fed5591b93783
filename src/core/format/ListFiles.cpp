#include "core/format/ListFiles.h"

#include "core/files/Paths.h"
#include "core/format/CodePage.h"
#include "core/sheet/ListsSave.h"

#include <algorithm>

namespace tc {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}

// Counts line ends in a stretch of text; CR LF is one.
int countLineEnds(std::string_view s) {
    int lines = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\n' || (s[i] == '\r' && (i + 1 >= s.size() || s[i + 1] != '\n')))
            ++lines;
    }
    return lines;
}

// A list is a few hundred bytes; anything near this is no list.
constexpr std::size_t kMaxListFileBytes = 1024 * 1024;

// Reads a list file that must be there: a missing one is said so in plain
// words, and so is a missing program folder (moved or deleted while the
// station runs), which is then the thing to mend.
Status readListFile(FileAccess& files, const std::string& what, const std::string& path, std::string& bytes) {
    bytes.clear();
    if (!files.exists(path)) {
        const std::string folder = parentFolder(path);
        if (!folder.empty() && !files.isFolder(folder))
            return Status::fail("The program folder " + folder + " is missing, so the " + what + " " + path +
                                " cannot be read.");
        return Status::fail("The " + what + " " + path + " is missing.");
    }
    return readWholeFile(files, path, bytes, false, kMaxListFileBytes);
}

Status notConverted(const std::string& what, const std::string& path) {
    return Status::fail(
        "The " + what + " " + path +
        " could not be converted from the code page of the list files; what could not be read "
        "shows as a mark.");
}

std::string jobListShape() {
    return " Each line should hold a job and its description separated by a comma.";
}

} // namespace

namespace {

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

// UTF-16 after its byte-order mark, as UTF-8; a lone surrogate or an odd
// last byte becomes U+FFFD.
std::string utf16ToUtf8(std::string_view bytes, bool bigEndian) {
    auto unit = [&](std::size_t i) -> char32_t {
        const unsigned char a = static_cast<unsigned char>(bytes[i]);
        const unsigned char b = static_cast<unsigned char>(bytes[i + 1]);
        return bigEndian ? char32_t(a << 8 | b) : char32_t(b << 8 | a);
    };
    std::string out;
    out.reserve(bytes.size());
    std::size_t i = 2;
    for (; i + 1 < bytes.size(); i += 2) {
        char32_t c = unit(i);
        if (c >= 0xD800 && c < 0xDC00 && i + 3 < bytes.size() && unit(i + 2) >= 0xDC00 &&
            unit(i + 2) < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
            i += 2;
        } else if (c >= 0xD800 && c < 0xE000) {
            c = 0xFFFD;
        }
        appendUtf8(out, c);
    }
    if (i < bytes.size())
        appendUtf8(out, 0xFFFD);
    return out;
}

} // namespace

FieldReader::FieldReader(std::string_view ansiBytes) : data_(ansiBytes) {
    if (data_.substr(0, kUtf8Bom.size()) == kUtf8Bom) {
        pos_ = kUtf8Bom.size();
        utf8_ = true;
    } else if (data_.substr(0, 2) == "\xFF\xFE" || data_.substr(0, 2) == "\xFE\xFF") {
        text_ = utf16ToUtf8(data_, data_[0] == '\xFE');
        data_ = text_;
        utf8_ = true;
    }
    // NULs are no text: gone before the fields are read, so that one between
    // CR and LF does not make an extra line.
    if (data_.find('\0') != std::string_view::npos) {
        std::string kept;
        std::copy_if(data_.begin(), data_.end(), std::back_inserter(kept), [](char c) { return c != '\0'; });
        text_ = std::move(kept);
        data_ = text_;
    }
}

bool FieldReader::atEnd() const {
    if (afterComma_)
        return false;
    for (std::size_t i = pos_; i < data_.size(); ++i)
        if (!isBlank(data_[i]) && !isLineEnd(data_[i]))
            return false;
    return true;
}

bool FieldReader::next(std::string& utf8Field) {
    utf8Field.clear();
    const std::size_t n = data_.size();
    if (pos_ >= n) {
        // "a," at the very end: the comma still promises a (empty) field.
        if (!afterComma_)
            return false;
        afterComma_ = false;
        line_ = nextLine_;
        return true;
    }
    afterComma_ = false;
    line_ = nextLine_;

    while (pos_ < n && (isBlank(data_[pos_]) || data_[pos_] == '\0'))
        ++pos_;

    std::string_view raw;
    if (pos_ < n && data_[pos_] == '"') {
        ++pos_;
        std::size_t close = data_.find('"', pos_);
        std::size_t end = close == std::string_view::npos ? n : close;
        raw = data_.substr(pos_, end - pos_);
        nextLine_ += countLineEnds(raw);
        pos_ = close == std::string_view::npos ? n : close + 1;
        // Whatever stands between the closing quote and the separator is dropped.
        while (pos_ < n && data_[pos_] != ',' && !isLineEnd(data_[pos_]))
            ++pos_;
    } else {
        std::size_t start = pos_;
        while (pos_ < n && data_[pos_] != ',' && !isLineEnd(data_[pos_]))
            ++pos_;
        raw = data_.substr(start, pos_ - start);
        while (!raw.empty() && (isBlank(raw.back()) || raw.back() == '\0'))
            raw.remove_suffix(1);
    }

    if (pos_ < n) {
        if (data_[pos_] == ',') {
            ++pos_;
            afterComma_ = true;
        } else if (data_[pos_] == '\r') {
            ++pos_;
            if (pos_ < n && data_[pos_] == '\n')
                ++pos_;
            ++nextLine_;
        } else if (data_[pos_] == '\n') {
            ++pos_;
            ++nextLine_;
        }
    }

    std::string value;
    value.reserve(raw.size());
    std::copy_if(raw.begin(), raw.end(), std::back_inserter(value), [](char c) { return c != '\0'; });
    if (utf8_) {
        utf8Field = std::move(value);
    } else if (std::optional<std::string> utf8 = ansiToUtf8Checked(value)) {
        utf8Field = std::move(*utf8);
    } else {
        conversionFailed_ = true;
        utf8Field = ansiToUtf8(value);
    }
    return true;
}

Status readEmployeeList(FileAccess& files, const std::string& baseFolder, EmployeeList& out) {
    out = EmployeeList{};
    const std::string path = employeeListPath(baseFolder);
    std::string bytes;
    if (Status st = readListFile(files, "employee list", path, bytes); !st)
        return st;

    FieldReader reader(bytes);
    if (!reader.next(out.header))
        return Status::fail("The employee list " + path +
                            " is empty, so the employee buttons are blank. It should hold a header line, "
                            "the 24 names and the two clock notes.");
    for (std::size_t i = 0; i < out.names.size(); ++i) {
        if (!reader.next(out.names[i]))
            return Status::fail("The employee list " + path + " ends on line " +
                                std::to_string(reader.line()) + " after " + std::to_string(i) +
                                " of the 24 names; the rest of the buttons are blank.");
    }
    if (!reader.next(out.notes[0]))
        return Status::fail("The employee list " + path + " ends on line " + std::to_string(reader.line()) +
                            " after the 24 names; the two clock notes are missing.");
    if (!reader.next(out.notes[1]))
        return Status::fail("The employee list " + path + " ends on line " + std::to_string(reader.line()) +
                            "; the second clock note is missing.");
    if (reader.conversionFailed())
        return notConverted("employee list", path);
    return Status::ok();
}

namespace {

// Job pairs while the file has data left, at most 20: a 21st line (with or
// without its comma) has no effect. `endLine` is the line reading stopped on.
Status readJobPairs(FileAccess& files, const std::string& path, std::vector<JobItem>& out, int& endLine) {
    out.clear();
    std::string bytes;
    if (Status st = readListFile(files, "job list", path, bytes); !st)
        return st;

    FieldReader reader(bytes);
    while (out.size() < std::size_t(kJobs) && !reader.atEnd()) {
        JobItem item;
        reader.next(item.first);
        if (!reader.next(item.second))
            return Status::fail("The job list " + path + " ends on line " + std::to_string(reader.line()) +
                                " in the middle of job " + std::to_string(out.size() + 1) + ": \"" +
                                item.first + "\" has no description." + jobListShape());
        out.push_back(std::move(item));
    }
    endLine = reader.line();
    if (reader.conversionFailed())
        return notConverted("job list", path);
    return Status::ok();
}

} // namespace

Status readJobList(FileAccess& files, const std::string& baseFolder, std::vector<JobItem>& out) {
    int endLine = 0;
    return readJobPairs(files, jobListPath(baseFolder), out, endLine);
}

Status readJobListExactly20(FileAccess& files, const std::string& baseFolder, std::vector<JobItem>& out) {
    const std::string path = jobListPath(baseFolder);
    int endLine = 0;
    if (Status st = readJobPairs(files, path, out, endLine); !st)
        return st;
    if (out.empty())
        return Status::fail("The job list " + path + " is empty; it should hold 20 lines." + jobListShape());
    if (out.size() < std::size_t(kJobs))
        return Status::fail("The job list " + path + " holds only " + std::to_string(out.size()) +
                            " of the 20 jobs; it ends on line " + std::to_string(endLine) + "." +
                            jobListShape());
    return Status::ok();
}

Status readJobLines(FileAccess& files, const std::string& baseFolder, std::array<std::string, kJobs>& lines) {
    lines.fill(std::string());
    const std::string path = jobListPath(baseFolder);
    std::string bytes;
    if (Status st = readListFile(files, "job list", path, bytes); !st)
        return st;

    std::array<std::vector<std::string>, kJobs> fields;
    FieldReader reader(bytes);
    int lastLine = 0;
    std::string field;
    while (!reader.atEnd() && reader.next(field) && reader.line() <= kJobs) {
        lastLine = reader.line();
        fields[std::size_t(lastLine - 1)].push_back(field);
    }
    std::vector<int> wrong;
    for (int j = 1; j <= lastLine; ++j) {
        const std::vector<std::string>& lineFields = fields[std::size_t(j - 1)];
        for (std::size_t i = 0; i < lineFields.size(); ++i)
            lines[std::size_t(j - 1)] += (i > 0 ? "," : "") + listValue(lineFields[i]);
        if (lineFields.size() != 2)
            wrong.push_back(j);
    }
    std::string problems;
    if (lastLine == 0)
        problems = "The job list " + path + " is empty; it should hold 20 lines.";
    else if (lastLine < kJobs)
        problems =
            "The job list " + path + " holds only " + std::to_string(lastLine) + " of the 20 job lines.";
    if (!wrong.empty()) {
        std::string numbers;
        for (int j : wrong)
            numbers += (numbers.empty() ? "" : ", ") + std::to_string(j);
        const bool one = wrong.size() == 1;
        problems += std::string(problems.empty() ? "" : " ") + (one ? "Line " : "Lines ") + numbers +
                    " of the job list " + path + (one ? " is" : " are") +
                    " not a job and its description separated by a comma; the job screen reads every job "
                    "after " +
                    (one ? "it" : "them") + " out of step.";
    }
    return problems.empty() ? Status::ok() : Status::fail(problems);
}

std::vector<std::string> listFields(std::string_view utf8) {
    // The byte-order mark makes the reader take the text as UTF-8.
    std::string bytes(kUtf8Bom);
    bytes += utf8;
    FieldReader reader(bytes);
    std::vector<std::string> out;
    std::string field;
    while (reader.next(field))
        out.push_back(field);
    return out;
}

std::string listValue(std::string_view utf8) {
    if (utf8.find(',') == std::string_view::npos)
        return std::string(utf8);
    return "\"" + std::string(utf8) + "\"";
}

std::string jobLineText(const JobItem& item) {
    return listValue(item.first) + "," + listValue(item.second);
}

namespace {

// One line of a list file: ANSI, CR LF. A line break inside a value would
// shift every later field, so it is written as a space.
bool appendLine(std::string& out, std::string_view utf8) {
    std::optional<std::string> ansi = utf8ToAnsiChecked(utf8);
    if (!ansi)
        return false;
    std::replace_if(
        ansi->begin(), ansi->end(), [](char c) { return isLineEnd(c); }, ' ');
    out += *ansi;
    out += "\r\n";
    return true;
}

Status notSaved(const std::string& path, std::string_view text) {
    return Status::fail("Nothing was saved: \"" + std::string(text) +
                        "\" could not be converted to the code page of the list files, so " + path +
                        " was left as it was.");
}

} // namespace

Status buttonDataBytes(const std::string& baseFolder, const EmployeeList& employees,
                       const std::array<std::string, kJobs>& jobTexts, std::string& employeeBytes,
                       std::string& jobBytes) {
    // Both files are made in memory first: a text that cannot be converted
    // stops the save before either file is touched.
    const std::string employeePath = employeeListPath(baseFolder);
    employeeBytes.clear();
    jobBytes.clear();
    appendLine(employeeBytes, kEmployeeListHeader);
    for (const std::string& text : employees.names)
        if (!appendLine(employeeBytes, listValue(text)))
            return notSaved(employeePath, text);
    for (const std::string& text : employees.notes)
        if (!appendLine(employeeBytes, listValue(text)))
            return notSaved(employeePath, text);

    for (const std::string& job : jobTexts)
        if (!appendLine(jobBytes, job))
            return notSaved(jobListPath(baseFolder), job);
    // A first job that begins with the characters "ï»¿", "ÿþ" or "þÿ" (a
    // byte-order mark read as ANSI, left by an editor that saved the list in
    // another encoding) would start the file with the bytes of a real mark,
    // and every reader would then take the whole list for UTF-8 or UTF-16. A
    // space before it keeps the file ANSI; readers skip spaces before a field.
    if (jobBytes.compare(0, kUtf8Bom.size(), kUtf8Bom) == 0 || jobBytes.compare(0, 2, "\xFF\xFE") == 0 ||
        jobBytes.compare(0, 2, "\xFE\xFF") == 0)
        jobBytes.insert(jobBytes.begin(), ' ');
    return Status::ok();
}

Status writeButtonData(FileAccess& files, const std::string& baseFolder, const EmployeeList& employees,
                       const std::array<std::string, kJobs>& jobTexts) {
    std::string employeeBytes, jobBytes, journalProblem;
    if (Status st = buttonDataBytes(baseFolder, employees, jobTexts, employeeBytes, jobBytes); !st)
        return st;
    return saveListsTogether(files, baseFolder, employeeBytes, jobBytes, {}, journalProblem);
}

} // namespace tc
