// The ports of tallymar-cli: every outside effect is written out as one line,
// and message boxes take their answers from a queue.
#pragma once

#include <deque>
#include <ostream>
#include <string>
#include <string_view>

#include "engine/ports.h"

namespace tallymar::cli {

// A text in double quotes, with quotes, backslashes, CR, LF and NUL escaped.
std::string Quoted(std::string_view text);

class Recorder : public Dialogs, public Desktop, public WavePlayer {
  public:
    explicit Recorder(std::ostream& out) : out_(out) {}

    void QueueAnswer(Answer answer) { answers_.push_back(answer); }

    Answer ShowMessage(const Message& message) override;
    void ShowSoundsDialog() override { out_ << "dialog \"Sound\"\n"; }
    void Beep() override { out_ << "beep\n"; }
    void SetClipboardText(const std::string& text) override {
        out_ << "clipboard " << Quoted(text) << "\n";
    }
    void Repaint() override {}
    // A script's keys come one after another: none waits while the voice callback reads.
    void DoEvents() override {}
    void PlayWave(const std::string& file_name) override { out_ << "play " << file_name << "\n"; }

  private:
    std::ostream& out_;
    std::deque<Answer> answers_;
};

}  // namespace tallymar::cli
