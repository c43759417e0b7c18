// The converter window (frmConvert, "Converter") as a model: its lists, boxes and
// labels, and its event handlers. A Qt dialog and tallymar-cli both drive it: they
// pass the user's picks, typing and clicks in and show the texts it holds. The
// window is modeless: opening it while it is open shows the same model again, and
// closing it ends the model, so the next opening starts afresh with empty boxes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "converter/converter_ports.h"
#include "converter/units.h"
#include "engine/number_format.h"
#include "engine/options.h"

namespace tallymar {

// The captions of the window's controls.
namespace convert_text {
inline constexpr const char* kCaption = "Converter";
inline constexpr const char* kFrom = "From:";
inline constexpr const char* kTo = "To:";
inline constexpr const char* kUnits = "Units";
inline constexpr const char* kConverted = "Converted";
inline constexpr const char* kEquals = "equals";
inline constexpr const char* kConvertTip = "Converter";
inline constexpr const char* kAddToTape = "Show conversion on tape";
inline constexpr const char* kWeb = "Currency website";
inline constexpr const char* kClose = "Close";
inline constexpr const char* kNoConnection =
    "The Tallymar was unable to connect directly to the currency conversion site.  Please "
    "check your connections to the internet and try again.";
}  // namespace convert_text

// The address "Currency website" opens (set when the program is built).
const char* CurrencyAddress();

// The window's colours, from the current theme when it opens.
struct ConverterColours {
    Colour form_back = 0;   // the window: CurBakClr
    Colour panel_back = 0;  // the frame, the check box and the labels: CurTapClr
    Colour label_fore = 0;  // the labels' text: CurPosClr
};

struct WindowPlace {
    double left = 0;  // twips
    double top = 0;
};
// Where the converter opens: 3000 twips right of the main window's left edge, or
// left of it when the window would reach past the screen's right edge; 2000 twips
// below the main window's top.
WindowPlace ConverterPlace(double main_left, double main_top, double screen_width);

class ConverterForm {
  public:
    // Form_Load: builds the unit table, fills the From list, takes its colours and
    // ticks the check box from `ShowConversion`, which it keeps following.
    ConverterForm(TapeWriter& tape, ConverterDesktop& desktop, bool& ShowConversion,
                  const Colours& colours, NumberSymbols symbols = {});

    // --- what the window shows ---
    const std::vector<std::string>& cboFrom() const { return from_list_; }  // sorted names
    int cboFromIndex() const { return from_pick_; }                         // -1: nothing picked
    const std::vector<std::string>& cboTo() const { return to_list_; }
    int cboToIndex() const { return to_pick_; }
    const std::string& txtUnitsFrom() const { return amount_text_; }
    const std::string& lblUnitsFromTxt() const { return from_name_; }
    const std::string& lblEquals() const { return equals_; }
    const std::string& lblUnitsTo() const { return result_; }
    const std::string& lblUnitsToTxt() const { return to_name_; }
    bool chbAddToTape() const { return add_to_tape_; }
    const ConverterColours& colours() const { return colours_; }

    // --- the user's events ---
    // Picking a unit shows a result but never writes onto the tape; only converting
    // (the convert button, Enter in the amount box) or ticking the box does.
    // A from-unit picked: position in cboFrom. Sets the amount to 1.
    void cboFrom_Click(int list_index);
    // A target picked: position in cboTo (-1: nothing picked). Shows the result.
    void cboTo_Click(int list_index);
    // The amount box's text changed (typing).
    void txtUnitsFrom_Change(std::string_view text);
    // The convert button: converts the amount now typed and, while the box is ticked,
    // writes the conversion onto the tape.
    void cmdConverter_Click();
    // The check box now shows `ticked`. Ticking it while a result is shown writes that
    // conversion onto the tape.
    void chbAddToTape_Click(bool ticked);
    // "Currency website".
    void cmdWeb_Click();

    // Position in cboFrom of the unit named `name` (trailing blanks ignored), -1 if none.
    int FromListIndexOf(std::string_view name) const;
    // Position in cboTo of the target named `name` (trailing blanks ignored), -1 if none.
    int ToListIndexOf(std::string_view name) const;

    // --- state the handlers share ---
    const std::vector<UnitRec>& Units() const { return units_; }
    // Index in Units of the from-unit picked.
    int FromUnitIndex() const { return from_unit_index_; }
    // Temperature case of the last target picked, 0 for other kinds.
    int TempCase() const { return temp_case_; }
    // Set only while the window opens: ticking the box then writes nothing.
    bool ConvertLoading() const { return convert_loading_; }

  private:
    void SetAddToTape(bool ticked);
    // Converts the amount typed to the target picked; false when there is no target
    // or the amount is no number (the result then stays as it was).
    bool ConvertPicked();
    bool AmountOf(double* amount) const;
    void AddConversionToTape();
    void BrowseTo(const std::string& address);

    TapeWriter& tape_;
    ConverterDesktop& desktop_;
    bool& show_conversion_;
    NumberSymbols symbols_;
    std::vector<UnitRec> units_;
    int from_unit_index_ = 0;
    int temp_case_ = 0;
    bool convert_loading_ = false;

    std::vector<std::string> from_list_;
    int from_pick_ = -1;
    std::vector<std::string> to_list_;
    int to_pick_ = -1;
    std::string amount_text_;
    std::string converted_amount_;  // the amount text the result shown was worked out from
    std::string from_name_;
    std::string equals_;
    std::string result_;
    std::string to_name_;
    bool add_to_tape_ = false;
    ConverterColours colours_;
};

}  // namespace tallymar
