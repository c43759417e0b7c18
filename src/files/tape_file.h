// The ".add" tape file: 30-byte records, one per tape line, no header.
// Record layout (little-endian): Signature int16 | Entry 17 single-byte characters |
// Amount IEEE double | Decimals int16 | Op 1 character.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "engine/tape_line.h"

namespace tallymar {

inline constexpr std::size_t kRecordSize = 30;
// Where each field starts within a record.
inline constexpr std::size_t kSignatureOffset = 0;
inline constexpr std::size_t kEntryOffset = 2;
inline constexpr std::size_t kAmountOffset = 19;
inline constexpr std::size_t kDecimalsOffset = 27;
inline constexpr std::size_t kOpOffset = 29;

// The 30 bytes of one line.
void EncodeRecord(const TapeLine& line, char* out);
// Reads the 30 bytes at `bytes`; false when the signature is not 630 (line untouched).
bool DecodeRecord(const char* bytes, TapeLine* line);

// The file's bytes for a whole tape: one record per line, lines 0 to the last.
std::string EncodeTape(const std::vector<TapeLine>& tape);

// The number of whole records in a file of `size` bytes (trailing bytes are ignored).
inline std::size_t RecordCount(std::size_t size) {
    return size / kRecordSize;
}

}  // namespace tallymar
