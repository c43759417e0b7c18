// Where the files shipped with the programs are found: the tips file, the help
// pages, the default settings and the sounds. Beside the program first (the build
// tree puts them there, and a copy of the program may bring its own), then in the
// installed data folder, <prefix>/share/tallymar, reached from the program's own
// folder so that the installed program finds it under any prefix.
#pragma once

#include <string>
#include <vector>

namespace tallymar {

// The folders to look in, in order: `program_folder`, then the installed data
// folder that belongs to a program in `program_folder`.
std::vector<std::string> DataFolders(const std::string& program_folder);

// The path of the regular file `name` in the first of `folders` that holds one;
// "" when none does.
std::string FindDataFile(const std::vector<std::string>& folders, const std::string& name);

// Each of `folders` with `sub` appended ("help", "sounds").
std::vector<std::string> SubFolders(const std::vector<std::string>& folders,
                                    const std::string& sub);

}  // namespace tallymar
