#include "platform/qt/painter_surface.h"

#include <QFontMetricsF>

#include "platform/qt/colour.h"

namespace tallymar {
namespace {

constexpr double kTwipsPerPoint = 20;

}  // namespace

QStringList CourierFamilies() {
    return {"Nimbus Mono PS", "Liberation Mono"};
}

PainterSurface::PainterSurface(QPainter& painter, double width, double height,
                               std::function<void()> new_page)
    : painter_(painter), width_(width), height_(height), new_page_(std::move(new_page)) {
    font_.setFamilies(CourierFamilies());
    font_.setStyleHint(QFont::TypeWriter);
    font_.setPixelSize(static_cast<int>(12 * kTwipsPerPoint));
}

void PainterSurface::SetFontName(const std::string& name) {
    if (name == "Courier") {
        font_.setFamilies(CourierFamilies());
    } else {
        font_.setFamilies({QString::fromStdString(name)});
    }
}

void PainterSurface::SetFontSize(double points) {
    // Pixel sizes in twips: the painter's scale turns them into the device's pixels.
    font_.setPixelSize(qMax(1, qRound(points * kTwipsPerPoint)));
}

void PainterSurface::SetFontBold(bool bold) {
    font_.setBold(bold);
}

void PainterSurface::SetForeColor(Colour colour) {
    colour_ = ToQColor(colour);
}

void PainterSurface::PrintLine(const std::vector<PrintItem>& items) {
    painter_.setFont(font_);
    painter_.setPen(colour_);
    const QFontMetricsF metrics(font_, painter_.device());
    // Bold and regular lines share the regular face's baseline and height, so that a
    // bold total stands on its row as the amounts above it do.
    QFont regular = font_;
    regular.setBold(false);
    const QFontMetricsF row(regular, painter_.device());
    const double baseline = y_ + row.ascent();
    for (const PrintItem& item : items) {
        const QString text =
            QString::fromStdString(item.numeric ? " " + item.text + " " : item.text);
        painter_.drawText(QPointF(x_, baseline), text);
        x_ += metrics.horizontalAdvance(text);
    }
    x_ = 0;
    y_ += row.height();
}

void PainterSurface::NewPage() {
    if (new_page_) new_page_();
    x_ = 0;
    y_ = 0;
}

}  // namespace tallymar
