// The file system as the operating system has it: used by the window and by
// tallymar-cli to read and write tape files.
#pragma once

#include "files/file_ports.h"

namespace tallymar {

class StdFileSystem : public FileSystem {
  public:
    FileKind KindOf(const std::string& path) override;
    // Opens without waiting (a named pipe swapped in at the last moment cannot hang
    // the open), then looks at what was opened before reading it.
    std::optional<std::string> Read(const std::string& path, std::size_t max_bytes,
                                    std::string* reason) override;
    // Through WriteFileAtomically: the old file is replaced whole or left as it was.
    bool Write(const std::string& path, const std::string& bytes, std::string* reason) override;
};

}  // namespace tallymar
