// The tape window (frmCalc): the total display, four picture buttons, the
// decimal option buttons, the tape as rows of boxes and the scroll bar. It
// shows the engine's model (Sync) and passes every user event to the engine
// (Apply); it holds no arithmetic, formatting or tape logic of its own.
#pragma once

#include <QKeySequence>
#include <QWidget>
#include <functional>
#include <vector>

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

class TapeWindow : public QWidget {
  public:
    TapeWindow(Calc& calc, QWidget* parent = nullptr);
    ~TapeWindow() override;

    // Runs an engine call for a user event, then shows the model.
    void Apply(const std::function<void(Calc&)>& call);
    // Makes the widgets show the engine's model; only what changed is touched.
    void Sync();
    bool syncing() const { return syncing_; }
    const Calc& calc() const { return calc_; }
    // Puts the engine's caret and selection back into a row's amount box.
    void RestoreSelection(int row);

    // What the buttons do (set by the main window).
    std::function<void()> on_print;
    std::function<void()> on_callback;
    std::function<void()> on_clear;
    std::function<void()> on_converter;

    // The main window's shortcuts, which the rows leave to the menus.
    std::vector<QKeySequence> menu_shortcuts;
    bool IsMenuShortcut(const QKeyEvent& event) const;

    // The mouse wheel turned anywhere over the tape window, its rows included.
    void TurnWheel(QWheelEvent& event);

    // The rows that fit in a window of this height (pixels), as the design counts them.
    int RowsForHeight(int height_pixels) const;

    AmountBox* DataBox(int row) const;
    QLineEdit* OpBox(int row) const;
    QLineEdit* TotalBox() const { return total_; }
    QRadioButton* DecimalOption(int index) const { return options_[index]; }
    QScrollBar* ScrollBar() const { return scroll_; }

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override { TurnWheel(*event); }

  private:
    struct RowWidgets {
        AmountBox* data;
        OperatorBox* op;
        Row shown;  // what the two boxes show now
        bool fresh;
        bool caret_hidden = false;
    };

    void BuildControls();
    void AddRowWidgets();
    // `parked`: the box keeps the keyboard while its line is out of view; it shows no caret.
    void ShowRow(RowWidgets& widgets, const Row& row, bool parked = false);
    void PlaceScrollBar();

    Calc& calc_;
    bool syncing_ = false;
    QLineEdit* total_ = nullptr;
    QToolButton* print_ = nullptr;
    QToolButton* call_it_ = nullptr;
    QPushButton* clear_ = nullptr;
    QToolButton* converter_ = nullptr;
    QRadioButton* options_[7] = {};
    QLabel* labels_[7] = {};
    QScrollBar* scroll_ = nullptr;
    std::vector<RowWidgets> rows_;
    int wheel_angle_ = 0;  // eighths of a degree turned short of a whole notch
};

}  // namespace tallymar
