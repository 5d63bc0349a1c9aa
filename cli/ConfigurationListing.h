#pragma once

#include <string>

#include "model/tarnekArrayStruct.h"

// The text "show" prints: one line per name, grouped by the window that edits it, so that
// an admin sees every name the other commands take next to its current value.
std::string ConfigurationListing(const tarnekArrayStruct& model);
