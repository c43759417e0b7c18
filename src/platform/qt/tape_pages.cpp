#include "platform/qt/tape_pages.h"

#include <QDateTime>
#include <QLocale>
#include <QPageLayout>
#include <QPainter>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <system_error>

#include "files/std_file_system.h"
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

namespace {

// Whether a PDF file can be written at `path`, with the reason when not. Qt's own
// failure says nothing about why. The file is created (printing truncates it anyway).
bool CanWritePdf(const std::string& path, std::string* reason) {
    // Opening a named pipe would wait for a reader.
    const FileKind kind = StdFileSystem().KindOf(path);
    if (kind != FileKind::kNone && kind != FileKind::kFile) {
        *reason = NotAFileReason(kind);
        return false;
    }
    errno = 0;
    std::FILE* file = std::fopen(path.c_str(), "ab");
    if (!file) {
        *reason = std::generic_category().message(errno != 0 ? errno : EIO);
        return false;
    }
    std::fclose(file);
    return true;
}

// Whether the PDF file at `path` was written to its end marker: a disk that filled
// up while Qt wrote it leaves it short, and Qt does not say so.
bool EndsLikeAPdf(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    const std::streamoff size = in ? static_cast<std::streamoff>(in.tellg()) : 0;
    if (size <= 0) return false;
    const std::streamoff tail = std::min<std::streamoff>(size, 64);
    std::string end(static_cast<std::size_t>(tail), '\0');
    in.seekg(size - tail);
    in.read(end.data(), tail);
    return in && end.find("%%EOF") != std::string::npos;
}

}  // namespace

bool PrintPages(QPrinter& printer, const TapeRange& lines, const PrintOptions& options,
                PrintClock& clock, std::string* reason) {
    const bool to_pdf = printer.outputFormat() == QPrinter::PdfFormat;
    const std::string pdf_path = printer.outputFileName().toStdString();
    if (to_pdf && !CanWritePdf(pdf_path, reason)) return false;
    QPainter painter;
    if (!painter.begin(&printer)) {
        *reason =
            to_pdf ? "the file could not be opened"
                   : "the printer " + printer.printerName().toStdString() + " could not be started";
        return false;
    }
    const double pixels_per_twip = printer.resolution() / kTwipsPerInch;
    painter.scale(pixels_per_twip, pixels_per_twip);
    const QSizeF area = PrintableTwips(printer);
    PainterSurface surface(painter, area.width(), area.height(), [&printer] { printer.newPage(); });
    PrintTapePages(surface, lines, options, clock);
    if (!painter.end() || printer.printerState() == QPrinter::Error) {
        *reason = "the printing system reported an error";
        return false;
    }
    if (to_pdf && !EndsLikeAPdf(pdf_path)) {
        *reason = "the file was not written whole (the disk may be full)";
        return false;
    }
    return true;
}

std::vector<QPicture> PreviewPages(const QPrinter& printer, const TapeRange& lines,
                                   const PrintOptions& options, PrintClock& clock) {
    const QSizeF area = PrintableTwips(printer);
    // Pages are recorded in the paper's coordinates: the printable area sits inside the
    // margins, as on paper.
    const QPointF margin =
        printer.pageLayout().paintRect(QPageLayout::Inch).topLeft() * kTwipsPerInch;
    std::vector<QPicture> pages;
    PreviewTapePages(lines, options, clock, [&](const PageDrawing& drawing) {
        pages.emplace_back();
        QPainter painter(&pages.back());
        painter.translate(margin);
        PainterSurface surface(painter, area.width(), area.height());
        drawing(surface);
    });
    return pages;
}

void UsePdfFile(QPrinter& printer, const std::string& path) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(path));
    printer.setPageSize(QPageSize(QPageSize::Letter));
    printer.setPageOrientation(QPageLayout::Portrait);
}

}  // namespace tallymar
