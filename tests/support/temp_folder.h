// A fresh scratch folder for one test, removed with everything in it afterwards; a scope's current folder.
#pragma once

#include <filesystem>
#include <random>
#include <string>

namespace rt::testing {

class TempFolder {
public:
    explicit TempFolder(const std::string& prefix = "vorpex_test_") {
        std::random_device rd;
        path_ = std::filesystem::temp_directory_path() / (prefix + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

// Makes a folder the current one for the length of a scope (programs that work on the current folder).
class CurrentFolder {
public:
    explicit CurrentFolder(const std::filesystem::path& folder) : saved_(std::filesystem::current_path()) {
        std::filesystem::current_path(folder);
    }
    ~CurrentFolder() {
        std::error_code ec;
        std::filesystem::current_path(saved_, ec);
    }
    CurrentFolder(const CurrentFolder&) = delete;
    CurrentFolder& operator=(const CurrentFolder&) = delete;

private:
    std::filesystem::path saved_;
};

}  // namespace rt::testing
