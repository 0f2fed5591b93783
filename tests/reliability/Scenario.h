#pragma once

// The program's three writers, each run through its own code on a program
// folder made ready by prepare(): a punch (recordPunch), a time-sheet save
// (saveWeek: the backup first, then the week) and a button data save
// (saveButtonDataBoxes: both lists as one save), each with its journal.

#include "core/files/FileAccess.h"
#include "support/WeekBuilder.h"

#include <array>

namespace tc::test {

using Paths = std::vector<std::string>;
struct Writer {
    const char* name;
    // The files it replaces, in the order it replaces them.
    Paths (*files)(const std::string& base);
    // The journal it then appends its lines to.
    std::string (*journal)(const std::string& base);
    // Runs it once: "" when it succeeded, otherwise what the person is told.
    std::string (*run)(FileAccess& files, const std::string& base);
    // What it says when its last file cannot be written.
    const char* notStored;
    // The record that makes its files one save (nullptr: each file on its own);
    // written after every temporary file, before the first rename.
    std::string (*record)(const std::string& base);
    // What it says when a rename fails after the record is written.
    const char* notFinished;
};
extern const std::array<Writer, 3> kWriters;

// This week's file (three workers with punches, placeholders elsewhere) and
// both lists, as a station has them.
void prepare(const ProgramFolder& base);
// The files' bytes ("" for a missing one).
Paths contents(const Paths& files);
// Temporary files left anywhere under `base`.
int leftovers(const std::string& base);

} // namespace tc::test
