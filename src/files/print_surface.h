// What printing draws on: the printer's page or a page of the print preview.
// Positions and sizes are twips on the surface's own scale, whose origin is the
// top-left corner of the printable area.
#pragma once

#include <string>
#include <vector>

#include "engine/options.h"

namespace tallymar {

// One item of a printed line. A numeric item is written with a blank before it
// (in place of a plus sign) and a blank after it.
struct PrintItem {
    std::string text;
    bool numeric = false;
};

class PrintSurface {
  public:
    virtual ~PrintSurface() = default;
    virtual double ScaleWidth() const = 0;
    virtual double ScaleHeight() const = 0;
    virtual double CurrentX() const = 0;
    virtual double CurrentY() const = 0;
    virtual void SetCurrentX(double x) = 0;
    virtual void SetCurrentY(double y) = 0;
    virtual void SetFontName(const std::string& name) = 0;
    virtual void SetFontSize(double points) = 0;
    virtual void SetFontBold(bool bold) = 0;
    virtual void SetForeColor(Colour colour) = 0;
    // Prints the items one right after the other from the current position, then
    // ends the line: x goes back to 0 and y down by the height of the line.
    virtual void PrintLine(const std::vector<PrintItem>& items) = 0;
    // Starts a new page (the printer only; a preview page never gets this call).
    virtual void NewPage() = 0;
};

// The date and the time as the page header prints them: "dddd, mmmm d, yyyy"
// (full weekday and month names) and "hh:mm:ss AMPM" (12-hour clock, the locale's
// designator), both of the moment of printing.
class PrintClock {
  public:
    virtual ~PrintClock() = default;
    virtual std::string Date() = 0;
    virtual std::string Time() = 0;
};

}  // namespace tallymar
