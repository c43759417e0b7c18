// libFuzzer target for the tape file reader: any bytes, decoded record by record
// and opened (replacing the tape) into a started window of a few rows, must
// neither crash nor leave the tape out of shape.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/calc.h"
#include "files/silent_ports.h"
#include "files/tape_file.h"
#include "files/tape_files.h"

namespace {

using namespace tallymar;

class OneFile : public FileSystem {
  public:
    explicit OneFile(std::string bytes) : bytes_(std::move(bytes)) {}
    FileKind KindOf(const std::string&) override { return FileKind::kFile; }
    std::optional<std::string> Read(const std::string&, std::size_t max_bytes,
                                    std::string*) override {
        return bytes_.substr(0, max_bytes);
    }
    bool Write(const std::string&, const std::string&, std::string* reason) override {
        *reason = "Read-only file system";
        return false;
    }

  private:
    std::string bytes_;
};

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    for (std::size_t i = 0; i < RecordCount(size); ++i) {
        TapeLine line;
        if (DecodeRecord(&bytes[i * kRecordSize], &line)) {
            char again[kRecordSize];
            EncodeRecord(line, again);
            Check(bytes.compare(i * kRecordSize, kRecordSize, again, kRecordSize) == 0);
        }
    }

    SilentPorts desk;
    OneFile file(bytes);
    Calc calc(desk.ports());
    calc.Start(5);
    TapeFiles files(calc, desk, file, desk);
    files.OpenTapeFile("fuzz.add");
    Check(!calc.tape().empty() && calc.tape().size() <= kMaxLines);
    Check(calc.view().top_line() >= 0 &&
          calc.view().top_line() + calc.view().last_row() <= calc.tape().UpperBound());
    Check(calc.cur_line() == calc.view().top_line() + calc.view().focus_row());
    // The rows and the total show whatever the file held.
    for (int line = 0; line <= calc.tape().UpperBound(); ++line) calc.view().ShownText(line);
    // Keys after opening still work on the tape that was read.
    calc.keyboard().KeyDown(calc.view().focus_row(), 0, shift::kNone);
    calc.keyboard().KeyPress(calc.view().focus_row(), U'7');
    calc.keyboard().KeyDown(calc.view().focus_row(), 0, shift::kNone);
    calc.keyboard().KeyPress(calc.view().focus_row(), U'+');
    calc.keyboard().KeyDown(calc.view().focus_row(), key::kEnter, shift::kNone);
    calc.keyboard().KeyPress(calc.view().focus_row(), 13);
    return 0;
}
