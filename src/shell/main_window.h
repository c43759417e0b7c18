// The main window (frmMDI): the menu bar over the one tape window, which fills it,
// "Always on top", the rows that fit as it is resized, and the save question when
// it closes. Every menu item runs its command through the commands (commands/), as
// the tape window's buttons do.
#pragma once

#include <QMainWindow>
#include <functional>
#include <memory>

#include "commands/commands.h"
#include "shell/menus.h"
#include "shell/on_top.h"

class QLabel;

namespace tallymar {

class Dialogs;
class TapePrinting;
class TapeWindow;
struct Settings;

class MainWindow : public QMainWindow {
  public:
    // `messages` shows the message boxes of printing.
    MainWindow(Commands& commands, Settings& settings, Dialogs& messages);
    ~MainWindow() override;

    // Runs when the window has agreed to close (writes the settings).
    std::function<void()> on_closing;
    // Runs after every event of the tape window.
    std::function<void()> after_tape_event;

    TapeWindow& tape_window() { return *tape_; }
    TapePrinting& printing() { return *printing_; }
    const Menus& menus() const { return menus_; }
    AlwaysOnTop& always_on_top() { return on_top_; }

    // Runs a command as its menu item does, then shows the model.
    void Run(Command command);
    // Computes the rows that fit and makes the engine's window that size.
    void FitRows();
    // Runs a modal dialog under the always-on-top rule and gives the focus back after.
    int RunDialog(QDialog& dialog);
    // Shows the check marks the commands keep ("Voice callback").
    void ShowCheckMarks();
    // The item count and grand total as the tape now holds them.
    void ShowItemCount();

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    // File > Open Recent, below File > Open.
    void AddRecentMenu();

    Commands& commands_;
    QLabel* item_count_ = nullptr;  // the item count and grand total
    TapeWindow* tape_ = nullptr;
    std::unique_ptr<TapePrinting> printing_;
    Menus menus_;
    AlwaysOnTop on_top_;
};

}  // namespace tallymar
