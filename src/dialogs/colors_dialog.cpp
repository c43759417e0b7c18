#include "dialogs/colors_dialog.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/delete_theme_dialog.h"
#include "dialogs/new_theme_dialog.h"
#include "dialogs/placement.h"
#include "engine/calc.h"
#include "platform/qt/colour.h"

namespace tallymar {
namespace {

QString Trimmed(const std::string& stored_name) {
    const size_t end = stored_name.find_last_not_of(' ');
    return QString::fromStdString(end == std::string::npos ? "" : stored_name.substr(0, end + 1));
}

void Paint(QWidget* widget, Colour fore, Colour back) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, ToQColor(fore));
    palette.setColor(QPalette::Window, ToQColor(back));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QPushButton* Button(const char* caption, const char* name, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

}  // namespace

ColorsDialog::ColorsDialog(QWidget* main_window, Settings& settings, Colours& current,
                           TapeColours& tape, ColourPicker pick_colour)
    : QDialog(main_window),
      form_(settings, current, tape, *this),
      pick_colour_(std::move(pick_colour)) {
    setObjectName("frmColors");
    setWindowTitle(colors_text::kCaption);

    auto* select = new QGroupBox(colors_text::kSelectTheme, this);
    select->setObjectName("Frame1");
    themes_ = new QComboBox(select);
    themes_->setObjectName("cboTheme");
    themes_->setAccessibleName(colors_text::kSelectTheme);
    themes_->setMinimumContentsLength(kThemeNameLength);
    themes_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    apply_ = Button(colors_text::kApply, "cmdApply", select);
    auto* select_layout = new QHBoxLayout(select);
    select_layout->addWidget(themes_, 1);
    select_layout->addWidget(apply_);

    auto* create = new QGroupBox(colors_text::kCreateTheme, this);
    create->setObjectName("Frame2");
    auto* create_layout = new QVBoxLayout(create);
    for (int i = 0; i < 5; ++i) {
        elements_[i] = Button(colors_text::kElements[i],
                              QString("cmdColorElement%1").arg(i).toUtf8().constData(), create);
        create_layout->addWidget(elements_[i]);
    }
    new_theme_ = Button(colors_text::kNewTheme, "cmdNewTheme", create);
    create_layout->addWidget(new_theme_);

    delete_theme_ = Button(colors_text::kDeleteTheme, "cmdDeleteTheme", this);

    // The sample: a strip of tape, its rows joined as one piece of paper, on the
    // background colour that fills the frame below its caption.
    auto* sample_frame = new QGroupBox(colors_text::kSample, this);
    sample_frame->setObjectName("FraSample");
    sample_ground_ = new QWidget(sample_frame);
    sample_ground_->setObjectName("picSampleGround");
    auto* frame_layout = new QVBoxLayout(sample_frame);
    frame_layout->addWidget(sample_ground_);
    auto* sample_layout = new QVBoxLayout(sample_ground_);
    sample_layout->setSpacing(0);
    sample_layout->addStretch();
    QFont courier;
    courier.setFamilies({"Courier", "Nimbus Mono PS", "Liberation Mono"});
    courier.setStyleHint(QFont::TypeWriter);
    courier.setPointSize(10);
    const int paper_edge = QFontMetrics(courier).averageCharWidth() / 2;
    for (const SampleRow& row : form_.sample().rows) {
        auto* label = new QLabel(QString::fromStdString(row.text), sample_ground_);
        label->setObjectName(QString("txtData%1").arg(row.index));
        label->setFont(courier);
        // As on the tape: amounts end at the right, a comment starts at the left.
        label->setAlignment((row.align_left ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
        label->setContentsMargins(paper_edge, 0, paper_edge, 0);
        label->setAccessibleName(row.text.empty() ? QString("Empty row") : label->text());
        sample_layout->addWidget(label);
        sample_[row.index] = label;
    }
    sample_layout->addStretch();

    color_printer_ = new QCheckBox(colors_text::kColorPrinter, this);
    color_printer_->setObjectName("chkColorPrinter");
    color_printer_->setChecked(form_.chkColorPrinter());
    ok_ = Button(colors_text::kOk, "cmdOK", this);
    ok_->setDefault(true);
    cancel_ = Button(colors_text::kCancel, "cmdCancel", this);

    auto* layout = new QGridLayout(this);
    layout->addWidget(select, 0, 0);
    layout->addWidget(create, 1, 0);
    layout->addWidget(delete_theme_, 2, 0);
    layout->addWidget(color_printer_, 3, 0);
    layout->addWidget(sample_frame, 0, 1, 4, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    layout->addLayout(buttons, 4, 0, 1, 2);

    QWidget* order[] = {themes_,       apply_,         elements_[0], elements_[1],
                        elements_[2],  elements_[3],   elements_[4], new_theme_,
                        delete_theme_, color_printer_, ok_,          cancel_};
    for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

    connect(themes_, &QComboBox::activated, this, [this](int entry) {
        form_.cboTheme_Click(entry);
        ShowSample();
    });
    connect(apply_, &QPushButton::clicked, this, [this] { form_.cmdApply_Click(); });
    for (int i = 0; i < 5; ++i) {
        connect(elements_[i], &QPushButton::clicked, this, [this, i] {
            form_.cmdColorElement_Click(i, pick_colour_(form_.ElementColour(i), this));
            ShowSample();
        });
    }
    connect(new_theme_, &QPushButton::clicked, this, [this] {
        form_.cmdNewTheme_Click();
        AfterThemeChange();
    });
    connect(delete_theme_, &QPushButton::clicked, this, [this] {
        form_.cmdDeleteTheme_Click();
        AfterThemeChange();
    });
    connect(color_printer_, &QCheckBox::clicked, this,
            [this](bool ticked) { form_.chkColorPrinter_Click(ticked); });
    connect(ok_, &QPushButton::clicked, this, [this] {
        form_.cmdOK_Click();
        accept();
    });
    connect(cancel_, &QPushButton::clicked, this, &ColorsDialog::reject);

    ShowThemeList();
    ShowSample();
    if (main_window) PlaceAt(this, main_window, ColorsPlace);
    themes_->setFocus();
}

std::optional<Colour> ColorsDialog::PickWithColourDialog(Colour start, QWidget* parent) {
    // Qt's own dialog always shows its custom colours beside the basic ones.
    QColorDialog dialog(ToQColor(start), parent);
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    FitToScreenWhenShown(&dialog);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return FromQColor(dialog.selectedColor());
}

void ColorsDialog::reject() {
    form_.cmdCancel_Click();
    QDialog::reject();
}

void ColorsDialog::ShowThemeList() {
    themes_->clear();
    for (const std::string& name : form_.cboTheme()) themes_->addItem(Trimmed(name));
    themes_->setCurrentIndex(form_.cboThemeIndex());
}

void ColorsDialog::ShowSample() {
    const Sample& sample = form_.sample();
    Paint(sample_ground_, kSampleOwnFore, sample.frame_back);
    for (const SampleRow& row : sample.rows) Paint(sample_[row.index], row.fore, row.back);
}

void ColorsDialog::AfterThemeChange() {
    ShowThemeList();
    ShowSample();
    if (form_.FocusOnOk()) ok_->setFocus();
}

void ColorsDialog::ShowNewTheme(NewThemeForm& form) {
    NewThemeDialog dialog(this, form);
    dialog.exec();
}

void ColorsDialog::ShowDeleteTheme(DeleteThemeForm& form) {
    DeleteThemeDialog dialog(this, form);
    dialog.exec();
}

void ColorsDialog::ShowMessage(const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, kProgramTitle, QString::fromStdString(text),
                    QMessageBox::Ok, this);
    box.exec();
}

}  // namespace tallymar
