#pragma once
// A fresh folder under the system's temporary folder, removed with everything in it at the end.
// Paths go in and out as UTF-8, as the program keeps them, on every system.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

inline std::filesystem::path pathOf(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}
inline std::string utf8Of(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

class TempFolder {
public:
    TempFolder() {
        std::random_device seed;
        std::mt19937_64 random(seed());
        do
            m_path = std::filesystem::temp_directory_path() / ("brindlecove-" + std::to_string(random()));
        while (!std::filesystem::create_directory(m_path));
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(m_path, ignored);
    }
    std::string path() const { return utf8Of(m_path); }
    std::string file(const std::string& name) const { return utf8Of(m_path / pathOf(name)); }

    std::string write(const std::string& name, const std::string& bytes) const {
        std::ofstream(pathOf(file(name)), std::ios::binary) << bytes;
        return file(name);
    }
    static std::string read(const std::string& path) {
        std::ifstream in(pathOf(path), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

private:
    std::filesystem::path m_path;
};
