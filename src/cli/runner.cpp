#include "cli/runner.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <utility>
#include <vector>

#include "cli/dump.h"
#include "cli/recorder.h"
#include "cli/script.h"
#include "commands/command.h"
#include "engine/calc.h"

namespace tallymar::cli {
namespace {

// The key tokens and the keys they press: the key-down, and the key-press that follows
// when the key types a character.
struct KeyToken {
    const char* token;
    Keystroke key;
};

constexpr char32_t kNoKeyPress = character::kNone;
constexpr KeyToken kKeyTokens[] = {
    {"Enter", {key::kEnter, shift::kNone, character::kEnter}},
    {"S-Enter", {key::kEnter, shift::kShift, character::kEnter}},
    {"Up", {key::kUp, shift::kNone, kNoKeyPress}},
    {"Down", {key::kDown, shift::kNone, kNoKeyPress}},
    {"S-Up", {key::kUp, shift::kShift, kNoKeyPress}},
    {"S-Down", {key::kDown, shift::kShift, kNoKeyPress}},
    {"PgUp", {key::kPageUp, shift::kNone, kNoKeyPress}},
    {"PgDn", {key::kPageDown, shift::kNone, kNoKeyPress}},
    {"Home", {key::kHome, shift::kNone, kNoKeyPress}},
    {"End", {key::kEnd, shift::kNone, kNoKeyPress}},
    {"Bksp", {key::kBackspace, shift::kNone, character::kBackspace}},
    {"NumLock", {key::kNumLock, shift::kNone, kNoKeyPress}},
    {"F2", {key::kF2, shift::kNone, kNoKeyPress}},
    {"Tab", {key::kTab, shift::kNone, character::kTab}},
    {"S-Tab", {key::kTab, shift::kShift, character::kTab}},
    {"Shift", {key::kShift, shift::kShift, kNoKeyPress}},
    {"Ctrl", {key::kCtrl, shift::kCtrl, kNoKeyPress}},
    {"Alt", {key::kAlt, shift::kAlt, kNoKeyPress}},
    {"C-c", {key::kC, shift::kCtrl, kNoKeyPress}},
    {"C-v", {key::kV, shift::kCtrl, kNoKeyPress}},
};

// The tokens named after what they do, and the menu items and buttons they stand for.
constexpr std::pair<const char*, Command> kCommandTokens[] = {
    {"Insert", Command::mnuEditInsert},
    {"Delete", Command::mnuEditDelete},
    {"Copy", Command::mnuEditCopy},
    {"Clear", Command::mnuEditClear},
    {"New", Command::mnuFileNew},
    {"Callback", Command::cmdCallIt},
    {"SelectAll", Command::mnuEditSelectAll},
    {"Undo", Command::mnuEditUndo},
    {"Redo", Command::mnuEditRedo},
};

// A command token: one of those, or the name of a menu item or button itself.
std::optional<Command> CommandOfToken(std::string_view token) {
    for (const auto& [name, command] : kCommandTokens) {
        if (token == name) return command;
    }
    return CommandNamed(token);
}

Answer AnswerOf(const std::string& text) {
    if (text == "yes") return Answer::kYes;
    if (text == "no") return Answer::kNo;
    if (text == "cancel") return Answer::kCancel;
    return Answer::kOk;
}

bool ParseIntArgument(const std::string& text, int* value) {
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), *value);
    return ec == std::errc() && end == text.data() + text.size();
}

constexpr const char* kUsage =
    "usage: tallymar-cli [--rows N] [--decimals CODE] [--calc-mode] [--voice NAME]\n"
    "                    [--callback-voice NAME] [--machine NAME] [--open TAPE]\n"
    "                    [SCRIPT | - | --keys TEXT]\n";

}  // namespace

std::optional<FileChoice> FileSession::TakeChosen(const std::string& title,
                                                  const std::string& file_name) {
    std::optional<std::string> path = std::exchange(chosen_, std::nullopt);
    out_ << "dialog " << Quoted(title) << " " << Quoted(file_name) << " -> "
         << (path ? Quoted(*path) : "cancel") << "\n";
    if (!path) return std::nullopt;
    return FileChoice{*path, FileTitleOf(*path)};
}

std::optional<FileChoice> FileSession::ChooseOpen(const std::string& title) {
    return TakeChosen(title, "");
}

std::optional<FileChoice> FileSession::ChooseSave(const std::string& title,
                                                  const std::string& file_name) {
    return TakeChosen(title, file_name);
}

void FileSession::SetCaption(const std::string& caption) {
    out_ << "caption " << Quoted(caption) << "\n";
}

std::string Replayer::Run(const Action& action) {
    std::string problem = RunAction(action);
    commands_.RefreshCaption();
    return problem;
}

std::string Replayer::RunAction(const Action& action) {
    using Kind = Action::Kind;
    // Keys go to the row whose box has the keyboard.
    const int focus =
        calc_.view().focus_row() >= 0 ? calc_.view().focus_row() : calc_.view().last_row();
    auto row_exists = [&](int row) { return row >= 0 && row <= calc_.view().last_row(); };
    switch (action.kind) {
        case Kind::kType:
            commands_.Key(focus, Keystroke{key::kNone, shift::kNone, action.character});
            break;
        case Kind::kKey:
            for (const KeyToken& token : kKeyTokens) {
                if (action.name == token.token) commands_.Key(focus, token.key);
            }
            break;
        case Kind::kMenu:
            return RunMenu(action.name);
        case Kind::kDecimals:
            for (int index = 0; index < 7; ++index) {
                if (kDecimalOptionCodes[index] == action.number) {
                    commands_.DecimalButton(index);
                    return "";
                }
            }
            return "no decimal button has the code " + std::to_string(action.number);
        case Kind::kMode:
            commands_.SetCalcMode(action.number == 1);
            break;
        case Kind::kClick:
        case Kind::kShiftClick:
        case Kind::kShiftDrag:
            if (!row_exists(action.number)) {
                return "row " + std::to_string(action.number) + " does not exist";
            }
            if (action.kind == Kind::kShiftDrag) {
                commands_.ShiftDrag(action.number, action.y);
            } else if (action.kind == Kind::kShiftClick) {
                commands_.ShiftClick(action.number);
            } else {
                commands_.Focus(action.number);
            }
            break;
        case Kind::kClickLine: {
            // The same line whatever the window's height: a line out of view is first
            // scrolled into the nearest edge row with the scroll bar, as a user would.
            if (action.number < 0)
                return "line " + std::to_string(action.number) + " does not exist";
            const int line = std::min(action.number, calc_.tape().UpperBound());
            if (line < calc_.view().top_line()) commands_.Scroll(line);
            if (line > calc_.view().top_line() + calc_.view().last_row())
                commands_.Scroll(line - calc_.view().last_row());
            commands_.Focus(line - calc_.view().top_line());
            break;
        }
        case Kind::kScroll:
            commands_.Scroll(action.number);
            break;
        case Kind::kWheel:
            commands_.Wheel(action.number);
            break;
        case Kind::kRows:
            if (action.number < 0) return "a window cannot have fewer than 0 rows";
            commands_.Resize(action.number);
            break;
        case Kind::kVoice:
            if (action.name == "Voice") commands_.ChooseSound(SoundChoice::kInputVoice, action.text);
            if (action.name == "CallbackVoice") commands_.ChooseSound(SoundChoice::kCallbackVoice, action.text);
            if (action.name == "Machine") commands_.ChooseSound(SoundChoice::kMachine, action.text);
            break;
        case Kind::kAnswer:
            recorder_.QueueAnswer(AnswerOf(action.text));
            break;
        case Kind::kFile:
            return RunFile(action);
        case Kind::kDialog:
            return RunDialog(action);
        case Kind::kFind:
            RunFind(action);
            break;
    }
    return "";
}

std::string Replayer::RunFile(const Action& action) {
    if (action.name == "Pdf") {
        // File > Print, with the PDF file chosen in the print dialog.
        if (!outside_.print_pdf) return "printing to PDF is not available here";
        outside_.pdf_path = action.text;
        commands_.Run(Command::mnuFilePrint);
        return std::exchange(outside_.print_error, "");
    }
    // File > Open, Save As and Export, with the path chosen in their dialogs.
    const Command command = action.name == "Open"     ? Command::mnuFileOpen
                            : action.name == "Export" ? Command::mnuFileExport
                                                      : Command::mnuFileSaveAs;
    files_.ChoosePath(action.text);
    commands_.Run(command);
    files_.ChoosePath(std::nullopt);
    return "";
}

std::string Replayer::RunDialog(const Action& action) {
    DialogModels& dialogs = outside_.dialogs();
    if (action.name == "Theme") return dialogs.Theme(action.text);
    if (action.name == "NewTheme") dialogs.NewTheme(action.text);
    if (action.name == "DeleteTheme") dialogs.DeleteTheme();
    if (action.name == "Convert") {
        return dialogs.Convert(action.parts.at(0), action.parts.at(1), action.parts.at(2));
    }
    if (action.name == "ConvertButton") dialogs.ConvertButton();
    if (action.name == "ShowConversion") dialogs.ShowConversion(action.number == 1);
    return "";
}

void Replayer::RunFind(const Action& action) {
    // The Find dialog's Find next with the text typed into it, or F3 and Shift+F3,
    // which open the dialog (a "command" line here) until a text was looked for.
    std::optional<int> found;
    if (action.name == "Find") {
        found = commands_.Find(action.text, FindDirection::kNext);
    } else {
        const bool next = action.name == "FindNext";
        if (!commands_.finder().has_text()) {
            commands_.Run(next ? Command::mnuEditFindNext : Command::mnuEditFindPrevious);
            return;
        }
        found = commands_.FindAgain(next ? FindDirection::kNext : FindDirection::kPrevious);
    }
    if (found) {
        out_ << "found L" << *found << "\n";
    } else {
        out_ << "not found " << Quoted(commands_.finder().text()) << "\n";
    }
}

void Replayer::DumpState() {
    Dump(calc_, outside_.dialogs().current_colours(), out_);
}

std::string Replayer::RunMenu(const std::string& name) {
    if (name == "Dump") {
        DumpState();
        return "";
    }
    const std::optional<Command> command = CommandOfToken(name);
    if (!command) return "unknown command {" + name + "}";
    commands_.Run(*command);
    return "";
}

std::string Replayer::RunAll(std::string_view script) {
    std::vector<Action> actions;
    ScriptError error;
    if (!ParseScript(script, &actions, &error)) {
        return "at position " + std::to_string(error.position) + ": " + error.message;
    }
    for (const Action& action : actions) {
        std::string problem = Run(action);
        if (!problem.empty()) {
            return "at position " + std::to_string(action.position) + ": " + problem;
        }
    }
    return "";
}

void StartUp(Calc& calc, const RunOptions& options) {
    Options settings;
    settings.DecimalCode = static_cast<std::int16_t>(options.decimals);
    settings.CalcMode = options.calc_mode;
    settings.CallInputCharacter = options.voice;
    settings.CallbackCharacter = options.callback_voice;
    settings.MachineSound = options.machine;
    calc.SetOptions(settings);
    calc.Start(options.rows);
}

int RunScript(const RunOptions& options, std::string_view script, std::ostream& out,
              std::ostream& err, const PdfPrinter& print_pdf) {
    std::vector<Action> actions;
    ScriptError error;
    if (!ParseScript(script, &actions, &error)) {
        err << "script error at position " << error.position << ": " << error.message << "\n";
        return 2;
    }
    Recorder recorder(out);
    Calc calc(Ports{recorder, recorder, recorder}, options.symbols);
    StartUp(calc, options);
    FileSession files(calc, out);
    Replayer replayer(calc, recorder, out, files);
    replayer.SetPdfPrinter(print_pdf);
    if (!options.open.empty()) replayer.OpenAtStart(options.open);
    for (const Action& action : actions) {
        std::string problem = replayer.Run(action);
        if (!problem.empty()) {
            out.flush();
            err << "script error at position " << action.position << ": " << problem << "\n";
            return 2;
        }
    }
    replayer.DumpState();
    return 0;
}

int CliMain(int argc, const char* const* argv, std::istream& in, std::ostream& out,
            std::ostream& err, const PdfPrinter& print_pdf, const NumberSymbols& symbols) {
    RunOptions options;
    options.symbols = symbols;
    std::string script;
    bool have_script = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&](std::string* target) {
            if (i + 1 >= argc) return false;
            *target = argv[++i];
            return true;
        };
        auto number = [&](int* target) {
            std::string text;
            return value(&text) && ParseIntArgument(text, target);
        };
        bool ok = true;
        if (arg == "--rows") {
            ok = number(&options.rows) && options.rows >= 0;
        } else if (arg == "--decimals") {
            ok = number(&options.decimals);
        } else if (arg == "--calc-mode") {
            options.calc_mode = true;
        } else if (arg == "--voice") {
            ok = value(&options.voice);
        } else if (arg == "--callback-voice") {
            ok = value(&options.callback_voice);
        } else if (arg == "--machine") {
            ok = value(&options.machine);
        } else if (arg == "--open") {
            ok = value(&options.open);
        } else if (arg == "--keys" && !have_script) {
            ok = have_script = value(&script);
        } else if (arg == "-" && !have_script) {
            script.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
            have_script = true;
        } else if (arg == "--help" || arg == "-h") {
            out << kUsage;
            return 0;
        } else if (!have_script && !arg.empty() && arg[0] != '-') {
            std::ifstream file(arg, std::ios::binary);
            if (!file) {
                err << "tallymar-cli: cannot read the script " << arg << "\n";
                return 2;
            }
            script.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
            have_script = true;
        } else {
            ok = false;
        }
        if (!ok) {
            err << "tallymar-cli: bad argument " << arg << "\n" << kUsage;
            return 2;
        }
    }
    return RunScript(options, script, out, err, print_pdf);
}

}  // namespace tallymar::cli
