// The program's style: the platform's own, unchanged, except that the standard
// icons it hands out are read the first time they are drawn. Qt reads such an icon
// (a PNG in its resources, or one of the desktop's icon theme) by asking every
// image-format plugin whether it reads the file, loading each of them, the SVG
// library with one; the menu bar and the tape's frame ask for theirs (the overflow
// arrow, the frame's window menu) as they are made, icons the first window never
// shows. Made before the main window, this keeps all of that off start-up.
#pragma once

#include <QProxyStyle>

namespace tallymar {

class DeferredIconStyle : public QProxyStyle {
  public:
    // Wraps the style Qt would choose for the platform.
    DeferredIconStyle();

    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};

}  // namespace tallymar
