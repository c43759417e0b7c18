// The converter window's rules: picking units, converting, and writing a
// conversion onto the tape as a block of text lines.
#include "converter/converter_form.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "converter/conversion.h"
#include "converter/unit_names.h"
#include "engine/tape_line.h"

#ifndef TALLYMAR_CURRENCY_ADDRESS
#error "TALLYMAR_CURRENCY_ADDRESS is set by src/converter/CMakeLists.txt"
#endif

namespace tallymar {

namespace {

constexpr double kMainWindowSpan = 6000;  // twips the converter needs right of the main window
constexpr double kSideStep = 3000;
constexpr double kDownStep = 2000;

// The sorted list's order: letters compared without regard to case.
bool ListsBefore(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) <
               std::tolower(static_cast<unsigned char>(y));
    });
}

int IndexOfName(const std::vector<std::string>& list, std::string_view name) {
    const std::string wanted = TrimUnitName(name);
    for (size_t i = 0; i < list.size(); ++i) {
        if (TrimUnitName(list[i]) == wanted) return static_cast<int>(i);
    }
    return -1;
}

ConversionLine TextLine(std::string_view text) {
    return ConversionLine{FirstCharacters(text, kEntryLength), op::kConversion};
}

}  // namespace

const char* CurrencyAddress() {
    return TALLYMAR_CURRENCY_ADDRESS;
}

WindowPlace ConverterPlace(double main_left, double main_top, double screen_width) {
    WindowPlace place;
    place.left =
        main_left + kMainWindowSpan > screen_width ? main_left - kSideStep : main_left + kSideStep;
    place.top = main_top + kDownStep;
    return place;
}

ConverterForm::ConverterForm(TapeWriter& tape, ConverterDesktop& desktop, bool& ShowConversion,
                             const Colours& colours, NumberSymbols symbols)
    : tape_(tape),
      desktop_(desktop),
      show_conversion_(ShowConversion),
      symbols_(std::move(symbols)) {
    colours_ = ConverterColours{colours.CurBakClr, colours.CurTapClr, colours.CurPosClr};

    convert_loading_ = true;
    SetAddToTape(show_conversion_);
    convert_loading_ = false;

    Conversions(units_);
    from_list_.reserve(units_.size());
    for (const UnitRec& unit : units_) from_list_.push_back(unit.Name);
    std::stable_sort(from_list_.begin(), from_list_.end(), ListsBefore);
}

void ConverterForm::cboFrom_Click(int list_index) {
    if (list_index < 0 || list_index >= static_cast<int>(from_list_.size())) return;
    from_pick_ = list_index;

    to_list_.clear();
    to_pick_ = -1;
    equals_.clear();
    to_name_.clear();
    result_.clear();
    converted_amount_.clear();
    temp_case_ = 0;

    amount_text_ = FormatResult(1, symbols_);

    const std::string& picked = from_list_[list_index];
    for (size_t i = 0; i < units_.size(); ++i) {
        if (units_[i].Name == picked) from_unit_index_ = static_cast<int>(i);
    }
    const UnitRec& unit = units_[from_unit_index_];
    to_list_.assign(unit.TargetNames.begin(), unit.TargetNames.begin() + unit.TargetCount);

    from_name_ = FlipUnitName(TrimUnitName(picked));
}

void ConverterForm::cboTo_Click(int list_index) {
    const bool listed = list_index >= 0 && list_index < static_cast<int>(to_list_.size());
    if (listed && list_index != to_pick_) {
        // A result in another unit must not stand beside this one's name (nor go onto
        // the tape with it) when the amount cannot be converted.
        result_.clear();
        converted_amount_.clear();
    }
    to_pick_ = listed ? list_index : -1;
    ConvertPicked();
}

void ConverterForm::txtUnitsFrom_Change(std::string_view text) {
    amount_text_ = std::string(text);
}

bool ConverterForm::ConvertPicked() {
    temp_case_ = 0;
    double amount = 0;
    const bool numeric = AmountOf(&amount);
    if (numeric && from_pick_ >= 0) {
        const UnitRec& from = units_[from_unit_index_];
        from_name_ =
            NameForAmount(from.Name, from.TargetNames[ToPosition(from_unit_index_)], amount);
    }
    const int j = to_pick_;
    if (j < 0) return false;

    temp_case_ = TempCaseOf(from_unit_index_, j);
    equals_ = convert_text::kEquals;
    const std::string& plural = to_list_[j];
    to_name_ = FlipUnitName(TrimUnitName(plural));
    if (!numeric) return false;

    const double converted = temp_case_ == 0 ? amount * units_[from_unit_index_].Factors[j]
                                             : ConvertTemperature(amount, temp_case_);
    result_ = FormatResult(converted, symbols_);
    converted_amount_ = amount_text_;
    // "1 foot equals 12 inches", "12 inches equal 1 foot": judged on the result as shown.
    double shown = 0;
    if (ParseNumber(result_, symbols_, &shown)) {
        to_name_ = NameForAmount(units_[UnitAtToPosition(from_unit_index_, j)].Name, plural, shown);
    }
    return true;
}

void ConverterForm::cmdConverter_Click() {
    if (ConvertPicked() && add_to_tape_) AddConversionToTape();
}

void ConverterForm::chbAddToTape_Click(bool ticked) {
    add_to_tape_ = ticked;
    if (convert_loading_) return;
    show_conversion_ = ticked;
    if (ticked && !result_.empty()) AddConversionToTape();
}

void ConverterForm::SetAddToTape(bool ticked) {
    // Like a check box set from code: its click handler runs when the value changes.
    if (add_to_tape_ != ticked) chbAddToTape_Click(ticked);
}

void ConverterForm::cmdWeb_Click() {
    BrowseTo(CurrencyAddress());
}

void ConverterForm::BrowseTo(const std::string& address) {
    if (!desktop_.OpenAddress(address)) desktop_.ShowMessage(convert_text::kNoConnection);
}

bool ConverterForm::AmountOf(double* amount) const {
    return ParseNumber(amount_text_, symbols_, amount);
}

void ConverterForm::AddConversionToTape() {
    std::vector<ConversionLine> block;
    block.push_back(TextLine(converted_amount_));
    // The labels keep the shortened names from now on.
    from_name_ = ShortenSquare(from_name_);
    block.push_back(TextLine(from_name_));
    block.push_back(TextLine(result_));
    to_name_ = ShortenSquare(to_name_);
    block.push_back(TextLine(to_name_));
    block.push_back(ConversionLine{kRuleText, op::kRule});
    tape_.AppendConversion(block);
}

int ConverterForm::FromListIndexOf(std::string_view name) const {
    return IndexOfName(from_list_, name);
}

int ConverterForm::ToListIndexOf(std::string_view name) const {
    return IndexOfName(to_list_, name);
}

}  // namespace tallymar
