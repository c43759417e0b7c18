// The windows' geometry is given in twips (1/1440 inch); widgets are placed in
// pixels. One conversion for all of it, at the screen's logical resolution.
#pragma once

#include <QRect>

class QWidget;

namespace tallymar {

inline constexpr double kTwipsPerInch = 1440.0;

class Twips {
  public:
    explicit Twips(double logical_dpi_y = 96.0, double logical_dpi_x = 96.0)
        : dpi_x_(logical_dpi_x), dpi_y_(logical_dpi_y) {}
    static Twips Of(const QWidget* widget);

    int X(double twips) const { return qRound(twips * dpi_x_ / kTwipsPerInch); }
    int Y(double twips) const { return qRound(twips * dpi_y_ / kTwipsPerInch); }
    double FromX(double pixels) const { return pixels * kTwipsPerInch / dpi_x_; }
    double FromY(double pixels) const { return pixels * kTwipsPerInch / dpi_y_; }
    QRect Rect(double left, double top, double width, double height) const {
        return QRect(X(left), Y(top), X(width), Y(height));
    }

  private:
    double dpi_x_;
    double dpi_y_;
};

}  // namespace tallymar
