// The colour and converter dialogs of tallymar-cli: their models, driven by the
// script's tokens. The colour dialog opens for one token and closes again; the
// converter stays open from the token that opens it on. Their questions are
// answered as the tokens say and printed as lines, their message boxes go out as
// the engine's do.
#pragma once

#include <memory>
#include <ostream>
#include <string>

#include "commands/commands.h"
#include "converter/converter_form.h"
#include "settings/colors_form.h"
#include "settings/settings.h"

namespace tallymar::cli {

class DialogModels : private ThemeDialogs, private ConverterDesktop {
  public:
    DialogModels(Commands& commands, Dialogs& messages, std::ostream& out);

    // The five colours the program paints with (those of the current theme at start).
    const Colours& current_colours() const { return colours_; }
    const Settings& settings() const { return settings_; }

    // Each returns why it could not be done, "" when it was.
    // The colour dialog: the theme named `name` (trailing blanks ignored) picked, then OK.
    std::string Theme(const std::string& name);
    // The colour dialog: "Save new theme" with `name` typed and OK; prints the themes.
    void NewTheme(const std::string& name);
    // The colour dialog: "Delete current theme" answered Delete; prints the themes.
    void DeleteTheme();

    // The converter, opened first when it is closed: `from` picked, `amount` typed
    // over the amount box, `to` picked; prints the labels.
    std::string Convert(const std::string& from, const std::string& amount, const std::string& to);
    // The convert button; prints the labels.
    void ConvertButton();
    // "Show conversion on tape" clicked into the state `ticked` (no click when it is so).
    void ShowConversion(bool ticked);
    // Options > Converter... or the tape window's button: opens it when it is closed.
    void OpenConverter();

  private:
    void ShowNewTheme(NewThemeForm& form) override;
    void ShowDeleteTheme(DeleteThemeForm& form) override;
    void ShowMessage(const std::string& text) override;
    bool OpenAddress(const std::string& address) override;

    void PrintThemes();
    void PrintConverter();

    Commands& commands_;
    Dialogs& messages_;
    std::ostream& out_;
    Settings settings_;  // as without a settings file: the built-in themes
    Colours colours_;
    std::string name_to_type_;
    std::unique_ptr<ConverterForm> converter_;
};

}  // namespace tallymar::cli
