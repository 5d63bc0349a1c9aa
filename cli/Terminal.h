#pragma once

#include <string>
#include <vector>

// Whether a person can answer a question: standard input and standard error are both a
// terminal. Kept apart so that the platform's call stays in one place.
bool StandardStreamsAreTerminal();

// The command line's arguments after the program name, as UTF-8. On Windows main is handed
// them in the ANSI code page, which cannot hold every folder name; the wide command line
// holds them all. There the standard streams are also set to pass bytes unchanged and a
// console to show UTF-8. Called once, before anything is read or written.
std::vector<std::string> Utf8Arguments(int argc, char** argv);
