// The 30-byte tape record: field layout, byte order, and what reading a record
// accepts.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "engine/text_codec.h"
#include "files/tape_file.h"

namespace tallymar {
namespace {

TapeLine Line(char op, double amount, std::int16_t decimals, const char* entry = nullptr) {
    TapeLine line;
    line.Op = op;
    line.Amount = amount;
    line.Decimals = decimals;
    if (entry) SetEntry(line, entry);
    return line;
}

std::string Bytes(std::initializer_list<int> values) {
    std::string bytes;
    for (int value : values) bytes += static_cast<char>(value);
    return bytes;
}

TEST(TapeRecord, round_trip_keeps_every_field_bit_for_bit) {
    const double inf = std::numeric_limits<double>::infinity();
    const TapeLine lines[] = {
        Line('+', 1234.5, 2),
        Line('-', -0.0, 0),
        Line('T', 1e300, 16),
        Line('C', 7, 17, "Café € „Zoë“"),  // Windows-1252 letters above 0x7F
        Line('>', 0, 6, "12345678901234567"),
        Line('%', std::numeric_limits<double>::quiet_NaN(), 4),
        Line('S', inf, -1),
        Line('=', -inf, 32767),
        Line(' ', std::numeric_limits<double>::denorm_min(), -32768),
        Line(static_cast<char>(0xE9), 5e-324, 1),
    };
    for (const TapeLine& line : lines) {
        char record[kRecordSize];
        EncodeRecord(line, record);
        TapeLine read = Line('B', 99, 99, "stale");
        ASSERT_TRUE(DecodeRecord(record, &read)) << line.Op;
        EXPECT_EQ(read.Signature, kSignature);
        EXPECT_EQ(read.Entry, line.Entry) << line.Op;
        EXPECT_EQ(std::bit_cast<std::uint64_t>(read.Amount),
                  std::bit_cast<std::uint64_t>(line.Amount))
            << line.Op;
        EXPECT_EQ(read.Decimals, line.Decimals);
        EXPECT_EQ(read.Op, line.Op);
    }
}

TEST(TapeRecord, stores_single_byte_text_as_it_is_and_reads_it_back_as_the_same_letters) {
    char record[kRecordSize];
    EncodeRecord(Line('C', 0, 2, "€é"), record);
    EXPECT_EQ(std::string(record + kEntryOffset, 3), Bytes({0x80, 0xE9, ' '}));
    TapeLine read;
    ASSERT_TRUE(DecodeRecord(record, &read));
    EXPECT_EQ(EntryText(read), "€é               ");
}

TEST(TapeRecord, numbers_are_little_endian_at_their_offsets) {
    char record[kRecordSize];
    EncodeRecord(Line('+', 1.5, -2), record);
    EXPECT_EQ(std::string(record, 2), Bytes({0x76, 0x02}));
    EXPECT_EQ(std::string(record + 19, 8), Bytes({0, 0, 0, 0, 0, 0, 0xF8, 0x3F}));
    EXPECT_EQ(std::string(record + 27, 2), Bytes({0xFE, 0xFF}));
    EXPECT_EQ(record[29], '+');
}

TEST(TapeRecord, a_signature_other_than_630_is_refused_and_the_line_left_alone) {
    for (auto signature : {Bytes({0x77, 0x02}), Bytes({0x02, 0x76}), Bytes({0, 0})}) {
        char record[kRecordSize];
        EncodeRecord(Line('+', 3, 2), record);
        std::memcpy(record, signature.data(), 2);
        TapeLine line = Line('H', 8, 4);
        EXPECT_FALSE(DecodeRecord(record, &line));
        EXPECT_EQ(line.Op, 'H');
        EXPECT_EQ(line.Amount, 8);
    }
}

TEST(TapeFile, of_a_new_tape_is_four_records_laid_out_byte_by_byte) {
    // Rule line 0 (entry never set), the zero total, the rule under it, the open line.
    TapeLine rule_after_total = Line('H', 0, 2);
    SetEntry(rule_after_total, "---------------");
    const std::string file =
        EncodeTape({Line('H', 0, 2), Line('T', 0, 2), rule_after_total, Line('B', 0, 2)});
    ASSERT_EQ(file.size(), 120u);
    const std::string nuls(17, '\0');
    const std::string zero_amount(8, '\0');
    const std::string head = Bytes({0x76, 0x02});
    const std::string decimals = Bytes({0x02, 0x00});
    EXPECT_EQ(file, head + nuls + zero_amount + decimals + "H" +                     //
                        head + nuls + zero_amount + decimals + "T" +                 //
                        head + "---------------  " + zero_amount + decimals + "H" +  //
                        head + nuls + zero_amount + decimals + "B");
}

TEST(TapeFile, holds_as_many_records_as_whole_thirty_byte_pieces) {
    const std::pair<std::size_t, std::size_t> cases[] = {
        {0, 0}, {29, 0}, {30, 1}, {59, 1}, {119, 3}, {120, 4}, {983040, 32768}};
    for (auto [size, records] : cases) EXPECT_EQ(RecordCount(size), records) << size;
}

}  // namespace
}  // namespace tallymar
