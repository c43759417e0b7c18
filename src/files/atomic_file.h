// Every file Tallymar writes (tape files, the settings file) is written here, as one
// step: a temporary file in the same folder, flushed to the disk, renamed over the
// old name, the folder flushed after it. A kill, a crash, a full disk or a power cut
// leaves either the old file whole or the new one, never a mix.
//
// A symbolic link is written through (its target is replaced, the link stays); a
// target that is not a regular file (a folder, a device, a named pipe, a link that
// leads nowhere or round in a loop) is refused with the reason. The new file keeps
// the old one's owner, group and permissions where the system allows.
#pragma once

#include <string>
#include <string_view>

#include "files/file_ports.h"

namespace tallymar {

struct AtomicWrite {
    unsigned new_mode = 0666;     // the permissions of a new file, before the umask
    unsigned most_mode = 07777;   // the permissions the file may have at most
    bool create_folders = false;  // make the missing folders on the way
    // When the folder refuses a temporary file but the file itself may be written (a
    // settings file made writable in a read-only folder), it is written over in place:
    // there is no safer way left.
    bool in_place_fallback = false;
};

// False when the file could not be written, with the system's reason in *reason
// ("Permission denied", "No space left on device"); the old file is then as it was.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, const AtomicWrite& how,
                         std::string* reason);

// Whether `name` is the name of a temporary file a write of `file_name` uses: the
// file's name, a dot, 16 lower-case hexadecimal digits and ".tmp". Those left behind
// by a write killed half-way are removed by the next write that works.
bool IsTemporaryNameOf(const std::string& name, const std::string& file_name);

// The kind of file a stat() mode names.
FileKind KindOfMode(unsigned mode);

// The system's words for an error number ("Permission denied").
std::string ReasonOf(int error_number);

}  // namespace tallymar
