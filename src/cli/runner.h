// tallymar-cli: the adding machine without a window. It replays a key script
// against the same engine the window uses and prints every message box, beep,
// sound and clipboard text as it happens, then the tape, its rows and the total.
#pragma once

#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "cli/recorder.h"
#include "cli/script.h"
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

// Prints the tape (or its highlighted lines) to a PDF file; returns why it could not.
using PdfPrinter = std::function<std::string(const Calc& calc, const std::string& path)>;

// Replays script actions against an engine that has been started.
class Replayer {
  public:
    // With tape files of its own, which last as long as the replayer.
    Replayer(Calc& calc, Recorder& recorder, std::ostream& out)
        : calc_(calc),
          recorder_(recorder),
          out_(out),
          own_files_(std::make_unique<FileSession>(calc, out)),
          files_(*own_files_) {}
    // With tape files that outlive it (a script run in parts).
    Replayer(Calc& calc, Recorder& recorder, std::ostream& out, FileSession& files)
        : calc_(calc), recorder_(recorder), out_(out), files_(files) {}

    // What {Pdf PATH} prints with; without it the token is an error.
    PdfPrinter print_pdf;

    // Runs one action; returns why it cannot run, or "" when it ran.
    std::string Run(const Action& action);
    // Parses and runs a whole script; returns the first error ("at position N: ...") or "".
    std::string RunAll(std::string_view script);

  private:
    void RunMenu(const std::string& name);
    std::string RunFile(const Action& action);

    Calc& calc_;
    Recorder& recorder_;
    std::ostream& out_;
    std::unique_ptr<FileSession> own_files_;
    FileSession& files_;
};

struct RunOptions {
    int rows = 18;
    int decimals = 2;
    bool calc_mode = false;
    std::string voice;
    std::string callback_voice;
    std::string machine;
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
