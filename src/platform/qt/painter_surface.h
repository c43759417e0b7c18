// A print surface on a QPainter whose units are twips: the printer's pages,
// a PDF file and the preview's recorded pages all draw through it, so that what
// the preview shows is what prints.
#pragma once

#include <QFont>
#include <QPainter>
#include <functional>

#include "files/print_surface.h"

namespace tallymar {

class PainterSurface : public PrintSurface {
  public:
    // `painter` is set up so that one unit is one twip, with the origin at the top-left
    // of the printable area of `width` × `height` twips. `new_page` starts a new page.
    PainterSurface(QPainter& painter, double width, double height,
                   std::function<void()> new_page = {});

    double ScaleWidth() const override { return width_; }
    double ScaleHeight() const override { return height_; }
    double CurrentX() const override { return x_; }
    double CurrentY() const override { return y_; }
    void SetCurrentX(double x) override { x_ = x; }
    void SetCurrentY(double y) override { y_ = y; }
    void SetFontName(const std::string& name) override;
    void SetFontSize(double points) override;
    void SetFontBold(bool bold) override;
    void SetForeColor(Colour colour) override;
    void PrintLine(const std::vector<PrintItem>& items) override;
    void NewPage() override;

  private:
    QPainter& painter_;
    double width_;
    double height_;
    std::function<void()> new_page_;
    double x_ = 0;
    double y_ = 0;
    QFont font_;
    QColor colour_ = Qt::black;
};

// The fonts asked for as "Courier": Courier-metric faces, so that a 12-point
// character advances exactly 144 twips.
QStringList CourierFamilies();

}  // namespace tallymar
