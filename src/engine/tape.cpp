#include "engine/tape.h"

#include <cstring>
#include <utility>

namespace tallymar {
namespace {

bool Same(const TapeLine& a, const TapeLine& b) {
    return a.Signature == b.Signature && a.Entry == b.Entry &&
           std::memcmp(&a.Amount, &b.Amount, sizeof a.Amount) == 0 && a.Decimals == b.Decimals &&
           a.Op == b.Op;
}

}  // namespace

TapeLine& Tape::Edit(int line) {
    Record(line);
    return lines_[static_cast<std::size_t>(line)];
}

void Tape::Append(const TapeLine& line) {
    // A line appended where the step had dropped one was recorded when it was dropped.
    lines_.push_back(line);
}

void Tape::Resize(int count) {
    for (int line = count; line < size(); ++line) Record(line);
    lines_.resize(static_cast<std::size_t>(count));
}

void Tape::Reset(std::vector<TapeLine> lines) {
    lines_ = std::move(lines);
    steps_.clear();
    position_ = 0;
    saved_ = -1;
    recording_ = false;
    recorded_in_.assign(lines_.size(), 0);
}

void Tape::ForgetHistory() {
    const bool saved = AtSavedPoint();
    steps_.clear();
    position_ = 0;
    saved_ = saved ? 0 : -1;
    recording_ = false;
}

void Tape::MarkSaved() {
    saved_ = static_cast<long>(position_);
    saved_at_end_ = depth_ > 0;
}

void Tape::MarkUnsaved() {
    if (AtSavedPoint()) saved_ = -1;
    saved_at_end_ = false;
}

void Tape::BeginStep(const TapeMarks& marks) {
    if (depth_++ > 0) return;
    recording_ = true;
    open_ = Step{};
    open_.size_before = size();
    open_.marks_before = marks;
    if (recorded_in_.size() < lines_.size()) recorded_in_.resize(lines_.size(), 0);
    if (++serial_ == 0) {  // the serials went round: no line counts as recorded
        recorded_in_.assign(recorded_in_.size(), 0);
        serial_ = 1;
    }
}

void Tape::Record(int line) {
    if (!recording_ || line >= open_.size_before) return;  // appended lines are kept at the end
    unsigned& in = recorded_in_[static_cast<std::size_t>(line)];
    if (in == serial_) return;
    in = serial_;
    open_.before.push_back({line, lines_[static_cast<std::size_t>(line)]});
}

void Tape::EndStep(const TapeMarks& marks) {
    if (depth_ == 0 || --depth_ > 0) return;
    const bool saved_at_end = std::exchange(saved_at_end_, false);
    if (saved_at_end) saved_ = static_cast<long>(position_);
    if (!recording_) return;
    recording_ = false;
    Step step = std::move(open_);
    step.size_after = size();
    // A line changed and changed back is no change.
    std::erase_if(step.before, [&](const Change& change) {
        return change.line < step.size_after && Same(change.value, lines_[change.line]);
    });
    if (step.before.empty() && step.size_after == step.size_before) return;
    for (const Change& change : step.before) {
        if (change.line < step.size_after) step.after.push_back({change.line, lines_[change.line]});
    }
    for (int line = step.size_before; line < step.size_after; ++line) {
        step.after.push_back({line, lines_[static_cast<std::size_t>(line)]});
    }
    step.marks_after = marks;
    const int last = step.size_after - 1;
    step.waiting_operator_only = step.size_after == step.size_before && step.before.size() == 1 &&
                                 step.before[0].line == last && [&] {
                                     TapeLine was = step.before[0].value;
                                     was.Op = lines_[last].Op;
                                     return Same(was, lines_[last]);
                                 }();
    Push(std::move(step));
    if (saved_at_end) saved_ = static_cast<long>(position_);
}

bool Tape::ContinuesComment(const Step& step) const {
    if (position_ == 0 || position_ != steps_.size() || AtSavedPoint()) return false;
    const Step& last = steps_.back();
    const auto one_line = [](const Step& s) {
        return s.size_before == s.size_after && s.before.size() == 1 && s.after.size() == 1;
    };
    return one_line(step) && one_line(last) && step.before[0].line == last.before[0].line &&
           step.after[0].value.Op == op::kComment && last.after[0].value.Op == op::kComment;
}

void Tape::Push(Step step) {
    // A new change after an undo: the steps undone cannot be made again, nor the saved
    // point among them reached.
    steps_.resize(position_);
    if (saved_ > static_cast<long>(position_)) saved_ = -1;
    if (ContinuesComment(step)) {
        // Typing a comment is one step, not one a character.
        steps_.back().after = std::move(step.after);
        steps_.back().marks_after = step.marks_after;
        return;
    }
    steps_.push_back(std::move(step));
    ++position_;
    if (steps_.size() > kUndoSteps) {
        steps_.pop_front();
        --position_;
        if (saved_ >= 0) --saved_;
    }
}

const Tape::Step& Tape::UndoOne() {
    const Step& step = steps_[--position_];
    lines_.resize(static_cast<std::size_t>(step.size_before));
    for (const Change& change : step.before) lines_[change.line] = change.value;
    return step;
}

const Tape::Step& Tape::RedoOne() {
    const Step& step = steps_[position_++];
    lines_.resize(static_cast<std::size_t>(step.size_after));
    for (const Change& change : step.after) lines_[change.line] = change.value;
    return step;
}

TapeMarks Tape::Undo() {
    if (!CanUndo()) return {};
    const Step* step = &UndoOne();
    while (step->waiting_operator_only && position_ > 0) step = &UndoOne();
    return step->marks_before;
}

TapeMarks Tape::Redo() {
    if (!CanRedo()) return {};
    const Step* step = &RedoOne();
    while (step->waiting_operator_only && position_ < steps_.size()) step = &RedoOne();
    return step->marks_after;
}

}  // namespace tallymar
