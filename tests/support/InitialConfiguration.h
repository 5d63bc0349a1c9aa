#pragma once

#include "model/tarnekArrayStruct.h"

// The configuration the carried initial database holds, written out by hand so that
// tests of loading and of the generated sources compare against an independent source.
tarnekArrayStruct InitialConfiguration();

// The same as a session opening the carried database holds it, level counts derived.
tarnekArrayStruct OpenedInitialConfiguration();
