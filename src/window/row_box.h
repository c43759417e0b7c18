// The two boxes of a tape row: the amount box (txtData) and the operator box
// (txtOp). The amount box hands its keys, focus and Shift+mouse events to the
// engine and shows what the engine's row model says; it never edits itself
// except for caret moves and Delete, which it reports back.
#pragma once

#include <QLineEdit>

namespace tallymar {

class TapeWindow;

class AmountBox : public QLineEdit {
  public:
    AmountBox(TapeWindow& window, int row, QWidget* parent);
    int row() const { return row_; }

  protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Tab and Shift+Tab stay in the row: the focus never leaves the tape by them.
    bool focusNextPrevChild(bool) override { return false; }
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    void ReportBox();

    TapeWindow& window_;
    int row_;
    bool focusing_click_ = false;  // the click that brought the focus keeps the selection
};

// The operator box: never keeps the focus; a click gives it to the amount box.
class OperatorBox : public QLineEdit {
  public:
    OperatorBox(TapeWindow& window, int row, QWidget* parent);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    TapeWindow& window_;
    int row_;
};

}  // namespace tallymar
