#pragma once

#include <filesystem>

#include "model/Result.h"

// A symbolic link whose target cannot be reached (a stick not mounted, a link loop) must not
// be taken for a missing file: writing would put a plain file in the link's place, or create
// one where the link points. The failure names the link and its target, in Russian.
Result<> CheckLinkReachable(const std::filesystem::path& path);
