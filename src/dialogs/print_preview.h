// "Print Preview" (frmPrintPreview): the printed pages of the tape on the screen,
// one at a time, scaled to a zoom level. The pages come finished: each is a
// recorded drawing in twips (1 unit = 1 twip, origin at the top-left corner of
// the printable area) that is played at the zoom in force whenever it is shown,
// so no full-size bitmap of any page is kept.
//
// Geometry is in twips: the tool strip, the page area inside the viewport, the
// scroll bars' values and steps, the shadow lines.
#pragma once

#include <QDialog>
#include <QLineF>
#include <QPicture>
#include <QRectF>
#include <QSizeF>
#include <array>
#include <functional>
#include <vector>

class QPushButton;
class QScrollBar;
class QWidget;

namespace tallymar {

class PrintPreviewDialog : public QDialog {
  public:
    // `pages` are the pages to show (none gives one blank page); `page_twips` is
    // the printer page's width and height. `print` runs the print dialog and
    // prints; the preview stays open with its pages. `help` opens the help.
    PrintPreviewDialog(QWidget* main_window, std::vector<QPicture> pages, QSizeF page_twips,
                       std::function<void()> print, std::function<void()> help);

    // Zoom levels 1, 2 and 3 show the page at these fractions of its size.
    static constexpr std::array<double, 3> kZoomFactor{1.0, 0.8, 0.5};

    // Shows the page at zoom level `level` (1..3), from the top-left corner.
    void SetScale(int level);
    // Places the viewport and the scroll bars for the window's size.
    void ArrangeControls();
    // Shows the current page and sets Previous and Next for it.
    void DrawPreview();

    int PreviewPage() const { return preview_page_; }  // 0 for the first page
    int PageCount() const { return static_cast<int>(pages_.size()); }
    const std::vector<QPicture>& Pages() const { return pages_; }
    QSizeF PageTwips() const { return page_twips_; }
    int ScaleIndex() const { return scale_index_; }
    // The shown page within the viewport, in twips.
    QRectF PageArea() const { return area_; }
    // The shadow under the page and the one to its right, in viewport twips.
    QLineF HorizontalShadow() const { return shadow_h_; }
    QLineF VerticalShadow() const { return shadow_v_; }

    QWidget* Viewport() const { return viewport_; }
    QWidget* ScrollArea() const { return scroll_area_; }
    QScrollBar* HScroll() const { return hscroll_; }
    QScrollBar* VScroll() const { return vscroll_; }
    QPushButton* PreviousButton() const { return previous_; }
    QPushButton* NextButton() const { return next_; }
    QPushButton* ZoomButton() const { return zoom_; }
    QPushButton* PrintButton() const { return print_button_; }
    QPushButton* CloseButton() const { return close_; }
    QPushButton* HelpButton() const { return help_button_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void PreviewKey(int key, bool shift);
    void Previous();
    void Next();
    void Zoom();
    void PlacePageArea();
    void PaintPage(QWidget* area);
    void PaintShadow(QWidget* viewport);

    std::vector<QPicture> pages_;
    QSizeF page_twips_;
    std::function<void()> print_;
    std::function<void()> help_;

    int preview_page_ = 0;
    int scale_index_ = 3;
    int zoom_state_ = 0;  // the level Zoom last chose, 0 before its first press
    QRectF area_;
    QLineF shadow_h_;
    QLineF shadow_v_;

    QWidget* strip_;
    QPushButton* previous_;
    QPushButton* next_;
    QPushButton* zoom_;
    QPushButton* print_button_;
    QPushButton* close_;
    QPushButton* help_button_;
    QWidget* viewport_;
    QWidget* scroll_area_;
    QScrollBar* hscroll_;
    QScrollBar* vscroll_;
};

}  // namespace tallymar
