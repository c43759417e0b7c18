// What the converter needs from outside: the tape it writes conversions onto, a
// browser and a message box. The engine and the window supply them.
#pragma once

#include <string>
#include <vector>

namespace tallymar {

// One tape line of a conversion block: its 17-character Entry text (already cut)
// and its Op: ">" a conversion text line, "H" the rule line, "B" a line left open
// and empty.
struct ConversionLine {
    std::string entry;
    char op = '>';

    bool operator==(const ConversionLine&) const = default;
};

class TapeWriter {
  public:
    virtual ~TapeWriter() = default;
    // Writes a conversion block after the tape's last line, which keeps its content:
    // each of `lines` goes onto a fresh line appended in turn (AddTapeLine, then its
    // Entry and Op), and a fresh open line follows and becomes CurLine. The lines'
    // amounts stay 0 and take no part in arithmetic. Then the rows are redrawn
    // (ShowTape) and the tape is marked changed.
    virtual void AppendConversion(const std::vector<ConversionLine>& lines) = 0;
};

class ConverterDesktop {
  public:
    virtual ~ConverterDesktop() = default;
    // Opens a web address in the user's browser; false when nothing could open it.
    virtual bool OpenAddress(const std::string& address) = 0;
    // A message box with an OK button only and the program's title.
    virtual void ShowMessage(const std::string& text) = 0;
};

}  // namespace tallymar
