#include "dialogs/converter_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QFontMetrics>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QUrl>
#include <QVBoxLayout>

#include "converter/unit_names.h"
#include "dialogs/placement.h"
#include "engine/calc.h"
#include "platform/qt/colour.h"
#include "platform/qt/twips.h"

namespace tallymar {
namespace {

void Paint(QWidget* widget, const Colour* fore, Colour back) {
    QPalette palette = widget->palette();
    if (fore) palette.setColor(QPalette::WindowText, ToQColor(*fore));
    palette.setColor(QPalette::Window, ToQColor(back));
    // A check box draws its caption's ground in the button colour.
    if (qobject_cast<QCheckBox*>(widget)) palette.setColor(QPalette::Button, ToQColor(back));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QLabel* Label(const QString& text, const char* name, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

void SetText(QLabel* label, const std::string& text) {
    const QString shown = QString::fromStdString(text);
    if (label->text() != shown) label->setText(shown);
}

}  // namespace

ConverterDialog::ConverterDialog(QWidget* main_window, TapeWriter& tape, bool& ShowConversion,
                                 const Colours& colours, NumberSymbols symbols, Browser browser)
    : QDialog(main_window),
      form_(tape, *this, ShowConversion, colours, std::move(symbols)),
      browser_(std::move(browser)) {
    setObjectName("frmConvert");
    setWindowTitle(convert_text::kCaption);
    setModal(false);

    panel_ = new QFrame(this);
    panel_->setObjectName("fraConverter");
    panel_->setFrameShape(QFrame::StyledPanel);
    auto* from_caption = Label(convert_text::kFrom, "lblFrom", panel_);
    from_ = new QComboBox(panel_);
    from_->setObjectName("cboFrom");
    auto* to_caption = Label(convert_text::kTo, "lblTo", panel_);
    to_ = new QComboBox(panel_);
    to_->setObjectName("cboTo");
    auto* units_caption = Label(convert_text::kUnits, "lblUnits", panel_);
    amount_ = new QLineEdit(panel_);
    amount_->setObjectName("txtUnitsFrom");
    from_name_ = Label("", "lblUnitsFromTxt", panel_);
    equals_ = Label("", "lblEquals", panel_);
    auto* converted_caption = Label(convert_text::kConverted, "lblConverted", panel_);
    result_ = Label("", "lblUnitsTo", panel_);
    result_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // The result can take the focus to be copied; a screen reader names it by its caption.
    result_->setAccessibleName(convert_text::kConverted);
    to_name_ = Label("", "lblUnitsToTxt", panel_);
    add_to_tape_ = new QCheckBox(convert_text::kAddToTape, panel_);
    add_to_tape_->setObjectName("chbAddToTape");
    captions_ = {from_caption, to_caption, units_caption, converted_caption};
    from_caption->setBuddy(from_);
    to_caption->setBuddy(to_);
    units_caption->setBuddy(amount_);
    from_->setAccessibleName(convert_text::kFrom);
    to_->setAccessibleName(convert_text::kTo);
    amount_->setAccessibleName(convert_text::kUnits);

    convert_ = new QPushButton(this);
    convert_->setObjectName("cmdConverter");
    convert_->setIcon(QIcon(":/tallymar/converter.svg"));
    convert_->setToolTip(convert_text::kConvertTip);
    convert_->setAccessibleName(convert_text::kConvertTip);
    convert_->setAccessibleDescription(convert_text::kConvertTip);
    convert_->setDefault(true);
    web_ = new QPushButton(convert_text::kWeb, this);
    web_->setObjectName("cmdWeb");
    web_->setAutoDefault(false);
    // The style fits a button tightly round its caption; this one keeps the room of two
    // characters at each end, so that its long caption does not run into the edges.
    const QFontMetrics web_metrics(web_->font());
    web_->setMinimumWidth(web_metrics.horizontalAdvance(web_->text()) +
                          4 * web_metrics.averageCharWidth());
    close_ = new QPushButton(convert_text::kClose, this);
    close_->setObjectName("cmdClose");
    close_->setAutoDefault(false);

    auto* grid = new QGridLayout(panel_);
    grid->addWidget(from_caption, 0, 0);
    grid->addWidget(from_, 0, 1, 1, 2);
    grid->addWidget(to_caption, 1, 0);
    grid->addWidget(to_, 1, 1, 1, 2);
    grid->addWidget(units_caption, 2, 0);
    grid->addWidget(amount_, 2, 1);
    grid->addWidget(from_name_, 2, 2);
    grid->addWidget(equals_, 3, 1);
    grid->addWidget(converted_caption, 4, 0);
    grid->addWidget(result_, 4, 1);
    grid->addWidget(to_name_, 4, 2);
    grid->addWidget(add_to_tape_, 5, 0, 1, 3);
    grid->setColumnStretch(1, 1);
    // Room for the longest names and results, so that the window keeps its size.
    const QFontMetrics metrics(font());
    from_name_->setMinimumWidth(metrics.horizontalAdvance("square centimeters"));
    to_name_->setMinimumWidth(metrics.horizontalAdvance("square centimeters"));
    result_->setMinimumWidth(metrics.horizontalAdvance("31,556,926,080,000,000,000"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(convert_);
    buttons->addWidget(web_);
    buttons->addStretch();
    buttons->addWidget(close_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panel_);
    layout->addLayout(buttons);

    QWidget* order[] = {from_, to_, amount_, convert_, add_to_tape_, web_, close_};
    for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

    const ConverterColours& c = form_.colours();
    Paint(this, nullptr, c.form_back);
    Paint(panel_, nullptr, c.panel_back);
    for (QLabel* label : {from_caption, to_caption, units_caption, converted_caption, equals_,
                          from_name_, to_name_}) {
        Paint(label, &c.label_fore, c.panel_back);
    }
    // The result and the check box keep a plain window's text colour, as dark or as light
    // as reads on the paper colour, whatever the desktop's palette (a dark one would
    // otherwise write them light on white paper).
    const Colour own =
        ToQColor(c.panel_back).lightness() >= 128 ? Rgb(0, 0, 0) : Rgb(255, 255, 255);
    Paint(result_, &own, c.panel_back);
    Paint(add_to_tape_, &own, c.panel_back);

    for (const std::string& name : form_.cboFrom()) {
        from_->addItem(QString::fromStdString(TrimUnitName(name)));
    }
    add_to_tape_->setChecked(form_.chbAddToTape());

    connect(from_, &QComboBox::activated, this, [this](int entry) {
        form_.cboFrom_Click(entry);
        ShowForm();
    });
    connect(to_, &QComboBox::activated, this, [this](int entry) {
        form_.cboTo_Click(entry);
        ShowForm();
    });
    connect(amount_, &QLineEdit::textEdited, this,
            [this](const QString& text) { form_.txtUnitsFrom_Change(text.toStdString()); });
    connect(convert_, &QPushButton::clicked, this, [this] {
        form_.cmdConverter_Click();
        ShowForm();
    });
    connect(add_to_tape_, &QCheckBox::clicked, this, [this](bool ticked) {
        form_.chbAddToTape_Click(ticked);
        ShowForm();
    });
    connect(web_, &QPushButton::clicked, this, [this] { form_.cmdWeb_Click(); });
    connect(close_, &QPushButton::clicked, this, &QDialog::close);

    ShowForm();
    if (main_window) {
        const Twips t = Twips::Of(main_window);
        const QScreen* screen = main_window->screen();
        const double screen_width = t.FromX(screen ? screen->geometry().width() : 1024);
        const QRect g = main_window->geometry();
        const WindowPlace place = ConverterPlace(t.FromX(g.x()), t.FromY(g.y()), screen_width);
        move(t.X(place.left), t.Y(place.top));
    }
    FitToScreenWhenShown(this);
    from_->setFocus();
}

bool ConverterDialog::OpenWithDesktop(const std::string& address) {
    return QDesktopServices::openUrl(QUrl(QString::fromStdString(address)));
}

bool ConverterDialog::OpenAddress(const std::string& address) {
    return browser_ && browser_(address);
}

void ConverterDialog::ShowMessage(const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, kProgramTitle, QString::fromStdString(text),
                    QMessageBox::Ok, this);
    box.exec();
}

void ConverterDialog::ShowForm() {
    if (from_->currentIndex() != form_.cboFromIndex()) from_->setCurrentIndex(form_.cboFromIndex());
    if (to_shown_ != form_.cboTo()) {
        to_shown_ = form_.cboTo();
        to_->clear();
        for (const std::string& name : to_shown_) {
            to_->addItem(QString::fromStdString(TrimUnitName(name)));
        }
    }
    if (to_->currentIndex() != form_.cboToIndex()) to_->setCurrentIndex(form_.cboToIndex());
    const QString amount = QString::fromStdString(form_.txtUnitsFrom());
    if (amount_->text() != amount) amount_->setText(amount);
    SetText(from_name_, form_.lblUnitsFromTxt());
    SetText(equals_, form_.lblEquals());
    SetText(result_, form_.lblUnitsTo());
    SetText(to_name_, form_.lblUnitsToTxt());
    if (add_to_tape_->isChecked() != form_.chbAddToTape()) {
        add_to_tape_->setChecked(form_.chbAddToTape());
    }
}

}  // namespace tallymar
