// The adding machine: the tape, the running calculation (its registers), committing,
// striking totals and subtotals, recomputing after a correction, calculator mode,
// inserting and deleting. It owns the parts around it: the TapeView that shows the
// tape in rows, the KeyboardEntry that turns the tape window's events into its
// operations (the window and tallymar-cli send them through commands/, reaching it
// by keyboard()), the Speech that hears it and the VoiceCallback that reads it back.
// Lines also come from elsewhere: a tape file being read (TakeLines), a conversion
// block. The rest of the program reads it through the const accessors below; it
// reaches the outside only through its ports. A window shows `view()` (the rows, the
// focus row, the scroll bar) and `display()`.
//
// Example, two decimal places, a window of six rows: Start(6) makes the new tape
// (line 0 a rule, 1 "0.00 T", 2 a rule, 3 the open line, with the focus). Keying
// "5" and "+" into the focused row commits line 3 as "5.00 +" and appends the open
// line 4; Enter there strikes "5.00 T" on line 4, a rule on line 5 and a new open
// line 6, and display().text reads "5.00". Undo then takes the total back (lines 4
// to 6), and Redo strikes it again.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "engine/keyboard_entry.h"
#include "engine/keys.h"
#include "engine/line_look.h"
#include "engine/number_format.h"
#include "engine/options.h"
#include "engine/ports.h"
#include "engine/speech.h"
#include "engine/tape.h"
#include "engine/tape_line.h"
#include "engine/tape_view.h"
#include "engine/voice_callback.h"

namespace tallymar {

// Lines the tape scrolls for one notch of the mouse wheel.
inline constexpr int kWheelLines = 3;

inline constexpr const char* kProgramTitle = "Tallymar";
// The decimal code each decimal option button chooses, by option index.
inline constexpr int kDecimalOptionCodes[7] = {16, 0, 1, 2, 4, 6, 17};

// Where a file's lines go: in place of the tape, or after its last line.
enum class LinesPlaced { kInPlaceOfTape, kAfterTape };
// What came of reading a file's lines onto the tape: a damaged line stopped it, or
// the tape was full before the file's end.
struct LinesTaken {
    bool damaged = false;
    bool too_long = false;
};

inline constexpr Colour kAdderModeColour = Rgb(255, 0, 0);
inline constexpr Colour kCalcModeColour = Rgb(0, 255, 255);

// The total display under the tape, and the decimal option button that is on.
struct TotalDisplay {
    std::string text;                // the running result or the total last struck
    Colour fore = kAdderModeColour;  // red in adding machine mode, cyan in calculator mode
    int decimal_option = 0;
};

class Calc {
  public:
    Calc(Ports ports, NumberSymbols symbols = {});
    // It lends its parts references to each other: it stays where it was made.
    Calc(const Calc&) = delete;
    Calc& operator=(const Calc&) = delete;

    // --- reading the tape and its state ---
    // The lines, and what can be undone or made again.
    const Tape& tape() const { return tape_; }
    double accumulator() const { return run_.Accumulator; }
    int cur_line() const { return work_.CurLine; }
    bool tape_changed() const { return TapeChanged; }
    const Options& options() const { return options_; }
    const Colours& colours() const { return colours_; }
    const NumberSymbols& symbols() const { return symbols_; }
    // The ways out the engine was given, for the parts that speak for it (the tape
    // files, the commands): the same message boxes, desktop and player.
    const Ports& ports() const { return ports_; }

    // --- the tape window as the engine models it ---
    // The rows, the lines they show, the focus row, the selection and the scroll bar.
    const TapeView& view() const { return view_; }
    const TotalDisplay& display() const { return display_; }

    // --- settings ---
    // The options read from the settings file, taken before Start; the Sounds dialog's
    // and the Mode dialog's choices, taken at once (the total display turns cyan in
    // calculator mode, red in adding machine mode).
    void SetOptions(const Options& options);
    // The colour dialog's Apply: the five colours are taken, and every row recolours as
    // ApplyColorsToRow says; the row of a comment being keyed takes the text colour.
    // Before Start the colours are only taken.
    void ApplyColors(const Colours& colours);

    // --- start-up and window events ---
    // Loads the tape window with max_row rows available and builds the new tape.
    void Start(int max_row);
    // A new tape; `quiet` keeps its zero total from being spoken (start-up).
    void BuildNewTape(bool quiet);
    void DecimalOptionClick(int index);  // the decimal option button `index` chosen

    // --- keyboard entry: the rows' and the window's events ---
    KeyboardEntry& keyboard() { return keys_; }
    const KeyboardEntry& keyboard() const { return keys_; }

    // --- lines put on the tape from outside the keyboard ---
    // A tape file read in place of the tape: the tape becomes the file's lines, each
    // followed by a new open line, up to a damaged line or as far as a tape holds them
    // (kMaxLines; the file's own last line, when it is an open line, then stands in for
    // the new one). The rows are drawn once, at the end, showing the end of the tape,
    // the focus on its open line.
    // Placed after the tape's last line instead, the first line read takes its place.
    LinesTaken TakeLines(LineSource& lines, LinesPlaced placed);
    // False: the tape now equals its file (saved, or read whole), no changes to save.
    // True: the tape holds lines that no file holds (a file appended, a file read in part).
    void MarkTapeChanged(bool changed);

    // --- undo ---
    // Edit > Undo: what was keyed into the focus row and not yet committed is dropped;
    // with nothing keyed, the last change to the tape is taken back, with the running
    // total, the total display and the focus line it found. Beeps when there is none.
    void Undo();
    // Edit > Redo: the change undone last is made again.
    void Redo();
    // A new tape or a tape file read in its place: what came before cannot be undone.
    void ForgetHistory() { tape_.ForgetHistory(); }
    // A conversion block: after the tape's last line, which keeps its content, each of
    // `lines` (its Entry and Op) goes onto a fresh line in turn, and a fresh open line
    // follows as CurLine; the rows are redrawn and the tape is marked changed. When the
    // block and its open line do not fit, the user is told the tape is full and
    // nothing is written.
    void AppendConversion(const std::vector<TapeLine>& lines);

    // --- the voice callback ---
    VoiceCallback& voice_callback() { return callback_; }

  private:
    int UpperBound() const { return tape_.UpperBound(); }

    // --- what keyboard entry tells the machine ---
    // The line the machine works on is `line` (a row got the focus or a key came).
    void WorkOn(int line) { work_.CurLine = line; }
    // A key was typed into the line worked on: a correction, unless it is the open line.
    void StartKeying() { work_.EditingOld = work_.CurLine < UpperBound(); }
    // Nothing is keyed into the line worked on: leaving its row commits nothing.
    void NothingKeyed() { work_.EditingOld = false; }
    // A correction is keyed into a line above the open line, or lines are recomputed.
    bool correcting() const { return work_.EditingOld; }
    // The total key was pressed with Shift (a subtotal) or without.
    void SetSubtotalKey(bool shift) { work_.ShiftEnter = shift; }
    // Calculator mode's "+" or "-" key: the operator the next amount takes.
    void CalcModeKey(std::string key) { run_.CalcOp = std::move(key); }
    // Something was keyed that the tape file does not hold yet.
    void TapeKeyed() { TapeChanged = true; }

    // --- the tape and its state ---
    Tape tape_;
    // The running calculation: the result so far and how amounts are read and shown.
    struct Registers {
        double Accumulator = 0;
        std::string NumberFormat;  // pattern of the decimal code last looked up
        bool AutoDecimal = false;  // two places put into an amount keyed without a point
        std::string PendingOp;     // calculator mode: the operator the next amount takes
        std::string CalcOp;        // calculator mode: the "+" or "-" key just pressed
    };
    Registers run_;
    // The line being worked on and how it came to be.
    struct WorkingLine {
        int CurLine = 0;
        bool EditingOld = false;    // a line above the open line is being corrected
        bool LineAppended = false;  // the commit under way has appended the next line
        bool ShiftEnter = false;    // the total key was pressed with Shift: a subtotal
    };
    WorkingLine work_;
    bool TapeChanged = false;

    Options options_;
    Colours colours_;

    TotalDisplay display_;

    Ports ports_;
    NumberSymbols symbols_;
    TapeView view_{tape_, colours_, symbols_};
    // The tape heard: told of every key, operator and total as it happens.
    Speech speech_{options_, ports_.sound, symbols_};
    KeyboardEntry keys_{*this, tape_, view_};
    VoiceCallback callback_{*this, tape_, view_, keys_};
    // While set, appending to a full window does not redraw the rows (a tape file
    // being read redraws once at its end).
    bool defer_redraw_ = false;
    friend class KeyboardEntry;
    friend class VoiceCallback;

    // One user action, recorded as one undo step however many lines it changes.
    class Step {
      public:
        // An action inside another (a commit on leaving a row) is part of the outer one.
        explicit Step(Calc& calc) : calc_(calc), outermost_(!calc.tape_.in_step()) {
            if (outermost_) calc_.tape_.BeginStep(calc_.Marks());
        }
        ~Step() {
            if (!outermost_) return;
            // Most actions (a digit, a move) change no line: no marks are taken for them.
            calc_.tape_.EndStep(calc_.tape_.lines_changed() ? calc_.Marks() : TapeMarks{});
        }
        Step(const Step&) = delete;
        Step& operator=(const Step&) = delete;

      private:
        Calc& calc_;
        bool outermost_;
    };
    TapeMarks Marks() const;
    // After an undo or redo: the rows show the lines again, the focus on `marks`' line.
    void RestoreMarks(const TapeMarks& marks);

    // Shows the end of the tape and puts the focus on the open line afresh.
    void ShowTapeEnd();

    // --- arithmetic ---
    // What a commit does after the line is worked out: a correction steps down to the
    // next line, unless it was committed because its row was being left.
    enum class AfterCommit { kStepDown, kStay };
    // False when the row's amount cannot be read: it beeps and stays in the row.
    bool CommitLine(int row, AfterCommit after = AfterCommit::kStepDown);
    void CommitLineCalc(int row);
    // How a line is worked into the running result.
    enum class Pass {
        kKeyed,      // as the user commits it: the total display shows the result at once
        kRecompute,  // the lines after a correction: the display is shown once, at the end,
                     // rather than after each of possibly thousands of lines
        kRecount,    // the lines below the last total added up again after a total was
                     // struck: a zero divisor among them has already been reported
    };
    void ApplyLine(Pass pass = Pass::kKeyed);
    // The current line takes the running result as its amount (a sum become a factor);
    // a line is appended after it when `append`.
    void StoreLineResult(bool append);
    // Strikes the running result as a total (or a subtotal after Shift+Enter): keyed, on
    // the open line, which a rule and a new open line follow; recomputed, on the total
    // line where it stands. A new tape's first total is struck `spoken` false, so that
    // start-up is silent.
    void StrikeTotal(Pass pass = Pass::kKeyed, bool spoken = true);
    // Enter or "=" on the open line; false when the tape has no room for what it strikes.
    bool TotalKey(int row);
    void Strike(Pass pass);
    void DivisionByZero(Pass pass);
    void AutoPoint(int row);
    void ShowCommittedText(int row);
    // Tells the listener of the total just struck, with its amount as its line shows it.
    void TellTotalStruck(bool subtotal, bool again);

    // --- editing ---
    // Appends an open line to the tape and makes it CurLine.
    void AddTapeLine();
    void InsertTapeLine(int line);
    // Puts a product or quotient line (`kind`) at `line`, under a column of sums, the
    // focus left where it is; it takes the column's sum when the tape is worked out again.
    void InsertFactorLine(int line, char kind);
    void RowDelete();
    // Works the lines after the last total above the current line out again, striking
    // the next total below.
    void RecalcFromLastTotal();
    void RecountOpenSection();
    struct DeleteProgress {
        int n = 0, row_counter = 0, line_counter = 0, surplus = 0;
    };
    void RowDeleteSteps(DeleteProgress& progress);
    // Puts a file's lines on the tape from line `start` on.
    LinesTaken PutFileLines(LineSource& lines, int start);
    // After lines were read in: the running total becomes what the lines below the last
    // total add up to, and the total display shows it (or that total, with nothing
    // keyed after it), so that the next total counts the amounts the file held.
    void TakeRunningTotalFromLines();

    // --- the total display ---
    std::string GetNumberFormat(int decimal_code);
    void ShowAccumulator();

    // Appending `count` lines would pass the tape's limit: tells the user and returns true.
    bool RefuseIfFull(int count);
    Answer Tell(const std::string& text, Buttons buttons = Buttons::kOk, Icon icon = Icon::kNone,
                Answer default_answer = Answer::kOk, const std::string& title = kProgramTitle);
    // F2: the input voice says the item count, then "total" and the grand total.
    void SpeakStatus();
};

// The item count and grand total as the window shows them: "7 items · GT 1,234.50".
std::string StatusText(const Calc& calc);
// The lines of `range` as Edit > Copy gives them, joined by line feeds.
std::string TextOfLines(const Calc& calc, LineRange range);
// The lines printing covers: the highlighted ones (in either order) or the whole tape.
LineRange LinesToPrint(const Calc& calc, bool selection);

}  // namespace tallymar
