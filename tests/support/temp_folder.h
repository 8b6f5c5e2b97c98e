// A fresh, empty folder for one test, removed again at the end.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace lumidor::testing {

class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::filesystem::path& relative) const {
        return path_ / relative;
    }

  private:
    std::filesystem::path path_;
};

std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& path);
void WriteFileBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);
void WriteFileText(const std::filesystem::path& path, const std::string& text);

} // namespace lumidor::testing
