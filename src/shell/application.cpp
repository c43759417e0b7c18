#include "shell/application.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QSessionManager>
#include <QStatusBar>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "help/about.h"
#include "help/data_folders.h"
#include "help/help_book.h"
#include "platform/qt/locale_numbers.h"
#include "platform/qt/twips.h"
#include "shell/after_first_paint.h"
#include "shell/printing.h"
#include "window/picture_icon.h"
#include "window/tape_window.h"

namespace tallymar {

Application::Application(const std::string& program_folder, FileDialogs* dialogs, WavePlayer* sound,
                         const std::string& settings_path)
    : data_folders_(DataFolders(program_folder)),
      program_folder_(program_folder),
      settings_path_(settings_path.empty() ? SettingsPath(program_folder) : settings_path),
      ini_(settings_path_),
      calc_(Ports{ports_, ports_, sound ? *sound : ports_}, SystemNumberSymbols()),
      dialogs_(dialogs ? *dialogs : qt_dialogs_) {
    // The program's icon, for every window's title bar and the task switcher. Given
    // before the window is made: the tape's frame, made without one, would read the
    // style's window-menu icon, which loads every image plugin.
    QApplication::setWindowIcon(
        RenderedIcon({":/tallymar/app-16.pixels", ":/tallymar/app-32.pixels",
                      ":/tallymar/app-64.pixels", ":/tallymar/app-128.pixels"}));
    files_ = std::make_unique<TapeFiles>(calc_, dialogs_, file_system_, *this);
    commands_ = std::make_unique<Commands>(calc_, *files_);
    window_ = std::make_unique<MainWindow>(*commands_, settings_, ports_);
    help_ = std::make_unique<HelpCommands>(*window_, settings_, ports_, data_folders_);
    dialog_commands_ = std::make_unique<DialogCommands>(*window_, *commands_, settings_, *help_);
    window_->printing().open_help = [this] { help_->ShowHelp(kHelpContentsPage); };
    ports_.sound_folders = SubFolders(data_folders_, "sounds");
    // The task switcher finds the desktop entry (and through it the installed icon)
    // by this name.
    QGuiApplication::setDesktopFileName(QString::fromStdString(DesktopFileName()));
    commands_->SetOutside(dialog_commands_.get());
    DialogCommands* shell = dialog_commands_.get();
    ports_.sounds_dialog = [shell] { shell->ShowSounds(); };
    ports_.keys_interrupt_voice = [this] { return calc_.options().KeysInterruptVoice; };
    recovery_ = std::make_unique<RecoveryCopies>(calc_, *files_, ports_, RecoveryFolder());
    window_->after_tape_event = [this] { recovery_->AfterTapeEvent(); };
    window_->on_closing = [this] {
        // The converter closes before the settings it edits are written.
        dialog_commands_->CloseConverter();
        SaveSettingsNow();
        recovery_->Closing();
    };
    // Ended from outside (a log-out, a kill): the settings and the tape are kept, the
    // tape as a recovery copy the next start offers back.
    exit_after_signal = [] { std::_Exit(0); };
    end_signals_ = std::make_unique<EndSignals>();
    end_signals_->on_end = [this](int) {
        recovery_->WriteNow();
        SaveSettingsNow(false);
        if (exit_after_signal) exit_after_signal();
    };
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, [this] {
        recovery_->WriteNow();
        SaveSettingsNow(false);
    });
    ports_.SetParent(window_.get());
    qt_dialogs_.SetParent(window_.get());
    TapeWindow* tape = &window_->tape_window();
    ports_.repaint = [tape] {
        tape->Sync();
        tape->repaint();
    };
    MainWindow* window = window_.get();
    ports_.before_events = [tape, window] {
        tape->Sync();
        window->ShowCheckMarks();
    };
}

Application::~Application() {
    // The shell's dialogs go before the commands that reach them.
    commands_->SetOutside(nullptr);
    ports_.sounds_dialog = nullptr;
}

void Application::SetCaption(const std::string& caption) {
    window_->setWindowTitle(QString::fromStdString(caption));
}

void Application::SetBusy(bool busy) {
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

void Application::Start(const std::string& command_line_path) {
    SeedSettings(program_folder_, FindDataFile(data_folders_, kSettingsFileName), settings_path_);
    const bool found = ini_.Load();
    QScreen* screen = QGuiApplication::primaryScreen();
    const Twips t = Twips::Of(window_.get());
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const ScreenSize size{t.FromX(available.width()), t.FromY(available.height())};
    LoadSettings(ini_, found, size, &settings_);
    PlaceOnScreen(size, &settings_.form);

    calc_.SetOptions(settings_.options);
    files_->recent().Set(settings_.RecentFiles);
    dialog_commands_->current_colours() = CurrentColours(settings_);
    calc_.ApplyColors(dialog_commands_->current_colours());
    LoadWindowPlace();
    if (settings_.AlwaysOnTop) window_->always_on_top().Set(true);

    // The tape window loads with the rows that fit already known, so that the new
    // tape shows whole from the first line.
    window_->FitRows();
    calc_.Start(calc_.view().max_row());
    SetCaption(files_->Caption());
    window_->tape_window().Sync();
    window_->statusBar()->setVisible(settings_.ShowItemCount);
    window_->ShowItemCount();

    // What waits for the window to have painted is set going before it is shown:
    // some platforms paint a window as it is shown.
    // With a voice or a machine chosen, the sound device opens once the window has
    // painted and gone idle: not during start-up, and not at the cost of the first key.
    const Options& sound = calc_.options();
    auto chosen = [](const std::string& name) { return !name.empty() && name != "None"; };
    if (chosen(sound.CallInputCharacter) || chosen(sound.MachineSound)) {
        AfterFirstPaint(window_.get(), [this] {
            QTimer::singleShot(100, window_.get(), [this] { ports_.PrepareSound(); });
        });
    }
    // The tip of the day, a dialog with its tips file and picture, opens over the
    // painted window; what follows it at start-up waits for it, as always.
    starting_ = settings_.ShowTipAtStartup;
    if (starting_) {
        AfterFirstPaint(window_.get(), [this, command_line_path] {
            help_->ShowTip();
            FinishStart(command_line_path);
        });
    }
    window_->show();
    window_->activateWindow();
    if (!starting_) FinishStart(command_line_path);
}

void Application::FinishStart(const std::string& command_line_path) {
    recovery_->OfferLeftOver();
    if (!command_line_path.empty()) {
        window_->tape_window().Apply(
            [&](Commands& commands) { commands.OpenFile(command_line_path); });
    }
    starting_ = false;
}

void Application::LoadWindowPlace() {
    const Twips t = Twips::Of(window_.get());
    const FormPlace& f = settings_.form;
    window_->resize(t.X(f.Width), t.Y(f.Height));
    window_->move(t.X(f.Left), t.Y(f.Top));
}

void Application::SaveSettingsNow(bool tell_failure) {
    const Twips t = Twips::Of(window_.get());
    settings_.options = calc_.options();
    settings_.RecentFiles = files_->recent().paths();
    settings_.AlwaysOnTop = window_->always_on_top().checked();
    const QRect place = window_->geometry();
    settings_.form = FormPlace{t.FromX(place.width()), t.FromY(place.height()), t.FromX(place.x()),
                               t.FromY(place.y())};
    std::string reason;
    // Only what this window changed is written, over what another window sharing the
    // file may have written meanwhile; the window's place is always this one's. The
    // program still closes; the user learns that the options were not kept.
    if (!ini_.SaveChanges(settings_, &reason)) {
        // Ended from outside, nobody may be there to answer a message: the reason goes
        // to the standard error.
        if (!tell_failure) {
            std::fprintf(stderr, "%s\n", SettingsNotSavedText(ini_.path(), reason).c_str());
            return;
        }
        ports_.ShowMessage(Message{kProgramTitle, SettingsNotSavedText(ini_.path(), reason),
                                   Buttons::kOk, Icon::kExclamation, Answer::kOk});
    }
}

std::string SettingsNotSavedText(const std::string& path, const std::string& reason) {
    return std::string(kProgramTitle) + " could not save its settings to " + path + ": " + reason;
}

CommandLine ParseCommandLine(int argc, const char* const* argv) {
    CommandLine line;
    bool options = true;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (options && arg == "--") {
            options = false;
        } else if (options && arg == "--settings") {
            if (i + 1 >= argc) {
                line.error = "--settings needs the name of a settings file";
                break;
            }
            line.settings_path = argv[++i];
        } else if (options && arg.rfind("--settings=", 0) == 0) {
            line.settings_path = arg.substr(11);
        } else if (line.tape_path.empty()) {
            line.tape_path = arg;
        } else {
            line.error = "only one tape file can be opened at start: " + arg;
            break;
        }
    }
    return line;
}

}  // namespace tallymar
