#include "dialogs/find_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/placement.h"
#include "platform/qt/twips.h"

namespace tallymar {

FindDialog::FindDialog(QWidget* main_window, const std::string& text, Search search)
    : QDialog(main_window), search_(std::move(search)) {
    setObjectName("frmFind");
    setWindowTitle("Find");
    text_ = new QLineEdit(QString::fromStdString(text), this);
    text_->setObjectName("txtFind");
    text_->setAccessibleName("Find what");
    text_->setAccessibleDescription("An amount, as shown or as keyed, or words of a comment");
    auto* label = new QLabel("Find &what:", this);
    label->setBuddy(text_);
    next_ = new QPushButton("Find &next", this);
    next_->setObjectName("cmdFindNext");
    next_->setAccessibleName("Find next");
    next_->setDefault(true);
    previous_ = new QPushButton("Find &previous", this);
    previous_->setObjectName("cmdFindPrevious");
    previous_->setAccessibleName("Find previous");
    auto* close = new QPushButton("Close", this);
    close->setObjectName("cmdClose");
    close->setAccessibleName("Close");

    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(text_);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {next_, previous_, close}) {
        // The style fits a button tightly round its caption; these keep the room of two
        // characters at each end, so that their captions do not run into the edges.
        const QFontMetrics metrics(button->font());
        button->setMinimumWidth(metrics.horizontalAdvance(QString(button->text()).remove('&')) +
                                4 * metrics.averageCharWidth());
        buttons->addWidget(button);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(buttons);

    // Nothing to look for while the box holds blanks only.
    auto enable = [this] {
        const bool any = !text_->text().trimmed().isEmpty();
        next_->setEnabled(any);
        previous_->setEnabled(any);
    };
    enable();
    connect(text_, &QLineEdit::textChanged, this, enable);
    connect(next_, &QPushButton::clicked, this, [this] { Look(FindDirection::kNext); });
    connect(previous_, &QPushButton::clicked, this, [this] { Look(FindDirection::kPrevious); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    text_->selectAll();
    text_->setFocus();
    // Over the tape, below the total display, as the Mode dialog opens.
    if (main_window) {
        const Twips t = Twips::Of(main_window);
        move(main_window->geometry().topLeft() + QPoint(t.X(100), t.Y(2000)));
    }
    FitToScreenWhenShown(this);
}

void FindDialog::Look(FindDirection direction) {
    if (text_->text().trimmed().isEmpty()) return;
    if (search_ && search_(text_->text().toStdString(), direction)) {
        accept();
        return;
    }
    // Not found (and told so): the text stays selected, to be typed over.
    activateWindow();
    text_->setFocus();
    text_->selectAll();
}

}  // namespace tallymar
