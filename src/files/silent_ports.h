// Ports that show nothing and play nothing, for running the engine and the tape
// files where no one watches (benchmarks, fuzzing). Message boxes answer "No"
// where they offer it (so opening a file replaces the tape), else their default;
// file dialogs are cancelled.
#pragma once

#include <optional>
#include <string>

#include "engine/ports.h"
#include "files/file_ports.h"

namespace tallymar {

class SilentPorts : public Dialogs,
                    public Desktop,
                    public WavePlayer,
                    public FileDialogs,
                    public CaptionPort {
  public:
    Answer ShowMessage(const Message& message) override {
        return message.buttons == Buttons::kOk ? message.default_answer : Answer::kNo;
    }
    void ShowSoundsDialog() override {}
    void Beep() override {}
    void SetClipboardText(const std::string&) override {}
    void Repaint() override {}
    void DoEvents() override {}
    void PlayWave(const std::string&) override {}
    std::optional<FileChoice> ChooseOpen(const std::string&) override { return std::nullopt; }
    std::optional<FileChoice> ChooseSave(const std::string&, const std::string&) override {
        return std::nullopt;
    }
    void SetCaption(const std::string&) override {}

    Ports ports() { return Ports{*this, *this, *this}; }
};

}  // namespace tallymar
