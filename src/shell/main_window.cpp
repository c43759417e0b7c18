#include "shell/main_window.h"

#include <QCloseEvent>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QMenuBar>

#include "dialogs/placement.h"
#include "platform/qt/twips.h"
#include "shell/printing.h"
#include "window/tape_window.h"

namespace tallymar {
namespace {

constexpr double kMinimumWidthTwips = 3180;
constexpr double kSmallestResizedHeightTwips = 1600;

}  // namespace

MainWindow::MainWindow(Commands& commands, Settings& settings, Dialogs& messages)
    : commands_(commands),
      menus_(*menuBar()),
      on_top_(this, menus_.Item(Command::mnuOptionsAlwaysOnTop)) {
    setObjectName("frmMDI");
    setWindowTitle(kProgramTitle);
    // The one tape window fills the frame, with no border or caption of its own; a
    // screen reader calls it "Tape".
    tape_ = new TapeWindow(commands_);
    tape_->setAccessibleName("Tape");
    setCentralWidget(tape_);
    // The desk calculator's item count and grand total, under the tape.
    item_count_ = new QLabel(this);
    item_count_->setObjectName("lblItemCount");
    statusBar()->addWidget(item_count_);
    statusBar()->setSizeGripEnabled(false);
    tape_->after_event = [this] {
        ShowCheckMarks();
        ShowItemCount();
        if (after_tape_event) after_tape_event();
    };
    tape_->menu_shortcuts = menus_.Shortcuts();
    setMinimumWidth(Twips::Of(this).X(kMinimumWidthTwips));
    // The place and size the settings give are pulled whole onto the screen as it
    // shows: another screen, or another scale, may have saved them.
    FitToScreenWhenShown(this);

    printing_ =
        std::make_unique<TapePrinting>(commands_.calc(), settings, messages, this,
                                       [this](QDialog& dialog) { return RunDialog(dialog); });
    printing_->tape_title = [this] { return commands_.files().ShownTitle(); };

    AddRecentMenu();
    for (const auto& [command, action] : menus_.Items()) {
        connect(action, &QAction::triggered, this, [this, command, action](bool checked) {
            // A check mark is the command's to set, not the click's.
            if (action->isCheckable()) action->setChecked(!checked);
            Run(command);
        });
    }
}

MainWindow::~MainWindow() = default;

void MainWindow::AddRecentMenu() {
    QAction* open = menus_.Item(Command::mnuFileOpen);
    QMenu* file = open ? qobject_cast<QMenu*>(open->parent()) : nullptr;
    if (!file) return;
    auto* recent = new QMenu("Open &Recent", file);
    recent->setObjectName("mnuFileOpenRecent");
    recent->setToolTipsVisible(true);
    const QList<QAction*> items = file->actions();
    const qsizetype after = items.indexOf(open);
    file->insertMenu(after + 1 < items.size() ? items[after + 1] : nullptr, recent);
    // Filled each time it opens, from the list as it is then.
    connect(recent, &QMenu::aboutToShow, this, [this, recent] {
        recent->clear();
        const std::vector<std::string>& paths = commands_.files().recent().paths();
        if (paths.empty()) recent->addAction("(no recent tapes)")->setEnabled(false);
        for (std::size_t i = 0; i < paths.size(); ++i) {
            const QString path = QString::fromStdString(paths[i]);
            QAction* item = recent->addAction(
                QString("&%1 %2").arg(i + 1).arg(QString::fromStdString(FileTitleOf(paths[i]))));
            item->setToolTip(path);
            item->setStatusTip(path);
            connect(item, &QAction::triggered, this, [this, i] {
                tape_->Apply([i](Commands& commands) { commands.OpenRecent(i); });
            });
        }
    });
}

void MainWindow::Run(Command command) {
    tape_->Apply([command](Commands& commands) { commands.Run(command); });
}

void MainWindow::ShowItemCount() {
    const QString text = QString::fromStdString(StatusText(commands_.calc()));
    if (item_count_->text() == text) return;
    item_count_->setText(text);
    // Read out in words: "7 items, grand total 1,234.50" (F2 says it in the input voice).
    QString spoken = text;
    item_count_->setAccessibleName(spoken.replace(QString::fromUtf8(" \u00B7 GT "), ", grand total "));
}

void MainWindow::ShowCheckMarks() {
    menus_.Item(Command::mnuOptionsVoiceCallback)->setChecked(commands_.voice_callback_checked());
}

int MainWindow::RunDialog(QDialog& dialog) {
    DialogOnTop lifted(on_top_);
    const int result = dialog.exec();
    activateWindow();
    tape_->Sync();
    return result;
}

void MainWindow::FitRows() {
    const Twips t = Twips::Of(this);
    if (t.FromY(frameGeometry().height()) <= kSmallestResizedHeightTwips) return;
    // The tape window fills what the menu bar leaves of the frame.
    const int status = statusBar()->isHidden() ? 0 : statusBar()->sizeHint().height();
    const int max_row = tape_->RowsForHeight(height() - menuBar()->sizeHint().height() - status);
    if (commands_.calc().tape().empty()) {
        // The tape window has not loaded yet: it only learns how many rows fit.
        commands_.Resize(max_row);
        return;
    }
    tape_->Apply([max_row](Commands& commands) { commands.Resize(max_row); });
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    FitRows();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    bool may_close = true;
    tape_->Apply([&may_close](Commands& commands) { may_close = commands.MayClose(); });
    if (!may_close) {
        event->ignore();
        return;
    }
    if (on_closing) on_closing();
    event->accept();
}

}  // namespace tallymar
