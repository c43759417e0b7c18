// What the window tests share: a Tallymar started in a temporary program folder
// with file dialogs the test answers, and a watchdog that answers or fails the
// message boxes and dialogs a test did not expect, instead of hanging on them.
#pragma once

#include <QDialog>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "files/file_ports.h"
#include "shell/application.h"
#include "window/row_box.h"
#include "window/tape_window.h"

namespace tallymar::testing {

// Open and Save As dialogs that give the paths queued by the test, and Cancel after.
class AnsweredFileDialogs : public FileDialogs {
public:
    std::deque<std::string> answers;
    std::vector<std::string> asked;  // the titles of the dialogs shown

    std::optional<FileChoice> ChooseOpen(const std::string& title) override;
    std::optional<FileChoice> ChooseSave(const std::string& title,
                                         const std::string& file_name) override;

private:
    std::optional<FileChoice> Next(const std::string& title);
};

// Watches for modal windows: each one is handed to the next queued handler, or,
// with none queued, recorded as unexpected and closed.
class ModalWatchdog : public QObject {
public:
    ModalWatchdog();
    // The next message box is answered with `button`; its text is recorded.
    void Answer(QMessageBox::StandardButton button);
    // The next modal dialog is handed to `handle`, which must close it.
    void Handle(std::function<void(QDialog*)> handle);

    std::vector<QString> messages;    // texts of the message boxes answered
    std::vector<QString> unexpected;  // what opened with nothing queued for it

private:
    void Check();
    QTimer timer_;
    std::deque<std::function<void(QDialog*)>> handlers_;
};

// A Tallymar in its own program folder.
struct Started {
    // `sound` hears the wave files in place of the sound device (nullptr: SDL).
    explicit Started(const QString& folder, const std::string& command_line = "",
                     WavePlayer* sound = nullptr);
    ~Started();

    Application& app() { return *application; }
    TapeWindow& tape() { return application->window().tape_window(); }
    Calc& calc() { return application->calc(); }
    AmountBox* Row(int r) { return tape().DataBox(r); }
    // Types text into the row that has the focus, key by key.
    void Type(const QString& keys);
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

    AnsweredFileDialogs dialogs;
    std::unique_ptr<Application> application;
};

}  // namespace tallymar::testing
