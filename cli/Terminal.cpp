#include "cli/Terminal.h"

#ifdef _WIN32
#  include <io.h>
#  define TARNEK_ISATTY _isatty
#else
#  include <unistd.h>
#  define TARNEK_ISATTY isatty
#endif

bool StandardStreamsAreTerminal()
{
    return TARNEK_ISATTY(0) != 0 && TARNEK_ISATTY(2) != 0;
}
