// The tape window (frmCalc): the total display, four picture buttons, the
// decimal option buttons, the tape as rows of boxes and the scroll bar. It
// shows the engine's model (Sync) and passes every user event on through the
// commands (Apply); it holds no arithmetic, formatting or tape logic of its own.
#pragma once

#include <QFont>
#include <QKeySequence>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "commands/commands.h"
#include "engine/calc.h"

class QLabel;
class QLineEdit;
class QRadioButton;
class QScrollBar;
class QToolButton;
class QPushButton;

namespace tallymar {

class AmountBox;
class OperatorBox;

// The face of the tape's rows at `points`, bold or not.
QFont TapeFont(int points, bool bold);

class TapeWindow : public QWidget {
  public:
    TapeWindow(Commands& commands, QWidget* parent = nullptr);
    ~TapeWindow() override;

    // Passes a user event on through the commands, then shows the model.
    void Apply(const std::function<void(Commands&)>& event);
    // Runs after every event Apply passed on: the main window shows its menus' marks.
    std::function<void()> after_event;
    // Makes the widgets show the engine's model; only what changed is touched.
    void Sync();
    bool syncing() const { return syncing_; }
    const Calc& calc() const { return commands_.calc(); }
    // Puts the engine's caret and selection back into a row's amount box.
    void RestoreSelection(int row);

    // The main window's shortcuts, which the rows leave to the menus.
    std::vector<QKeySequence> menu_shortcuts;
    bool IsMenuShortcut(const QKeyEvent& event) const;

    // The mouse wheel turned anywhere over the tape window, its rows included.
    void TurnWheel(QWheelEvent& event);

    // The rows that fit in a window of this height (pixels): four rows' height goes to
    // the total display and the buttons above the tape.
    int RowsForHeight(int height_pixels) const;

    AmountBox* DataBox(int row) const;
    QLineEdit* OpBox(int row) const;
    QLineEdit* TotalBox() const { return total_; }
    QRadioButton* DecimalOption(int index) const { return options_[index]; }
    QScrollBar* ScrollBar() const { return scroll_; }
    // The controls Ctrl+Tab visits after the tape, in order: the decimal choices from
    // left to right, the four buttons, the scroll bar; past them it is back on the tape.
    std::vector<QWidget*> ControlRing() const;

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override { TurnWheel(*event); }
    // A character typed on one of the controls, which goes to the tape.
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;

  private:
    struct RowWidgets {
        AmountBox* data;
        OperatorBox* op;
        Row shown;  // what the two boxes show now
        bool fresh;
        bool caret_hidden = false;
        std::string spoken;  // the amount box's accessible name
    };

    void BuildControls();
    void AddRowWidgets();
    // `parked`: the box keeps the keyboard while its line is out of view; it shows no caret.
    void ShowRow(RowWidgets& widgets, const Row& row, bool parked = false);
    void PlaceScrollBar();
    // Gives the amount box of `row` its line in words, when that changed.
    void NameRow(RowWidgets& widgets, int row);
    // The focus to the next (or previous) control of the ring, or back to the tape.
    bool MoveAmongControls(bool forward);
    void ReturnToTape();

    Commands& commands_;
    bool syncing_ = false;
    QLineEdit* total_ = nullptr;
    QToolButton* print_ = nullptr;
    QToolButton* call_it_ = nullptr;
    QPushButton* clear_ = nullptr;
    QToolButton* converter_ = nullptr;
    QRadioButton* options_[7] = {};
    QLabel* labels_[7] = {};
    QScrollBar* scroll_ = nullptr;
    std::vector<QKeySequence> decimal_keys_;
    QWidget* focus_mark_ = nullptr;  // around the control that has the keyboard
    std::vector<RowWidgets> rows_;
    int wheel_angle_ = 0;  // eighths of a degree turned short of a whole notch
};

}  // namespace tallymar
