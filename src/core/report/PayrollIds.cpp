#include "core/report/PayrollIds.h"

#include "core/files/Paths.h"
#include "core/format/TimeText.h"
#include "core/report/ReportCsv.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace tc {

namespace {

// One CSV line's fields (RFC 4180; no line break inside a field). nullopt
// when a quote is not closed or text follows a closing quote.
std::optional<std::vector<std::string>> csvFields(std::string_view line) {
    std::vector<std::string> fields(1);
    std::size_t i = 0;
    while (i <= line.size()) {
        std::string& f = fields.back();
        if (i < line.size() && line[i] == '"') {
            for (++i;; ++i) {
                if (i >= line.size())
                    return std::nullopt;
                if (line[i] == '"') {
                    if (i + 1 < line.size() && line[i + 1] == '"') {
                        f += '"';
                        ++i;
                        continue;
                    }
                    ++i;
                    break;
                }
                f += line[i];
            }
            if (i < line.size() && line[i] != ',')
                return std::nullopt;
        } else {
            while (i < line.size() && line[i] != ',')
                f += line[i++];
        }
        if (i >= line.size())
            break;
        fields.emplace_back();
        ++i;
    }
    return fields;
}

} // namespace

std::string PayrollIds::idOf(const std::string& name) const {
    for (const auto& [n, id] : entries)
        if (n == name)
            return id;
    return {};
}

std::string PayrollIds::path(const std::string& baseFolder) {
    return pathJoin(baseFolder, kFileName);
}

bool PayrollIds::isItsFile(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    std::string name = path.substr(slash == std::string::npos ? 0 : slash + 1);
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return name == kFileName;
}

Status PayrollIds::read(FileAccess& files, const std::string& baseFolder, PayrollIds& out) {
    out.entries.clear();
    const std::string file = path(baseFolder);
    std::error_code ec;
    if (std::filesystem::is_symlink(std::filesystem::symlink_status(file, ec)))
        return Status::fail("Cannot read " + file + ": it is a link; only a file of its own is read.");
    if (!files.exists(file))
        return Status::ok();
    std::string bytes;
    if (Status st = readWholeFile(files, file, bytes, false, kMaxBytes); !st)
        return st;
    if (bytes.compare(0, ReportCsv::kBom.size(), ReportCsv::kBom) == 0)
        bytes.erase(0, ReportCsv::kBom.size());
    std::size_t start = 0;
    for (int line = 1; start < bytes.size(); ++line) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string::npos)
            end = bytes.size();
        std::string_view text(bytes.data() + start, end - start);
        start = end + 1;
        if (!text.empty() && text.back() == '\r')
            text.remove_suffix(1);
        if (line == 1 || trimSpaces(text).empty())
            continue;
        const std::optional<std::vector<std::string>> fields = csvFields(text);
        if (!fields || fields->size() != 2 || trimSpaces((*fields)[0]).empty())
            return Status::fail("Cannot read " + file + ": line " + std::to_string(line) +
                                " is not a name and a payroll ID.");
        out.entries.emplace_back(trimSpaces((*fields)[0]), trimSpaces((*fields)[1]));
    }
    return Status::ok();
}

Status PayrollIds::write(FileAccess& files, const std::string& baseFolder, const PayrollIds& ids) {
    // The program reads this file back: an ID must come back as typed, so
    // no apostrophe is put before a formula-like one.
    std::string bytes(ReportCsv::kBom);
    ReportCsv::row(bytes, {"Name", "Payroll ID"}, false);
    std::vector<std::string> seen;
    for (const auto& [name, id] : ids.entries) {
        if ((name + id).find_first_of("\r\n") != std::string::npos)
            return Status::fail("Not saved: a name or payroll ID holds a line break.");
        if (std::find(seen.begin(), seen.end(), name) != seen.end())
            return Status::fail("Not saved: " + name + " is listed twice.");
        seen.push_back(name);
        ReportCsv::row(bytes, {name, id}, false);
    }
    const std::string file = path(baseFolder);
    if (Status st = replaceFile(files, file, bytes); !st)
        return Status::fail("Not saved: " + st.message());
    return Status::ok();
}

} // namespace tc
