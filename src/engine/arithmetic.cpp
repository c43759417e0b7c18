// The adding machine: committing amounts, the running result, totals and subtotals.
#include <algorithm>
#include <string>

#include "engine/calc.h"
#include "engine/line_arithmetic.h"

namespace tallymar {

void Calc::AutoPoint(int row) {
    // Worked on the amount as it reads, so that "12.5" keeps its point in every locale
    // and grouping keyed into whole cents ("1,234") does not stand in the way.
    std::string text = PlainAmount(view_.row(row).text, symbols_);
    if (!run_.AutoDecimal || text.empty() || text.find(symbols_.decimal) != std::string::npos)
        return;
    if (text.size() == 1) text = "0" + text;
    text.insert(text.size() - 2, symbols_.decimal);
    view_.row(row).SetText(text);
}

// The committed row shows its amount in the current format next to the line's operator.
void Calc::ShowCommittedText(int row) {
    TapeLine& line = tape_.Edit(work_.CurLine);
    double value = 0;
    if (ParseNumber(view_.row(row).text, symbols_, &value)) line.Amount = value;
    line.Decimals = options_.DecimalCode;
    run_.NumberFormat = GetNumberFormat(options_.DecimalCode);
    view_.row(row).SetText(FormatText(view_.row(row).text, run_.NumberFormat, symbols_));
    view_.row(row).op = std::string(1, line.Op);
}

bool Calc::CommitLine(int row, AfterCommit after) {
    char line_op = tape_[work_.CurLine].Op;
    if (line_op == op::kComment || line_op == op::kRule || line_op == op::kOpen) return true;
    const Row keyed = view_.row(row);
    TapeChanged = true;
    const int line = view_.top_line() + row;
    if (view_.row(row).text.empty()) {
        // An empty entry takes its amount from the lines above as they show, read from
        // the tape: the window's height and how far it is scrolled change nothing.
        std::string supplied;
        if (line <= 0) {
            supplied = "0";
        } else {
            if (op::IsSum(line_op)) {
                // Repeat add or subtract: the amount of the line above, as it shows.
                const std::string above = view_.ShownText(line - 1);
                if (IsNumeric(above, symbols_)) supplied = above;
            } else if ((line_op == op::kTimes || line_op == op::kDivide) &&
                       op::IsSum(PrevOp(tape_.lines(), work_.CurLine))) {
                work_.LineAppended = true;
                StoreLineResult(!work_.EditingOld);
            }
            // After a total (struck two lines up, above its rule), the total; after a
            // subtotal, the subtotal.
            if (line >= 3 && tape_[line - 2].Op == op::kTotal) supplied = view_.ShownText(line - 2);
            if (tape_[line - 1].Op == op::kSubtotal) supplied = view_.ShownText(line - 1);
        }
        if (view_.top_line() + row == line && !supplied.empty()) view_.row(row).SetText(supplied);
    }
    // Storing the sum as a multiplicand appends a line, which in a full window scrolls
    // the tape under the row: the row then shows the new open line, which keeps its
    // empty entry.
    if (view_.top_line() + row == line) {
        if (view_.row(row).text.empty()) view_.row(row).SetText("0");
        if (row == work_.CurLine - view_.top_line() && !IsNumeric(view_.row(row).text, symbols_)) {
            // An amount that cannot be read (a correction mistyped, an overflowed total
            // taken by an empty entry) is not committed: the line keeps its amount and the
            // operator its row shows, the row keeps what was keyed, and a move waits.
            ports_.desktop.Beep();
            view_.row(row) = keyed;
            tape_.Edit(work_.CurLine).Op = keyed.op.empty() ? op::kOpen : keyed.op[0];
            keys_.DropOwedMoves();
            return false;
        }
        AutoPoint(row);
        if (row == work_.CurLine - view_.top_line()) {
            ShowCommittedText(row);
            if (tape_[work_.CurLine].Op == op::kMinus)
                view_.row(row).SetColours(colours_.CurNegClr, view_.row(row).back);
        }
    }
    if (work_.EditingOld) {
        RecalcFromLastTotal();
        work_.EditingOld = false;
        if (after == AfterCommit::kStepDown) keys_.MoveDown(row);
    } else {
        ApplyLine();
        if (row == view_.last_row()) {
            if (!work_.LineAppended) AddTapeLine();
        } else {
            keys_.FocusOpenLine();
        }
    }
    work_.LineAppended = false;
    return true;
}

void Calc::DivisionByZero(Pass pass) {
    if (pass != Pass::kRecount) Tell("Division by zero!");
}

// Closes a product or percentage with a total, unless a range is being recomputed:
// then the result only reaches the total line that follows.
void Calc::Strike(Pass pass) {
    if (pass != Pass::kKeyed) return;
    AddTapeLine();
    StrikeTotal();
}

void Calc::ApplyLine(Pass pass) {
    if (work_.CurLine < 0 || work_.CurLine > UpperBound()) return;
    const char line_op = tape_[work_.CurLine].Op;
    const char prev = PrevOp(tape_.lines(), work_.CurLine);
    const double m = tape_[work_.CurLine].Amount;
    double& a = run_.Accumulator;
    bool struck = false;
    switch (line_op) {
        case op::kPlus:
        case op::kMinus:
            a = LineResult(a, line_op, prev, m);
            break;
        case op::kTimes:
        case op::kDivide:
            if (op::IsSum(prev)) {
                work_.LineAppended = true;
                // The sum so far becomes the multiplicand or dividend, in both modes: an
                // amount keyed before the key has joined the sum, and a line worked again
                // shows the sum it now multiplies.
                StoreLineResult(pass == Pass::kKeyed);
            } else {
                if (prev == op::kDivide && m == 0) DivisionByZero(pass);
                a = LineResult(a, line_op, prev, m);
            }
            break;
        case op::kEquals:
            work_.LineAppended = true;
            if (prev == op::kDivide && m == 0) {
                a = 0;
                if (pass != Pass::kKeyed) break;
                AddTapeLine();
                StrikeTotal();
                display_.text = "Division by zero!";
                keys_.FocusOpenLine();
                return;
            }
            a = LineResult(a, line_op, prev, m);
            Strike(pass);
            struck = true;
            break;
        case op::kPercent:
            // A percentage of a sum changes nothing; of a product or quotient, it
            // finishes it with a total.
            if (prev != op::kTimes && prev != op::kDivide) break;
            work_.LineAppended = true;
            if (prev == op::kDivide && m == 0) DivisionByZero(pass);
            a = LineResult(a, line_op, prev, m);
            Strike(pass);
            struck = true;
            break;
        case op::kRule:
            return;  // the total display is left as it is
        default:
            break;
    }
    // A struck total has already put itself in the total display; lines worked again
    // leave it to the end of their range.
    if (pass == Pass::kKeyed && !struck) ShowAccumulator();
}

void Calc::StoreLineResult(bool append) {
    tape_.Edit(work_.CurLine).Amount = run_.Accumulator;
    tape_.Edit(work_.CurLine).Decimals = options_.DecimalCode;
    if (append) AddTapeLine();
    work_.ShiftEnter = false;
    view_.ShowTape();
}

void Calc::StrikeTotal(Pass pass, bool spoken) {
    const bool subtotal = work_.ShiftEnter;
    TapeLine& line = tape_.Edit(work_.CurLine);
    line.Amount = run_.Accumulator;
    line.Decimals = options_.DecimalCode;
    display_.text = FormatNumber(run_.Accumulator, run_.NumberFormat, symbols_);
    if (subtotal) {
        line.Op = op::kSubtotal;
    } else {
        line.Op = op::kTotal;
        run_.Accumulator = 0;
    }
    if (pass == Pass::kKeyed) {
        AddTapeLine();
        if (!subtotal) {
            tape_.Edit(work_.CurLine).Op = op::kRule;
            SetEntry(tape_.Edit(work_.CurLine), kRuleText);
            AddTapeLine();
        }
    }
    work_.ShiftEnter = false;
    view_.ShowTape();
    ports_.desktop.Repaint();
    // A total keyed leaves the open line below it no operator; one struck again above
    // the open line leaves it the operator it shows.
    if (pass == Pass::kKeyed) run_.PendingOp.clear();
    if (spoken) TellTotalStruck(subtotal, pass != Pass::kKeyed);
}

void Calc::TellTotalStruck(bool subtotal, bool again) {
    // Struck again by a recomputation, the total is the current line; struck by the
    // total key, it stands above the lines striking appended.
    const int struck_line = again ? work_.CurLine : work_.CurLine - (subtotal ? 1 : 2);
    // The amount as the struck line shows it, wherever the window is scrolled.
    const std::string shown = struck_line >= 0 ? view_.ShownText(struck_line) : std::string();
    speech_.TotalStruck(shown, again);
}

namespace {

bool IsRuleOrOpen(char kind) {
    return kind == op::kRule || kind == op::kOpen;
}

}  // namespace

bool Calc::TotalKey(int row) {
    // Line 0 is always a rule; it stands above itself too.
    const char above = tape_[std::max(work_.CurLine - 1, 0)].Op;
    // The lines striking appends: a rule and an open line after a total, an open line
    // after a subtotal; a keyed amount that is committed first takes one more.
    const int strike = work_.ShiftEnter ? 1 : 2;
    const bool keyed = !view_.row(row).text.empty();
    auto refused = [&](int lines) {
        // An amount that cannot be read is not struck: the key beeps, the row keeps it.
        if (keyed && !IsNumeric(view_.row(row).text, symbols_)) {
            ports_.desktop.Beep();
        } else if (!RefuseIfFull(lines)) {
            return false;
        }
        work_.ShiftEnter = false;
        return true;
    };
    switch (above) {
        case op::kPlus:
        case op::kMinus:
        case op::kPercent:  // a percentage of a sum, which changed nothing: the total still comes
        case op::kComment:
        case op::kSubtotal:
        case op::kRule:
        case op::kOpen:
            if (refused(strike + (keyed ? 1 : 0))) return false;
            // An amount keyed but not committed is added before the total is struck,
            // so that no figure the user keyed is lost.
            if (options_.CalcMode && (keyed || !IsRuleOrOpen(above))) {
                CommitLineCalc(row);
            } else if (keyed) {
                tape_.Edit(work_.CurLine).Op = op::kPlus;
                CommitLine(row);
            }
            ApplyLine();
            StrikeTotal();
            break;
        case op::kTimes:
        case op::kDivide:
            if (refused(strike + (keyed ? 1 : 0))) return false;
            tape_.Edit(work_.CurLine).Op = op::kEquals;
            if (!keyed) {
                StrikeTotal();
            } else {
                double value = 0;
                if (ParseNumber(view_.row(row).text, symbols_, &value))
                    tape_.Edit(work_.CurLine).Amount = value;
                CommitLine(row);
            }
            break;
        default:
            break;
    }
    return true;
}

}  // namespace tallymar
