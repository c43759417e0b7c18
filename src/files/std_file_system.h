// The file system as the standard library sees it: used by the window and by
// tallymar-cli to read and write tape files.
#pragma once

#include "files/file_ports.h"

namespace tallymar {

class StdFileSystem : public FileSystem {
  public:
    FileKind KindOf(const std::string& path) override;
    std::optional<std::string> Read(const std::string& path, std::size_t max_bytes,
                                    std::string* reason) override;
    // Writes a temporary file beside the target and renames it over the target, so the
    // old file is either replaced whole or left as it was. After a write that worked,
    // temporary files an earlier save of the same file left behind (a save killed
    // half-way) are removed.
    bool Write(const std::string& path, const std::string& bytes, std::string* reason) override;
};

// Whether `name` is a temporary file name a save of the file `file_name` uses:
// the file's name, a dot, 16 lower-case hexadecimal digits and ".tmp".
bool IsTemporaryNameOf(const std::string& name, const std::string& file_name);

}  // namespace tallymar
