#pragma once

// The program's command line, read before any window exists: --help and
// --version are answered on standard output, a wrong option on standard
// error, all without a display. Qt's own options pass through to Qt.

#include <QString>
#include <optional>

struct CommandLine
{
    std::optional<int> exitCode; // end the program with it, before any window
    QString archive;             // --archive: a file, or a postgresql:// address, for this run
};

// --prepare-server is done here too: it needs no window.
CommandLine answerCommandLine(int argc, char *argv[]);
