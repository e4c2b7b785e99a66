// The verb lists every editor test may use: the bundled ones and those under tests/data.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

inline std::vector<std::filesystem::path> AllTestLists()
{
    const std::filesystem::path root = TALDRIN_SOURCE_DIR;
    std::vector<std::filesystem::path> lists = {root / "data/irregu.ver", root / "data/irrtes.ver"};
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root / "tests/data"))
        if (entry.path().extension() == ".ver")
            lists.push_back(entry.path());
    return lists;
}

inline std::string FileBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
