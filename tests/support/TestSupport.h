// Helpers shared by the test suites.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace vl::test {

// A fresh folder under the system temporary folder, removed with its contents
// when the object goes away.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The folder as a string that ends in "/", the way the program spells folders.
    std::string folder() const { return path_.string() + "/"; }

private:
    std::filesystem::path path_;
};

std::string ReadFile(const std::filesystem::path& file);
void WriteFile(const std::filesystem::path& file, const std::string& bytes);

struct RunResult {
    int status = -1;     // exit status, or -1 when the program did not exit normally
    std::string out;     // standard output
    std::string err;     // standard error
};

// Runs a program with arguments and extra environment variables, collecting its
// output; standard input is empty.
RunResult Run(const std::string& program, const std::vector<std::string>& args,
              const std::map<std::string, std::string>& env = {});

// Runs vellora-cli with VELLORA_HOME set to the given folder.
RunResult RunCli(const std::string& home, const std::vector<std::string>& args);

}  // namespace vl::test
