#include "files/tape_file.h"

#include <bit>
#include <cstdint>
#include <cstring>

namespace tallymar {
namespace {

// Fields are stored little-endian whatever the host's byte order.
void PutUnsigned(std::uint64_t value, int size, char* out) {
    for (int i = 0; i < size; ++i) out[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::uint64_t GetUnsigned(const char* bytes, int size) {
    std::uint64_t value = 0;
    for (int i = 0; i < size; ++i) {
        value |= static_cast<std::uint64_t>(static_cast<unsigned char>(bytes[i])) << (8 * i);
    }
    return value;
}

void PutInt16(std::int16_t value, char* out) {
    PutUnsigned(static_cast<std::uint16_t>(value), 2, out);
}

std::int16_t GetInt16(const char* bytes) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(GetUnsigned(bytes, 2)));
}

}  // namespace

void EncodeRecord(const TapeLine& line, char* out) {
    PutInt16(line.Signature, out + kSignatureOffset);
    std::memcpy(out + kEntryOffset, line.Entry.data(), line.Entry.size());
    PutUnsigned(std::bit_cast<std::uint64_t>(line.Amount), 8, out + kAmountOffset);
    PutInt16(line.Decimals, out + kDecimalsOffset);
    out[kOpOffset] = line.Op;
}

bool DecodeRecord(const char* bytes, TapeLine* line) {
    const std::int16_t signature = GetInt16(bytes + kSignatureOffset);
    if (signature != kSignature) return false;
    line->Signature = signature;
    std::memcpy(line->Entry.data(), bytes + kEntryOffset, line->Entry.size());
    line->Amount = std::bit_cast<double>(GetUnsigned(bytes + kAmountOffset, 8));
    line->Decimals = GetInt16(bytes + kDecimalsOffset);
    line->Op = bytes[kOpOffset];
    return true;
}

std::string EncodeTape(const std::vector<TapeLine>& tape) {
    std::string bytes(tape.size() * kRecordSize, '\0');
    for (std::size_t i = 0; i < tape.size(); ++i) EncodeRecord(tape[i], &bytes[i * kRecordSize]);
    return bytes;
}

}  // namespace tallymar
