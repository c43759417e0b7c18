#include "platform/qt/locale_numbers.h"

#include <QLocale>

namespace tallymar {

NumberSymbols SystemNumberSymbols() {
    QLocale locale = QLocale::system();
    NumberSymbols symbols;
    symbols.decimal = locale.decimalPoint().toStdString();
    symbols.thousands = locale.groupSeparator().toStdString();
    // A locale without a grouping symbol, or one equal to the decimal point, would make
    // amounts ambiguous; fall back to the common pair.
    if (symbols.decimal.empty() || symbols.thousands == symbols.decimal) symbols = NumberSymbols{};
    return symbols;
}

}  // namespace tallymar
