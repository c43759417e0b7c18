#include "window/row_box.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include "platform/qt/twips.h"
#include "window/key_translation.h"
#include "window/tape_window.h"

namespace tallymar {
namespace {

// Keys the box may handle itself: they move the caret or delete, and the engine
// gives them no meaning of their own.
bool LeftToTheBox(int key_code, int shift_state) {
    return (key_code == 37 || key_code == 39 || key_code == 46) && (shift_state & 6) == 0;
}

void SetUpBox(QLineEdit& box) {
    box.setFrame(false);
    box.setTextMargins(0, 0, 0, 0);
    box.setContentsMargins(0, 0, 0, 0);
    box.setContextMenuPolicy(Qt::NoContextMenu);  // no paste from a menu either
    box.setAttribute(Qt::WA_MacShowFocusRect, false);
}

}  // namespace

AmountBox::AmountBox(TapeWindow& window, int row, QWidget* parent)
    : QLineEdit(parent), window_(window), row_(row) {
    SetUpBox(*this);
    setObjectName(QString("txtData%1").arg(row));
    setDragEnabled(false);
    setAcceptDrops(false);
}

bool AmountBox::event(QEvent* event) {
    // The menus' shortcuts win over the box's own editing keys (as Ctrl+A, Ctrl+C).
    if (event->type() == QEvent::ShortcutOverride &&
        window_.IsMenuShortcut(*static_cast<QKeyEvent*>(event))) {
        event->ignore();
        return false;
    }
    return QLineEdit::event(event);
}

void AmountBox::keyPressEvent(QKeyEvent* event) {
    if (IsControlTab(*event)) {
        event->ignore();
        return;
    }
    const EngineKey key = TranslateKey(*event);
    if (LeftToTheBox(key.key_code, key.shift_state)) {
        window_.Apply([&](Calc& calc) { calc.KeyDown(row_, key.key_code, key.shift_state); });
        if (!isReadOnly() || key.key_code != 46) QLineEdit::keyPressEvent(event);
        ReportBox();
        return;
    }
    window_.Apply([&](Calc& calc) {
        calc.KeyDown(row_, key.key_code, key.shift_state);
        if (key.character != 0) calc.KeyPress(row_, key.character);
    });
    event->accept();
}

void AmountBox::focusInEvent(QFocusEvent* event) {
    // The focus arrives before the click that brought it is delivered.
    focusing_click_ = event->reason() == Qt::MouseFocusReason;
    QLineEdit::focusInEvent(event);
    if (!window_.syncing()) window_.Apply([&](Calc& calc) { calc.SetFocus(row_); });
}

void AmountBox::mousePressEvent(QMouseEvent* event) {
    const bool shift_only =
        (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) ==
        Qt::ShiftModifier;
    if (shift_only) {
        window_.Apply([&](Calc& calc) {
            calc.MouseDown(row_, event->button() == Qt::LeftButton ? kLeftButton : 2,
                           shift::kShift);
            calc.SetFocus(row_);
        });
        event->accept();
        return;
    }
    if (window_.calc().focus_parked() && hasFocus()) {
        // This box kept the keyboard while the focus line was scrolled out of view:
        // the click chooses the line it shows now, as a click into another row would.
        focusing_click_ = true;
        window_.Apply([&](Calc& calc) { calc.SetFocus(row_); });
    }
    QLineEdit::mousePressEvent(event);
    // A click into another row selects its whole text, so that typing replaces it;
    // a click into the row being keyed places the caret.
    if (focusing_click_) window_.RestoreSelection(row_);
}

void AmountBox::mouseMoveEvent(QMouseEvent* event) {
    if (event->modifiers() == Qt::ShiftModifier && (event->buttons() & Qt::LeftButton)) {
        const double y = Twips::Of(this).FromY(event->position().y());
        window_.Apply([&](Calc& calc) { calc.MouseMove(row_, kLeftButton, shift::kShift, y); });
        event->accept();
        return;
    }
    QLineEdit::mouseMoveEvent(event);
}

void AmountBox::mouseReleaseEvent(QMouseEvent* event) {
    QLineEdit::mouseReleaseEvent(event);
    if (!focusing_click_ && !(event->modifiers() & Qt::ShiftModifier)) ReportBox();
    focusing_click_ = false;
}

// The wheel over a row scrolls the tape, as anywhere over the window.
void AmountBox::wheelEvent(QWheelEvent* event) {
    window_.TurnWheel(*event);
}

void AmountBox::ReportBox() {
    const int start = hasSelectedText() ? selectionStart() : cursorPosition();
    const int length = hasSelectedText() ? static_cast<int>(selectedText().size()) : 0;
    const std::string shown = text().toStdString();
    window_.Apply([&](Calc& calc) { calc.BoxEdited(row_, shown, start, length); });
}

OperatorBox::OperatorBox(TapeWindow& window, int row, QWidget* parent)
    : QLineEdit(parent), window_(window), row_(row) {
    SetUpBox(*this);
    setObjectName(QString("txtOp%1").arg(row));
    setReadOnly(true);
    setFocusPolicy(Qt::NoFocus);
}

void OperatorBox::wheelEvent(QWheelEvent* event) {
    window_.TurnWheel(*event);
}

void OperatorBox::mousePressEvent(QMouseEvent* event) {
    window_.Apply([&](Calc& calc) { calc.OpGotFocus(row_); });
    event->accept();
}

}  // namespace tallymar
