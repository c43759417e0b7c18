// The tape: its lines, and every change to them kept step by step for Edit > Undo
// and Edit > Redo.
//
// The engine reads the lines freely and changes them only through Edit, Append and
// Resize, so that each change is written into the step under way: a line's value
// before the step first changed it, and the tape's length. A step spans one user
// action (a key, a click, a menu command); BeginStep and EndStep bracket it and may
// nest, the outermost pair making the step. A step that changed no line is no step.
//
// Example: on a fresh tape (rule, total 0, rule, open line) the keys "5+" make one
// step: line 3 becomes "5 +" and an open line 4 is appended. Undo puts line 3 back
// as the open line and drops line 4, and hands back the marks the step began with
// (the running total 0, the focus on line 3); Redo makes the step again.
#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <vector>

#include "engine/tape_line.h"

namespace tallymar {

// What goes with the lines when a step is undone or made again: the running total,
// the total display, calculator mode's pending operator and the line with the focus.
struct TapeMarks {
    double accumulator = 0;
    std::string total_text;
    std::string pending_op;
    int focus_line = 0;
};

// Steps kept before the oldest is forgotten.
inline constexpr std::size_t kUndoSteps = 10000;

class Tape {
  public:
    // --- reading ---
    const std::vector<TapeLine>& lines() const { return lines_; }
    const TapeLine& operator[](int line) const { return lines_[static_cast<std::size_t>(line)]; }
    const TapeLine& back() const { return lines_.back(); }
    int size() const { return static_cast<int>(lines_.size()); }
    bool empty() const { return lines_.empty(); }
    int UpperBound() const { return size() - 1; }

    // --- changing, each change recorded in the step under way ---
    TapeLine& Edit(int line);
    void Append(const TapeLine& line);
    // Drops lines from the end, or appends blank ones up to `count`.
    void Resize(int count);
    void Reserve(int count) { lines_.reserve(static_cast<std::size_t>(count)); }
    // The tape becomes `lines` with no history: a new tape, a tape file read in place
    // of the tape. The step under way, if any, is not recorded.
    void Reset(std::vector<TapeLine> lines);

    // --- steps ---
    void BeginStep(const TapeMarks& marks);
    void EndStep(const TapeMarks& marks);
    // Nothing is undone or made again in the middle of a step.
    bool in_step() const { return depth_ > 0; }
    // Whether the step under way has changed a line or the tape's length so far.
    bool lines_changed() const {
        return recording_ && (!open_.before.empty() || size() != open_.size_before);
    }
    bool CanUndo() const { return depth_ == 0 && position_ > 0; }
    bool CanRedo() const { return depth_ == 0 && position_ < steps_.size(); }
    // Takes the last step back and returns the marks it began with.
    TapeMarks Undo();
    // Makes the step undone last again and returns the marks it ended with.
    TapeMarks Redo();
    // Forgets every step (File > New).
    void ForgetHistory();

    // --- the saved point: where the lines equal the tape's file ---
    // Marked in the middle of a step, the point is where the step ends.
    void MarkSaved();
    // The lines hold what no file holds (an append, a file read in part).
    void MarkUnsaved();
    bool AtSavedPoint() const { return saved_ == static_cast<long>(position_); }

  private:
    struct Change {
        int line = 0;
        TapeLine value;
    };
    struct Step {
        int size_before = 0;
        int size_after = 0;
        std::vector<Change> before;  // lines the step changed, as they were
        std::vector<Change> after;   // the same lines and those it appended, as it left them
        TapeMarks marks_before;
        TapeMarks marks_after;
        // Only the operator the open line waits with changed (calculator mode's "+"
        // or "-" cleared by the next key): undone with the step before it, made again
        // with the step after it, never on its own.
        bool waiting_operator_only = false;
    };

    std::vector<TapeLine> lines_;
    std::deque<Step> steps_;
    std::size_t position_ = 0;   // steps made; those after it were undone
    long saved_ = -1;            // the position the file was saved at, -1 for none
    int depth_ = 0;              // BeginSteps not yet ended
    bool recording_ = false;     // the step under way is being recorded
    bool saved_at_end_ = false;  // the step under way ends at the saved point
    Step open_;
    // The step each line was last recorded in, so that a line is recorded once per step.
    std::vector<unsigned> recorded_in_;
    unsigned serial_ = 0;

    void Record(int line);
    const Step& UndoOne();
    const Step& RedoOne();
    void Push(Step step);
    // Whether `step` only goes on typing the comment the last step typed, and so joins it.
    bool ContinuesComment(const Step& step) const;
};

}  // namespace tallymar
