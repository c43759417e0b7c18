// The engine's ports on Qt: message boxes, beep, clipboard, repaint, the event
// pump, and wave files played through SDL with the desktop's beep as default sound.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QPointer>
#include <QWidget>

#include "engine/ports.h"
#include "platform/qt/input_hold.h"
#include "platform/sdl/sdl_wave_player.h"

namespace tallymar {

// The engine's ports on Qt: message boxes, the desktop, and the sounds, which play
// while the window goes on painting and the user's input waits its turn.
class QtPorts : public Dialogs, public Desktop, public WavePlayer {
  public:
    // Message boxes are owned by `parent`; after one closes, `parent` is activated again
    // so that focus events keep arriving.
    void SetParent(QWidget* parent) { parent_ = parent; }
    // Shows the engine's model and paints the tape window at once (after a total).
    std::function<void()> repaint;
    // Runs before pending events are let through (the window shows the model first).
    std::function<void()> before_events;
    // What the Sounds dialog does; nothing until it is connected.
    std::function<void()> sounds_dialog;
    // Where wave files are looked for after the program's own folder, before the
    // install folder the program was built for.
    std::vector<std::string> sound_folders;

    Answer ShowMessage(const Message& message) override;
    void ShowSoundsDialog() override;
    void Beep() override;
    void SetClipboardText(const std::string& text) override;
    void Repaint() override;
    void DoEvents() override;
    void PlayWave(const std::string& file_name) override;
    // Opens the sound device now (once the window is up), rather than at the first key.
    void PrepareSound();

    // "Keys interrupt the voice": asked when a key arrives while a word plays.
    std::function<bool()> keys_interrupt_voice;
    // The user's input while a sound plays (tests look at it).
    InputHold& input_hold() { return hold_; }

  private:
    void MakePlayer();

    InputHold hold_;
    QPointer<QWidget> parent_;
    std::unique_ptr<SdlWavePlayer> player_;  // made at the first sound
};

}  // namespace tallymar
