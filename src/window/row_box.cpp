#include "window/row_box.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include "engine/keys.h"
#include "platform/qt/twips.h"
#include "window/key_translation.h"
#include "window/tape_window.h"

namespace tallymar {
namespace {

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
    // The menus' and the window's shortcuts win over the box's own editing keys (as
    // Ctrl+A, Ctrl+C, Ctrl+Tab).
    if (event->type() == QEvent::ShortcutOverride &&
        (window_.IsMenuShortcut(*static_cast<QKeyEvent*>(event)) ||
         IsControlTab(*static_cast<QKeyEvent*>(event)))) {
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
    const Keystroke key = TranslateKey(*event);
    bool kept = false;
    window_.Apply([&](Commands& commands) { kept = commands.Key(row_, key); });
    if (kept) {
        // The caret keys and Delete edit the box itself (a locked box deletes nothing).
        if (!isReadOnly() || key.key_code != key::kDelete) QLineEdit::keyPressEvent(event);
        ReportBox();
        return;
    }
    event->accept();
}

void AmountBox::focusInEvent(QFocusEvent* event) {
    // The focus arrives before the click that brought it is delivered.
    focusing_click_ = event->reason() == Qt::MouseFocusReason;
    QLineEdit::focusInEvent(event);
    if (!window_.syncing()) window_.Apply([&](Commands& commands) { commands.Focus(row_); });
}

void AmountBox::mousePressEvent(QMouseEvent* event) {
    const bool shift_only =
        (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) ==
        Qt::ShiftModifier;
    if (shift_only) {
        window_.Apply([&](Commands& commands) { commands.ShiftClick(row_); });
        event->accept();
        return;
    }
    if (window_.calc().view().focus_parked() && hasFocus()) {
        // This box kept the keyboard while the focus line was scrolled out of view:
        // the click chooses the line it shows now, as a click into another row would.
        focusing_click_ = true;
        window_.Apply([&](Commands& commands) { commands.Focus(row_); });
    }
    QLineEdit::mousePressEvent(event);
    // A click into another row selects its whole text, so that typing replaces it;
    // a click into the row being keyed places the caret.
    if (focusing_click_) window_.RestoreSelection(row_);
}

void AmountBox::mouseMoveEvent(QMouseEvent* event) {
    if (event->modifiers() == Qt::ShiftModifier && (event->buttons() & Qt::LeftButton)) {
        const double y = Twips::Of(this).FromY(event->position().y());
        window_.Apply([&](Commands& commands) { commands.ShiftDrag(row_, y); });
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
    window_.Apply([&](Commands& commands) { commands.BoxEdited(row_, shown, start, length); });
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
    window_.Apply([&](Commands& commands) { commands.OperatorClick(row_); });
    event->accept();
}

}  // namespace tallymar
