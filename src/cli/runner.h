// tallymar-cli: the adding machine without a window. It replays a key script
// through the same commands the window's widgets call (commands/) and prints every
// message box, beep, sound and clipboard text as it happens, then the tape, its
// rows and the total.
#pragma once

#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "cli/outside.h"
#include "cli/recorder.h"
#include "cli/script.h"
#include "commands/commands.h"
#include "engine/calc.h"
#include "files/file_ports.h"
#include "files/std_file_system.h"
#include "files/tape_files.h"

namespace tallymar::cli {

// The tape files of tallymar-cli on the real file system. Its file dialogs print a
// line each time they are shown and answer with the path a {Save PATH} handed
// them, once; shown again, or with no path waiting, they are cancelled. The
// caption is printed whenever it changes.
class FileSession : public FileDialogs, public CaptionPort {
  public:
    FileSession(Calc& calc, std::ostream& out)
        : out_(out), tape_files_(calc, *this, file_system_, *this) {}

    TapeFiles& files() { return tape_files_; }
    // The answer of the next file dialog.
    void ChoosePath(std::optional<std::string> path) { chosen_ = std::move(path); }

    std::optional<FileChoice> ChooseOpen(const std::string& title) override;
    std::optional<FileChoice> ChooseSave(const std::string& title,
                                         const std::string& file_name) override;
    void SetCaption(const std::string& caption) override;

  private:
    std::optional<FileChoice> TakeChosen(const std::string& title, const std::string& file_name);

    std::ostream& out_;
    StdFileSystem file_system_;
    std::optional<std::string> chosen_;
    TapeFiles tape_files_;
};

// Replays script actions against an engine that has been started.
class Replayer {
  public:
    // With tape files of its own, which last as long as the replayer.
    Replayer(Calc& calc, Recorder& recorder, std::ostream& out)
        : Replayer(calc, recorder, out, std::make_unique<FileSession>(calc, out)) {}
    // With tape files that outlive it (a script run in parts).
    Replayer(Calc& calc, Recorder& recorder, std::ostream& out, FileSession& files)
        : calc_(calc),
          recorder_(recorder),
          out_(out),
          files_(files),
          commands_(calc, files.files()),
          outside_(commands_, recorder, out) {
        commands_.SetOutside(&outside_);
    }

    // What {Pdf PATH} prints with; without it the token is an error.
    void SetPdfPrinter(PdfPrinter print_pdf) { outside_.print_pdf = std::move(print_pdf); }

    // Prints the state now, as {Dump} does.
    void DumpState();

    // Runs one action; returns why it cannot run, or "" when it ran.
    std::string Run(const Action& action);
    // A tape file named on the program's command line, opened as at start-up.
    void OpenAtStart(const std::string& path) {
        commands_.OpenFile(path);
        commands_.RefreshCaption();
    }
    // Parses and runs a whole script; returns the first error ("at position N: ...") or "".
    std::string RunAll(std::string_view script);

  private:
    Replayer(Calc& calc, Recorder& recorder, std::ostream& out, std::unique_ptr<FileSession> files)
        : Replayer(calc, recorder, out, *files) {
        own_files_ = std::move(files);
    }
    std::string RunAction(const Action& action);
    std::string RunMenu(const std::string& name);
    std::string RunFile(const Action& action);
    std::string RunDialog(const Action& action);
    void RunFind(const Action& action);

    Calc& calc_;
    Recorder& recorder_;
    std::ostream& out_;
    std::unique_ptr<FileSession> own_files_;
    FileSession& files_;
    Commands commands_;
    Outside outside_;
};

struct RunOptions {
    int rows = 18;
    int decimals = 2;
    bool calc_mode = false;
    std::string voice;
    std::string callback_voice;
    std::string machine;
    std::string open;  // a tape file opened as the program's command line opens it
    // The decimal and thousands symbols amounts are keyed and shown with.
    NumberSymbols symbols;
};

// Puts the settings in place and starts the engine as the window's start-up does.
void StartUp(Calc& calc, const RunOptions& options);

// Runs a script from start-up; returns 0, or 2 after writing a script error to err.
int RunScript(const RunOptions& options, std::string_view script, std::ostream& out,
              std::ostream& err, const PdfPrinter& print_pdf = {});

// The command line: tallymar-cli [options] [SCRIPT | -] or --keys 'TEXT'.
// `print_pdf` serves {Pdf PATH}; amounts take the given number symbols.
int CliMain(int argc, const char* const* argv, std::istream& in, std::ostream& out,
            std::ostream& err, const PdfPrinter& print_pdf = {}, const NumberSymbols& symbols = {});

}  // namespace tallymar::cli
