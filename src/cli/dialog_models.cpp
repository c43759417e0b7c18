#include "cli/dialog_models.h"

#include "cli/recorder.h"

namespace tallymar::cli {

DialogModels::DialogModels(Commands& commands, Dialogs& messages, std::ostream& out)
    : commands_(commands), messages_(messages), out_(out), colours_(CurrentColours(settings_)) {}

std::string DialogModels::Theme(const std::string& name) {
    ColorsForm form(settings_, colours_, commands_.tape_colours(), *this);
    const int entry = form.ListIndexOf(name);
    if (entry < 0) return "no theme is named \"" + name + "\"";
    form.cboTheme_Click(entry);
    form.cmdOK_Click();
    return "";
}

void DialogModels::NewTheme(const std::string& name) {
    ColorsForm form(settings_, colours_, commands_.tape_colours(), *this);
    name_to_type_ = name;
    form.cmdNewTheme_Click();
    PrintThemes();
}

void DialogModels::DeleteTheme() {
    ColorsForm form(settings_, colours_, commands_.tape_colours(), *this);
    form.cmdDeleteTheme_Click();
    PrintThemes();
}

void DialogModels::ShowNewTheme(NewThemeForm& form) {
    out_ << "dialog " << Quoted(theme_text::kNewThemeCaption) << " "
         << Quoted(theme_text::kNewThemePrompt) << " -> " << Quoted(name_to_type_) << "\n";
    form.txtThemeName_Change(name_to_type_);
    form.cmdOK_Click();
}

void DialogModels::ShowDeleteTheme(DeleteThemeForm& form) {
    out_ << "dialog " << Quoted(theme_text::kDeleteCaption) << " " << Quoted(form.lblDeleteTheme())
         << " -> delete\n";
    form.cmdDelete_Click();
}

void DialogModels::ShowMessage(const std::string& text) {
    messages_.ShowMessage(Message{kProgramTitle, text});
}

bool DialogModels::OpenAddress(const std::string& address) {
    // tallymar-cli starts no browser.
    out_ << "browse " << Quoted(address) << "\n";
    return false;
}

void DialogModels::PrintThemes() {
    const ColorsForm form(settings_, colours_, commands_.tape_colours(), *this);
    out_ << "themes";
    for (const std::string& name : form.cboTheme()) out_ << " " << Quoted(name);
    out_ << " current " << settings_.CurrentTheme << "\n";
}

void DialogModels::OpenConverter() {
    if (converter_) return;
    ConverterDesktop& desktop = *this;
    converter_ = std::make_unique<ConverterForm>(commands_.converter_tape(), desktop,
                                                 settings_.ShowConversion, colours_,
                                                 commands_.calc().symbols());
}

std::string DialogModels::Convert(const std::string& from, const std::string& amount,
                                  const std::string& to) {
    OpenConverter();
    const int from_entry = converter_->FromListIndexOf(from);
    if (from_entry < 0) return "no unit is named \"" + from + "\"";
    converter_->cboFrom_Click(from_entry);
    converter_->txtUnitsFrom_Change(amount);
    const int to_entry = converter_->ToListIndexOf(to);
    if (to_entry < 0) return "\"" + from + "\" does not convert to \"" + to + "\"";
    converter_->cboTo_Click(to_entry);
    PrintConverter();
    return "";
}

void DialogModels::ConvertButton() {
    OpenConverter();
    converter_->cmdConverter_Click();
    PrintConverter();
}

void DialogModels::ShowConversion(bool ticked) {
    OpenConverter();
    if (converter_->chbAddToTape() != ticked) converter_->chbAddToTape_Click(ticked);
}

void DialogModels::PrintConverter() {
    const ConverterForm& c = *converter_;
    out_ << "converter " << Quoted(c.txtUnitsFrom()) << " " << Quoted(c.lblUnitsFromTxt()) << " "
         << Quoted(c.lblEquals()) << " " << Quoted(c.lblUnitsTo()) << " "
         << Quoted(c.lblUnitsToTxt()) << "\n";
}

}  // namespace tallymar::cli
