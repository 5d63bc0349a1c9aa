#include "cli/Terminal.h"

#include "pluginsrc/SystemFile.h"

#ifdef _WIN32
#  include "pluginsrc/WindowsApi.h"
#  include <fcntl.h>
#  include <io.h>
#  include <shellapi.h>
#  define TARNEK_ISATTY _isatty
#else
#  include <unistd.h>
#  define TARNEK_ISATTY isatty
#endif

bool StandardStreamsAreTerminal()
{
    return TARNEK_ISATTY(0) != 0 && TARNEK_ISATTY(2) != 0;
}

std::vector<std::string> Utf8Arguments(int argc, char** argv)
{
#ifdef _WIN32
    // The tool's output is the same bytes as on other systems (an export to standard output
    // is the file's bytes), with no carriage returns put in; a console shows it as UTF-8.
    for (int stream = 0; stream < 3; ++stream)
        _setmode(stream, _O_BINARY);
    SetConsoleOutputCP(CP_UTF8);
    int count = 0;
    if (LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count)) {
        std::vector<std::string> args;
        for (int i = 1; i < count; ++i)
            args.push_back(Utf8FromPath(words[i]));
        LocalFree(words);
        return args;
    }
#endif
    return {argv + 1, argv + argc};
}
