#include "window/tape_window.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QScrollBar>
#include <QShortcut>
#include <QToolButton>
#include <QWheelEvent>
#include <algorithm>
#include <string_view>

#include "engine/spoken_line.h"
#include "platform/qt/colour.h"
#include "platform/qt/twips.h"
#include "window/picture_icon.h"
#include "window/row_box.h"

namespace tallymar {
namespace {

constexpr int kFirstRowTop = 840;
constexpr int kDataLeft = 120, kDataWidth = 2295;
constexpr int kOpLeft = 2400, kOpWidth = 200;
constexpr int kScrollLeft = 2640, kScrollTop = 825, kScrollWidth = 255;

// The right-hand buttons (AC and the converter): wide enough that "AC" keeps clear of
// its edges.
constexpr int kRightButtonsLeft = 2580, kRightButtonsWidth = 420;

// The decimal choices stand in seven equal columns under the total display, each
// button centred over its label.
constexpr int kDecimalsLeft = 480, kDecimalsWidth = 2055, kDecimalsTop = 400;
constexpr int kDecimalButtonHeight = 210;

// Decimal option buttons by option index: label index (its column from the left), tool
// tip, the name a screen reader says and the shortcut that chooses it from anywhere in
// the window.
struct DecimalButton {
    int label;
    const char* tip;
    const char* name;
    const char* shortcut;
};
constexpr DecimalButton kDecimalButtons[7] = {
    {1, "Floating decimal places", "Floating decimal places", "Ctrl+Shift+F"},
    {2, "No decimal places", "No decimal places", "Ctrl+0"},
    {3, "One decimal place", "One decimal place", "Ctrl+1"},
    {4, "2 decimal places", "2 decimal places", "Ctrl+2"},
    {5, "4 decimal places", "4 decimal places", "Ctrl+4"},
    {6, "6 decimal places", "6 decimal places", "Ctrl+6"},
    {0, "Automatic 2 decimal places", "Automatic 2 decimal places", "Ctrl++"}};
// The decimal choices from left to right, as Ctrl+Tab visits them.
constexpr int kDecimalsLeftToRight[7] = {6, 0, 1, 2, 3, 4, 5};
constexpr const char* kLabelCaptions[7] = {"+", "F", "0", "1", "2", "4", "6"};

void Paint(QLineEdit* box, Colour fore, Colour back) {
    QPalette palette = box->palette();
    palette.setColor(QPalette::Text, ToQColor(fore));
    palette.setColor(QPalette::Base, ToQColor(back));
    palette.setColor(QPalette::HighlightedText, ToQColor(back));
    palette.setColor(QPalette::Highlight, ToQColor(fore));
    box->setPalette(palette);
}

QToolButton* PictureButton(QWidget* parent, const char* name, const char* picture,
                           const char* tip) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setIcon(PictureIcon(picture, button->iconSize(), button->devicePixelRatioF()));
    button->setToolTip(tip);
    button->setAccessibleName(tip);
    // Reached by Ctrl+Tab only: a click leaves the keyboard on the tape.
    button->setFocusPolicy(Qt::TabFocus);
    button->setAutoRaise(false);
    return button;
}

// A dotted ring drawn around the control that has the keyboard: the decimal choices
// have no caption of their own for the style to mark, and the picture buttons are small.
class FocusMark : public QWidget {
  public:
    explicit FocusMark(QWidget* parent) : QWidget(parent) {
        setObjectName("FocusMark");
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        hide();
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
};

}  // namespace

QFont TapeFont(int points, bool bold) {
    QFont font;
    // Courier metrics: one 12-point character advances 144 twips. Liberation Mono has
    // them, reads firmer on screen than Nimbus Mono PS and, a TrueType face, opens in
    // a fraction of the time Qt takes over Nimbus's Type 1 file at start-up.
    font.setFamilies({"Liberation Mono", "Nimbus Mono PS"});
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSize(points);
    font.setBold(bold);
    return font;
}

TapeWindow::TapeWindow(Commands& commands, QWidget* parent) : QWidget(parent), commands_(commands) {
    setObjectName("frmCalc");
    setAutoFillBackground(true);
    BuildControls();
    focus_mark_ = new FocusMark(this);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        const std::vector<QWidget*> ring = ControlRing();
        if (now == nullptr || std::find(ring.begin(), ring.end(), now) == ring.end()) {
            focus_mark_->hide();
            return;
        }
        focus_mark_->setGeometry(now->geometry().adjusted(-2, -2, 2, 2));
        focus_mark_->raise();
        focus_mark_->show();
    });
}

TapeWindow::~TapeWindow() = default;

void TapeWindow::BuildControls() {
    const Twips t = Twips::Of(this);
    total_ = new QLineEdit(this);
    total_->setObjectName("txtTotal");
    total_->setReadOnly(true);
    total_->setFocusPolicy(Qt::NoFocus);
    total_->setAlignment(Qt::AlignRight);
    total_->setToolTip("Red display=Adder mode, blue=Calc mode");
    total_->setAccessibleName(QString::fromStdString(SpokenTotal(calc())));
    QPalette black = total_->palette();
    black.setColor(QPalette::Base, Qt::black);
    total_->setPalette(black);
    QFont total_font = total_->font();
    total_font.setBold(true);
    total_font.setPointSizeF(9.75);
    total_->setFont(total_font);
    total_->setGeometry(t.Rect(480, 0, 2055, 375));

    print_ = PictureButton(this, "cmdPrint", "printer", "Print tape");
    print_->setGeometry(t.Rect(0, 0, 360, 360));
    connect(print_, &QToolButton::clicked, this,
            [this] { Apply([](Commands& c) { c.Run(Command::cmdPrint); }); });
    call_it_ = PictureButton(this, "cmdCallIt", "talking_face", "Voice callback tape from cursor");
    // A toggle: pressed while a reading runs.
    call_it_->setCheckable(true);
    call_it_->setGeometry(t.Rect(0, 400, 360, 360));
    connect(call_it_, &QToolButton::clicked, this,
            [this] { Apply([](Commands& c) { c.Run(Command::cmdCallIt); }); });
    clear_ = new QPushButton("AC", this);
    clear_->setObjectName("cmdClearTape");
    clear_->setToolTip("Clear tape");
    clear_->setAccessibleName("Clear tape");
    clear_->setFocusPolicy(Qt::TabFocus);
    clear_->setGeometry(t.Rect(kRightButtonsLeft, 0, kRightButtonsWidth, 360));
    connect(clear_, &QPushButton::clicked, this,
            [this] { Apply([](Commands& c) { c.Run(Command::cmdClearTape); }); });
    converter_ = PictureButton(this, "cmdConverter", "converter", "Converter");
    converter_->setGeometry(t.Rect(kRightButtonsLeft, 400, kRightButtonsWidth, 360));
    connect(converter_, &QToolButton::clicked, this,
            [this] { Apply([](Commands& c) { c.Run(Command::cmdConverter); }); });

    for (int index = 0; index < 7; ++index) {
        const DecimalButton& b = kDecimalButtons[index];
        auto* option = new QRadioButton(this);
        option->setObjectName(QString("optDecimal%1").arg(index));
        const QString tip = QString("%1 (%2)").arg(b.tip, b.shortcut);
        option->setToolTip(tip);
        option->setAccessibleName(b.name);
        option->setFocusPolicy(Qt::TabFocus);
        // The button is its round mark alone, in the middle of its column.
        const int left = t.X(kDecimalsLeft + kDecimalsWidth * b.label / 7.0);
        const int right = t.X(kDecimalsLeft + kDecimalsWidth * (b.label + 1) / 7.0);
        const QSize mark = option->sizeHint();
        const int height = std::max(mark.height(), t.Y(kDecimalButtonHeight));
        option->setGeometry((left + right - mark.width()) / 2, t.Y(kDecimalsTop), mark.width(),
                            height);
        connect(option, &QRadioButton::clicked, this,
                [this, index] { Apply([index](Commands& c) { c.DecimalButton(index); }); });
        options_[index] = option;
        // Its caption centred below it, in the window's own font, down to the first row.
        auto* label = new QLabel(kLabelCaptions[b.label], this);
        label->setObjectName(QString("lblDecimal%1").arg(b.label));
        label->setToolTip(tip);
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        const int label_top = option->geometry().bottom() + 1;
        label->setGeometry(left, label_top, right - left, t.Y(kFirstRowTop) - label_top);
        labels_[b.label] = label;
        auto* shortcut = new QShortcut(QKeySequence(b.shortcut), this, [this, index] {
            Apply([index](Commands& c) { c.DecimalButton(index); });
        });
        shortcut->setContext(Qt::WindowShortcut);
        decimal_keys_.push_back(shortcut->key());
    }

    // Ctrl+Tab and Ctrl+Shift+Tab are shortcuts of the window, so that they reach it
    // from the tape, from its controls and past the frame the window sits in, which
    // would take Ctrl+Tab for itself. Keyboards report Ctrl+Shift+Tab in more than one
    // way, so several of its spellings may match one press: each goes backwards.
    for (const char* keys : {"Ctrl+Tab", "Ctrl+Shift+Tab", "Ctrl+Backtab", "Ctrl+Shift+Backtab"}) {
        const bool forward = keys == std::string_view("Ctrl+Tab");
        auto* ring_key = new QShortcut(QKeySequence(keys), this);
        ring_key->setContext(Qt::WindowShortcut);
        connect(ring_key, &QShortcut::activated, this,
                [this, forward] { MoveAmongControls(forward); });
        connect(ring_key, &QShortcut::activatedAmbiguously, this,
                [this, forward] { MoveAmongControls(forward); });
    }

    scroll_ = new QScrollBar(Qt::Vertical, this);
    scroll_->setObjectName("VScroll");
    scroll_->setFocusPolicy(Qt::TabFocus);
    scroll_->setAccessibleName("Tape position");
    scroll_->setAccessibleDescription(
        "The arrow and page keys scroll the tape; Ctrl+Tab goes back to the line being keyed");
    scroll_->setSingleStep(1);
    connect(scroll_, &QScrollBar::valueChanged, this, [this](int value) {
        if (!syncing_) Apply([value](Commands& c) { c.Scroll(value); });
    });
    PlaceScrollBar();
}

void TapeWindow::AddRowWidgets() {
    const Twips t = Twips::Of(this);
    const int row = static_cast<int>(rows_.size());
    const int top = kFirstRowTop + kRowHeightTwips * row;
    RowWidgets widgets{
        new AmountBox(*this, row, this), new OperatorBox(*this, row, this), Row{}, true, false, {}};
    widgets.data->setGeometry(t.Rect(kDataLeft, top, kDataWidth, kRowHeightTwips));
    widgets.op->setGeometry(t.Rect(kOpLeft, top, kOpWidth, kRowHeightTwips));
    widgets.op->setAccessibleName("operator");
    widgets.data->show();
    widgets.op->show();
    rows_.push_back(widgets);
}

void TapeWindow::ShowRow(RowWidgets& w, const Row& row, bool parked) {
    const Row& old = w.shown;
    if (w.fresh || old.text != row.text) w.data->setText(QString::fromStdString(row.text));
    if (w.fresh || old.op != row.op) w.op->setText(QString::fromStdString(row.op));
    if (w.fresh || old.font_size != row.font_size || old.bold != row.bold) {
        const QFont font = TapeFont(row.font_size, row.bold);
        w.data->setFont(font);
        w.op->setFont(font);
    }
    if (w.fresh || old.align_left != row.align_left) {
        w.data->setAlignment((row.align_left ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
    }
    if (w.fresh || old.locked != row.locked || w.caret_hidden != parked) {
        w.data->setReadOnly(row.locked || parked);
        w.caret_hidden = parked;
    }
    if (w.fresh || old.fore != row.fore || old.back != row.back) Paint(w.data, row.fore, row.back);
    if (w.fresh || old.op_fore != row.op_fore || old.op_back != row.op_back) {
        Paint(w.op, row.op_fore, row.op_back);
    }
    if (w.fresh || old.text != row.text || old.sel_start != row.sel_start ||
        old.sel_length != row.sel_length) {
        if (row.sel_length > 0) {
            w.data->setSelection(row.sel_start, row.sel_length);
        } else {
            w.data->setCursorPosition(row.sel_start);
        }
    }
    w.shown = row;
    w.fresh = false;
}

void TapeWindow::NameRow(RowWidgets& w, int row) {
    std::string spoken = SpokenRow(calc(), row);
    if (spoken != w.spoken) {
        w.data->setAccessibleName(QString::fromStdString(spoken));
        w.spoken = std::move(spoken);
    }
}

void TapeWindow::Sync() {
    const bool was_syncing = syncing_;
    syncing_ = true;
    while (rows_.size() < calc().view().rows().size()) AddRowWidgets();
    while (rows_.size() > calc().view().rows().size()) {
        RowWidgets gone = rows_.back();
        rows_.pop_back();
        gone.data->hide();
        gone.op->hide();
        gone.data->deleteLater();
        gone.op->deleteLater();
    }
    for (size_t r = 0; r < rows_.size(); ++r) {
        ShowRow(rows_[r], calc().view().rows()[r],
                calc().view().focus_parked() && static_cast<int>(r) == calc().view().focus_row());
        NameRow(rows_[r], static_cast<int>(r));
    }

    const QString total = QString::fromStdString(calc().display().text);
    if (total_->text() != total) {
        total_->setText(total);
        total_->setAccessibleName(QString::fromStdString(SpokenTotal(calc())));
    }
    // The colours change with the mode and the theme, not with every key.
    if (total_->palette().color(QPalette::Text) != ToQColor(calc().display().fore)) {
        QPalette total_palette = total_->palette();
        total_palette.setColor(QPalette::Text, ToQColor(calc().display().fore));
        total_->setPalette(total_palette);
    }
    if (palette().color(QPalette::Window) != ToQColor(calc().colours().CurBakClr)) {
        QPalette back = palette();
        back.setColor(QPalette::Window, ToQColor(calc().colours().CurBakClr));
        setPalette(back);
    }

    if (scroll_->maximum() != calc().view().scroll_bar().max)
        scroll_->setRange(0, calc().view().scroll_bar().max);
    if (scroll_->value() != calc().view().scroll_bar().value)
        scroll_->setValue(calc().view().scroll_bar().value);
    scroll_->setPageStep(std::max(calc().view().last_row(), 1));

    if (call_it_->isChecked() != commands_.call_it_value()) {
        call_it_->setChecked(commands_.call_it_value());
    }

    const int option = calc().display().decimal_option;
    if (option >= 0 && option < 7 && !options_[option]->isChecked()) {
        options_[option]->setChecked(true);
    }
    const int focus = calc().view().focus_row();
    // The scroll bar keeps the keyboard while it is scrolled by it.
    if (focus >= 0 && focus < static_cast<int>(rows_.size()) && !rows_[focus].data->hasFocus() &&
        !scroll_->hasFocus()) {
        rows_[focus].data->setFocus(Qt::OtherFocusReason);
    }
    // The main window's caption marks the changes to save as soon as there are any.
    commands_.RefreshCaption();
    syncing_ = was_syncing;
}

void TapeWindow::RestoreSelection(int row) {
    if (row < 0 || row >= static_cast<int>(rows_.size())) return;
    rows_[row].fresh = true;
    ShowRow(rows_[row], calc().view().rows()[row],
            calc().view().focus_parked() && row == calc().view().focus_row());
}

void TapeWindow::Apply(const std::function<void(Commands&)>& event) {
    event(commands_);
    Sync();
    if (after_event) after_event();
}

bool TapeWindow::IsMenuShortcut(const QKeyEvent& event) const {
    const QKeySequence pressed(event.keyCombination());
    // A keypad key's shortcut is written without the keypad.
    const QKeySequence unpadded(event.keyCombination().toCombined() & ~Qt::KeypadModifier);
    for (const auto* keys : {&menu_shortcuts, &decimal_keys_}) {
        for (const QKeySequence& shortcut : *keys) {
            if (shortcut.matches(pressed) == QKeySequence::ExactMatch ||
                shortcut.matches(unpadded) == QKeySequence::ExactMatch) {
                return true;
            }
        }
    }
    return false;
}

std::vector<QWidget*> TapeWindow::ControlRing() const {
    std::vector<QWidget*> ring;
    for (int index : kDecimalsLeftToRight) ring.push_back(options_[index]);
    ring.insert(ring.end(), {print_, call_it_, clear_, converter_, scroll_});
    return ring;
}

bool TapeWindow::MoveAmongControls(bool forward) {
    const std::vector<QWidget*> ring = ControlRing();
    QWidget* focused = focusWidget();
    const auto at = std::find(ring.begin(), ring.end(), focused);
    // From the tape the ring starts at its first control (its last going back).
    const int count = static_cast<int>(ring.size());
    int next = at == ring.end() ? (forward ? 0 : count - 1)
                                : static_cast<int>(at - ring.begin()) + (forward ? 1 : -1);
    // Past either end of the ring the keyboard goes back to the tape.
    while (next >= 0 && next < count && !ring[next]->isVisible()) next += forward ? 1 : -1;
    if (next < 0 || next >= count) {
        ReturnToTape();
    } else {
        ring[next]->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    }
    return true;
}

void TapeWindow::ReturnToTape() {
    const int focus = calc().view().focus_row();
    if (focus < 0 || focus >= static_cast<int>(rows_.size())) return;
    // The focus line stays as it is, also one scrolled out of view: the next key on the
    // tape brings it back, as before the keyboard left the tape.
    const bool was_syncing = syncing_;
    syncing_ = true;
    rows_[focus].data->setFocus(Qt::OtherFocusReason);
    syncing_ = was_syncing;
}

bool TapeWindow::focusNextPrevChild(bool next) {
    // Tab on one of the window's controls moves on among them; on the tape it is a key
    // of the row and never gets here.
    const std::vector<QWidget*> ring = ControlRing();
    if (std::find(ring.begin(), ring.end(), focusWidget()) == ring.end()) return false;
    return MoveAmongControls(next);
}

void TapeWindow::keyPressEvent(QKeyEvent* event) {
    // A character typed while one of the controls has the keyboard goes back to the
    // tape and is keyed there, so that no amount is lost to a button or the scroll bar.
    const std::vector<QWidget*> ring = ControlRing();
    const bool on_control = std::find(ring.begin(), ring.end(), focusWidget()) != ring.end();
    const bool typed = !event->text().isEmpty() && event->text().at(0).isPrint() &&
                       !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    AmountBox* box = DataBox(calc().view().focus_row());
    if (on_control && typed && box != nullptr) {
        ReturnToTape();
        QCoreApplication::sendEvent(box, event);
        return;
    }
    QWidget::keyPressEvent(event);
}

int TapeWindow::RowsForHeight(int height_pixels) const {
    const Twips t = Twips::Of(this);
    const int height_twips = static_cast<int>(std::lround(t.FromY(height_pixels)));
    return height_twips / kRowHeightTwips - 4;
}

AmountBox* TapeWindow::DataBox(int row) const {
    return row >= 0 && row < static_cast<int>(rows_.size()) ? rows_[row].data : nullptr;
}

QLineEdit* TapeWindow::OpBox(int row) const {
    return row >= 0 && row < static_cast<int>(rows_.size()) ? rows_[row].op : nullptr;
}

void TapeWindow::PlaceScrollBar() {
    const Twips t = Twips::Of(this);
    // A window too short for the bar keeps it at no height rather than a negative one.
    const int bar_height = std::max(0, height() - t.Y(kScrollTop) - t.Y(150));
    scroll_->setGeometry(t.X(kScrollLeft), t.Y(kScrollTop), t.X(kScrollWidth), bar_height);
}

void TapeWindow::TurnWheel(QWheelEvent& event) {
    // 120 eighths of a degree make one notch; a fine-grained wheel adds up to one.
    constexpr int kNotch = 120;
    wheel_angle_ += event.angleDelta().y();
    const int notches = wheel_angle_ / kNotch;
    wheel_angle_ -= notches * kNotch;
    if (notches != 0) Apply([notches](Commands& c) { c.Wheel(notches); });
    event.accept();
}

void TapeWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    PlaceScrollBar();
}

}  // namespace tallymar
