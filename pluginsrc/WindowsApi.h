#pragma once

// windows.h as the core's Windows branches want it: without the min/max macros that break
// std::min, and without the rarely used parts. Included only under _WIN32.
#ifdef _WIN32
#  ifndef NOMINMAX
#    define NOMINMAX
#  endif
#  ifndef WIN32_LEAN_AND_MEAN
#    define WIN32_LEAN_AND_MEAN
#  endif
#  include <windows.h>
#endif
