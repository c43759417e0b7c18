// A file's bytes exactly as they lie on disk, read with no help from the program's
// own readers, so that the tests check what those readers and writers did.
#pragma once

#include <fstream>
#include <iterator>
#include <string>

namespace tallymar::testing {

// The whole file, or nothing when it cannot be read.
inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace tallymar::testing
