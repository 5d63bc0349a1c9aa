#include "ScratchDir.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

ScratchDir::ScratchDir() : previous_(fs::current_path())
{
    std::string pattern = (fs::temp_directory_path() / "tarnek-pluginsrc-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a scratch directory");
    path_ = fs::canonical(pattern);
    fs::current_path(path_);
}

ScratchDir::~ScratchDir()
{
    std::error_code ec;
    fs::current_path(previous_, ec);
    fs::remove_all(path_, ec);
}

std::vector<std::string> ScratchDir::Listing() const
{
    std::vector<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(path_))
        names.push_back(fs::relative(entry.path(), path_).generic_string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string ReadBytes(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WriteBytes(const fs::path& file, const std::string& bytes)
{
    std::ofstream(file, std::ios::binary) << bytes;
}
