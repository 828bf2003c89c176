// The program's arguments, standard output and executable, the same on every
// platform: arguments in UTF-8, output bytes as written.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace tw {

// The arguments in UTF-8, the program's name first. Windows hands main() its
// arguments in the ANSI code page, which cannot hold every file name, so
// there they are read again from the system's UTF-16 command line.
std::vector<std::string> Utf8Arguments(int argc, char** argv);

// The file an argument names: on Windows from its UTF-8 (a narrow path
// there is read in the ANSI code page), elsewhere its bytes as they are.
std::filesystem::path ArgumentPath(const std::string& argument);

// Standard output takes bytes as they are: no "\n" turned into "\r\n" on
// Windows, where a console is also told to show them as UTF-8 until the
// program exits.
void UseUtf8BinaryOutput();

// The running executable's file; argv0 made absolute when the system cannot
// say.
std::filesystem::path ExecutableFile(const char* argv0);

}  // namespace tw
