// Start-up, new tapes, the rows of the window, the decimal buttons and mouse selection.
#include "engine/calc.h"

#include "engine/text_codec.h"

#include <algorithm>
#include <cmath>

namespace tallymar {
namespace {

int OptionIndexOfCode(int code) {
    switch (code) {
        case 0:
            return 1;
        case 1:
            return 2;
        case 2:
            return 3;
        case 3:
        case 4:
            return 4;
        case 5:
        case 6:
            return 5;
        case 17:
            return 6;
        default:
            return 0;
    }
}

}  // namespace

Calc::Calc(Ports ports, NumberSymbols symbols) : ports_(ports), symbols_(std::move(symbols)) {}

void Calc::Start(int max_row) {
    const Step step(*this);
    tape_.Reset({TapeLine{}});
    view_.SetLastRow(0);
    view_.Fit(max_row);
    view_.row(0) = Row{};
    view_.row(0).SetColours(colours_.CurPosClr, colours_.CurTapClr);
    display_.fore = options_.CalcMode ? kCalcModeColour : kAdderModeColour;
    DecimalOptionClick(OptionIndexOfCode(options_.DecimalCode));
    BuildNewTape(true);
    tape_.ForgetHistory();  // the tape the program starts with has nothing to undo
}

void Calc::BuildNewTape(bool quiet) {
    const Step step(*this);
    view_.SetLastRow(0);
    view_.row(0).SetText("");
    view_.row(0).op.clear();
    view_.SetTopLine(0);
    work_.CurLine = 0;
    run_.Accumulator = 0;
    work_.EditingOld = false;
    keys_.Reset();
    view_.selection().Clear();
    view_.ForgetKeying();
    TapeLine first;
    first.Op = op::kRule;
    first.Decimals = options_.DecimalCode;
    tape_.Resize(1);
    tape_.Edit(0) = first;
    AddTapeLine();
    StrikeTotal(Pass::kKeyed, !quiet);
    MarkTapeChanged(false);
    view_.UpdateScroller();
}

void Calc::DecimalOptionClick(int index) {
    const Step step(*this);
    if (index < 0 || index > 6) return;
    display_.decimal_option = index;
    options_.DecimalCode = static_cast<std::int16_t>(kDecimalOptionCodes[index]);
    run_.NumberFormat = GetNumberFormat(options_.DecimalCode);
    ShowAccumulator();
    keys_.FocusOpenLine();
}

void Calc::SetOptions(const Options& options) {
    options_ = options;
    display_.fore = options_.CalcMode ? kCalcModeColour : kAdderModeColour;
}

LineRange LinesToPrint(const Calc& calc, bool selection) {
    if (!selection) return {0, calc.tape().UpperBound()};
    return calc.view().selection().range();
}

Answer Calc::Tell(const std::string& text, Buttons buttons, Icon icon, Answer default_answer,
                  const std::string& title) {
    return ports_.dialogs.ShowMessage(Message{title, text, buttons, icon, default_answer});
}

bool Calc::RefuseIfFull(int count) {
    if (static_cast<int>(tape_.size()) + count <= kMaxLines) return false;
    Tell("The tape is full. Save it and start a new tape.", Buttons::kOk, Icon::kExclamation);
    return true;
}

}  // namespace tallymar
