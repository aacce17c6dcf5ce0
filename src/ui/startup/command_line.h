#pragma once

// The program's command line, read before any window exists: --help and
// --version are answered on standard output, a wrong option on standard
// error, all without a display. Qt's own options pass through to Qt.

#include <optional>

// The code to end the program with, or nothing when it should start.
std::optional<int> answerCommandLine(int argc, char *argv[]);
