#include "shell/main_window.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>

#include "dialogs/date_time_dialog.h"
#include "dialogs/mode_dialog.h"
#include "engine/calc.h"
#include "files/tape_files.h"
#include "platform/qt/twips.h"
#include "settings/settings.h"
#include "shell/printing.h"
#include "window/tape_window.h"

namespace tallymar {
namespace {

constexpr double kMinimumWidthTwips = 3180;
constexpr double kSmallestResizedHeightTwips = 1600;

}  // namespace

MainWindow::MainWindow(Calc& calc, Settings& settings)
    : calc_(calc),
      settings_(settings),
      menus_(BuildMenus(*menuBar())),
      on_top_(this, menus_.mnuOptionsAlwaysOnTop) {
    setObjectName("frmMDI");
    setWindowTitle(kProgramTitle);
    mdi_ = new QMdiArea(this);
    mdi_->setObjectName("mdiArea");
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setCentralWidget(mdi_);
    tape_ = new TapeWindow(calc_);
    tape_->menu_shortcuts = menus_.Shortcuts();
    // The one tape window fills the frame; its own border and caption are left out.
    child_ = mdi_->addSubWindow(tape_, Qt::FramelessWindowHint);
    child_->showMaximized();
    setMinimumWidth(Twips::Of(this).X(kMinimumWidthTwips));

    printing_ = std::make_unique<TapePrinting>(
        calc_, settings_, this, [this](QDialog& dialog) { return RunDialog(dialog); });
    tape_->on_print = [this] { Command([this] { printing_->PrintTape(); }); };
    tape_->on_clear = [this] {
        Command([this] {
            if (files_) files_->NewTape();
        });
    };
    tape_->on_callback = [this] { Command([this] { calc_.CallbackButtonClick(); }); };
    ConnectMenus();
}

MainWindow::~MainWindow() = default;

void MainWindow::SetTapeFiles(TapeFiles* files) {
    files_ = files;
    printing_->tape_title = [files] { return files ? files->ShownTitle() : std::string(); };
}

void MainWindow::Command(const std::function<void()>& command) {
    tape_->Apply([&](Calc&) { command(); });
}

int MainWindow::RunDialog(QDialog& dialog) {
    DialogOnTop lifted(on_top_);
    const int result = dialog.exec();
    activateWindow();
    tape_->Sync();
    return result;
}

void MainWindow::ConnectMenus() {
    const Menus& m = menus_;
    auto on = [this](QAction* action, std::function<void()> command) {
        connect(action, &QAction::triggered, this, [this, command] { Command(command); });
    };
    on(m.mnuFileNew, [this] {
        if (files_) files_->NewTape();
    });
    on(m.mnuFileOpen, [this] {
        if (files_) files_->Open();
    });
    on(m.mnuFileSave, [this] {
        if (files_) files_->SaveTape();
    });
    on(m.mnuFileSaveAs, [this] {
        if (files_) files_->SaveTapeAs();
    });
    on(m.mnuFilePrint, [this] { printing_->PrintTape(); });
    on(m.mnuFilePrintSetup, [this] { printing_->PrintSetup(); });
    on(m.mnuFilePrintPreview, [this] { printing_->PrintPreview(); });
    connect(m.mnuFileExit, &QAction::triggered, this, &QMainWindow::close);
    on(m.mnuEditInsert, [this] { calc_.MenuInsert(); });
    on(m.mnuEditDelete, [this] { calc_.MenuDelete(); });
    on(m.mnuEditCopy, [this] { calc_.CopySelection(); });
    on(m.mnuEditClear, [this] {
        if (files_) files_->NewTape();
    });
    // The check mark toggles itself when the item is chosen; the rule sets it from there.
    connect(m.mnuOptionsAlwaysOnTop, &QAction::triggered, this,
            [this](bool checked) { on_top_.Set(checked); });
    connect(m.mnuOptionsDateTime, &QAction::triggered, this, [this] {
        DateTimeDialog dialog(this, &settings_.PrintDate, &settings_.PrintTime);
        RunDialog(dialog);
    });
    connect(m.mnuOptionsMode, &QAction::triggered, this, [this] {
        ModeDialog dialog(this, calc_.options().CalcMode, [this](bool calc_mode) {
            tape_->Apply([calc_mode](Calc& calc) { calc.SetCalcMode(calc_mode); });
        });
        RunDialog(dialog);
    });
    connect(m.mnuOptionsVoiceCallback, &QAction::triggered, this, [this] {
        // The item's own toggle is undone: the callback decides the check mark.
        bool checked = !menus_.mnuOptionsVoiceCallback->isChecked();
        Command([this, &checked] { calc_.VoiceCallbackMenuClick(checked); });
        menus_.mnuOptionsVoiceCallback->setChecked(checked);
    });
}

void MainWindow::FitRows() {
    const Twips t = Twips::Of(this);
    if (t.FromY(frameGeometry().height()) <= kSmallestResizedHeightTwips) return;
    // The tape window fills what the menu bar leaves of the frame.
    const int max_row = tape_->RowsForHeight(height() - menuBar()->sizeHint().height());
    // Before the tape window has loaded, this only tells it how many rows fit.
    tape_->Apply([max_row](Calc& calc) { calc.Resize(max_row); });
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    FitRows();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (calc_.tape_changed() && files_ && !files_->QueryClose()) {
        event->ignore();
        return;
    }
    if (on_closing) on_closing();
    event->accept();
}

}  // namespace tallymar
