// The main window (frmMDI): a multiple-document frame holding the one tape
// window, the menu bar, "Always on top", the rows that fit as it is resized,
// and the save question when it closes.
#pragma once

#include <QMainWindow>
#include <functional>
#include <memory>

#include "shell/menus.h"
#include "shell/on_top.h"

class QMdiArea;
class QMdiSubWindow;

namespace tallymar {

class Calc;
class TapeFiles;
class TapePrinting;
class TapeWindow;
struct Settings;

class MainWindow : public QMainWindow {
  public:
    MainWindow(Calc& calc, Settings& settings);
    ~MainWindow() override;

    // Connects the file commands; the window works without them until then.
    void SetTapeFiles(TapeFiles* files);
    // Runs when the window has agreed to close (writes the settings).
    std::function<void()> on_closing;

    TapeWindow& tape_window() { return *tape_; }
    TapePrinting& printing() { return *printing_; }
    const Menus& menus() const { return menus_; }
    AlwaysOnTop& always_on_top() { return on_top_; }

    // Computes the rows that fit and makes the engine's window that size.
    void FitRows();
    // Runs a modal dialog under the always-on-top rule and gives the focus back after.
    int RunDialog(QDialog& dialog);

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void ConnectMenus();
    void Command(const std::function<void()>& command);

    Calc& calc_;
    Settings& settings_;
    TapeFiles* files_ = nullptr;
    QMdiArea* mdi_ = nullptr;
    QMdiSubWindow* child_ = nullptr;
    TapeWindow* tape_ = nullptr;
    std::unique_ptr<TapePrinting> printing_;
    Menus menus_;
    AlwaysOnTop on_top_;
};

}  // namespace tallymar
