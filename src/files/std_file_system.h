// The file system as the standard library sees it: used by the window and by
// tallymar-cli to read and write tape files.
#pragma once

#include "files/file_ports.h"

namespace tallymar {

class StdFileSystem : public FileSystem {
  public:
    // True for an existing file that is not a folder; false on any error.
    bool Exists(const std::string& path) override;
    std::optional<std::string> Read(const std::string& path, std::size_t max_bytes) override;
    // Writes a temporary file beside the target and renames it over the target, so the
    // old file is either replaced whole or left as it was.
    bool Write(const std::string& path, const std::string& bytes) override;
};

}  // namespace tallymar
