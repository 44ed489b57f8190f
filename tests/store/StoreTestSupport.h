#pragma once
// A private temporary data folder per test, and byte helpers for comparing files.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

// "00 01 FF" -> {0x00, 0x01, 0xFF}
inline Bytes Hex(const std::string& text)
{
    Bytes out;
    std::istringstream in(text);
    std::string token;
    while (in >> token)
        out.push_back(static_cast<std::uint8_t>(std::stoul(token, nullptr, 16)));
    return out;
}

inline Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

inline Bytes Ascii(const std::string& text)
{
    return Bytes(text.begin(), text.end());
}

class StoreFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "pinleaf-store-XXXXXX");
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root_ = pattern;
        folder_ = pattern + "/";
    }
    void TearDown() override
    {
        std::filesystem::permissions(root_, std::filesystem::perms::owner_all);
        std::filesystem::remove_all(root_);
    }

    const std::string& folder() const { return folder_; }
    std::string path(const std::string& name) const { return folder_ + name; }
    bool exists(const std::string& name) const { return std::filesystem::exists(path(name)); }

    void writeFile(const std::string& name, const Bytes& bytes) const
    {
        std::ofstream out(path(name), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }

    Bytes readFile(const std::string& name) const
    {
        std::ifstream in(path(name), std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    // Every file in the folder, to catch temporary files left behind.
    std::vector<std::string> files() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(root_))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    unsigned mode(const std::string& name) const
    {
        return static_cast<unsigned>(std::filesystem::status(path(name)).permissions()) & 0777;
    }

private:
    std::string root_;
    std::string folder_;
};
