#include "platform/qt/locale_numbers.h"

#include <QLocale>
#include <QStringList>

namespace tallymar {

NumberSymbols SystemNumberSymbols() {
    QLocale locale = QLocale::system();
    NumberSymbols symbols;
    symbols.decimal = locale.decimalPoint().toStdString();
    symbols.thousands = locale.groupSeparator().toStdString();
    // A locale without a grouping symbol, or one equal to the decimal point, would make
    // amounts ambiguous; fall back to the common pair.
    if (symbols.decimal.empty() || symbols.thousands == symbols.decimal) return NumberSymbols{};
    // Qt tells the group sizes only through a grouped number: "12,34,56,78,90,123" in India.
    locale.setNumberOptions(QLocale::DefaultNumberOptions);
    const QStringList groups =
        locale.toString(Q_INT64_C(1234567890123)).split(locale.groupSeparator());
    auto size_of = [&](qsizetype from_end) {
        const qsizetype n =
            groups.size() > from_end ? groups[groups.size() - 1 - from_end].size() : 0;
        return n >= 1 && n <= 9 ? static_cast<int>(n) : 3;
    };
    if (groups.size() >= 2) symbols.group = symbols.outer_group = size_of(0);
    if (groups.size() >= 3) symbols.outer_group = size_of(1);
    return symbols;
}

}  // namespace tallymar
