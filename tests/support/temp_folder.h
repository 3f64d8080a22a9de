#pragma once
// A fresh folder for one test, removed with everything in it afterwards.
#include <filesystem>
#include <string>

namespace pondaro {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

// Writes a file (creating its folders), for setting up test inputs.
void writeTestFile(const std::filesystem::path& path, const std::string& contents);
std::string readTestFile(const std::filesystem::path& path);

} // namespace pondaro
