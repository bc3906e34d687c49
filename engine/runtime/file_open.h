// Opening files by UTF-8 path on every system.
//
// Paths inside the program are UTF-8 strings. Windows opens files by UTF-16
// name (its narrow functions use the local code page), so there the path
// is converted and the wide functions are used; files are always opened in
// binary mode so that written text keeps "\n" line ends everywhere.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace tuublark {

// std::fopen with a UTF-8 path.
std::FILE* OpenFile(const std::string& path, const char* mode);

// Closes a file held by a std::unique_ptr.
struct FileCloser {
    void operator()(std::FILE* file) const {
        if (file) std::fclose(file);
    }
};

// The program's arguments (without the program name) as UTF-8: on
// Windows read from the wide command line, elsewhere argv as given.
std::vector<std::string> ProgramArguments(int argc, char** argv);

#ifdef _WIN32
std::wstring WidePath(const std::string& utf8);
std::string Utf8Path(const std::wstring& wide);
#endif

}  // namespace tuublark
