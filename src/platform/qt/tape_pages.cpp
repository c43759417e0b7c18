#include "platform/qt/tape_pages.h"

#include <QDateTime>
#include <QLocale>
#include <QPageLayout>
#include <QPainter>

#include "platform/qt/painter_surface.h"

namespace tallymar {
namespace {

constexpr double kTwipsPerInch = 1440;

}  // namespace

std::string LocalePrintClock::Date() {
    return QLocale::system().toString(QDate::currentDate(), "dddd, MMMM d, yyyy").toStdString();
}

std::string LocalePrintClock::Time() {
    return QLocale::system().toString(QTime::currentTime(), "hh:mm:ss AP").toStdString();
}

QSizeF PaperTwips(const QPrinter& printer) {
    const QRectF paper = printer.pageLayout().fullRect(QPageLayout::Inch);
    return QSizeF(paper.width() * kTwipsPerInch, paper.height() * kTwipsPerInch);
}

QSizeF PrintableTwips(const QPrinter& printer) {
    const QRectF area = printer.pageLayout().paintRect(QPageLayout::Inch);
    return QSizeF(area.width() * kTwipsPerInch, area.height() * kTwipsPerInch);
}

bool PrintPages(QPrinter& printer, const TapeRange& lines, const PrintOptions& options,
                PrintClock& clock) {
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    const double pixels_per_twip = printer.resolution() / kTwipsPerInch;
    painter.scale(pixels_per_twip, pixels_per_twip);
    const QSizeF area = PrintableTwips(printer);
    PainterSurface surface(painter, area.width(), area.height(), [&printer] { printer.newPage(); });
    PrintLayout layout(options, clock);
    layout.PrintTapeLines(surface, lines.tape, lines.first, lines.last);
    return painter.end();
}

std::vector<QPicture> PreviewPages(const QPrinter& printer, const TapeRange& lines,
                                   const PrintOptions& options, PrintClock& clock) {
    const QSizeF area = PrintableTwips(printer);
    // Pages are recorded in the paper's coordinates: the printable area sits inside the
    // margins, as on paper.
    const QPointF margin =
        printer.pageLayout().paintRect(QPageLayout::Inch).topLeft() * kTwipsPerInch;
    PrintLayout layout(options, clock);
    layout.PreviewMode = true;
    std::vector<QPicture> pages;
    std::optional<int> next = lines.first - 1;
    bool first_page = true;
    // Each full page ends the layout's call; the next page starts after its last line.
    while (first_page || next) {
        pages.emplace_back();
        QPainter painter(&pages.back());
        painter.translate(margin);
        PainterSurface surface(painter, area.width(), area.height());
        next = layout.PrintTapeLines(surface, lines.tape, first_page ? lines.first : *next + 1,
                                     lines.last);
        first_page = false;
    }
    return pages;
}

void UsePdfFile(QPrinter& printer, const std::string& path) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(path));
    printer.setPageSize(QPageSize(QPageSize::Letter));
    printer.setPageOrientation(QPageLayout::Portrait);
}

}  // namespace tallymar
