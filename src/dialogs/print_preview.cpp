#include "dialogs/print_preview.h"

#include <QGuiApplication>
#include <QScreen>

#include <QEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>
#include <utility>

#include "platform/qt/twips.h"

namespace tallymar {

namespace {

// Page edges when no scroll bar is needed, and where the shadow lines begin.
constexpr double kPageLeft = 1000;
constexpr double kPageTop = 600;
constexpr double kShadowLeft = 1050;
constexpr double kShadowTop = 650;
// In normal window state the form is this much larger than the page each way.
constexpr double kFormMargin = 2000;

constexpr double kStripWidth = 6615;
constexpr double kStripHeight = 450;
constexpr double kButtonPitch = 1080;
constexpr double kButtonWidth = 975;
constexpr double kButtonHeight = 375;

// A plain widget whose painting is done by its owner.
class PaintedWidget : public QWidget {
  public:
    PaintedWidget(QWidget* parent, std::function<void(QWidget*)> paint)
        : QWidget(parent), paint_(std::move(paint)) {}

  protected:
    void paintEvent(QPaintEvent*) override { paint_(this); }

  private:
    std::function<void(QWidget*)> paint_;
};

// Alt with a letter, and no other shift key.
bool IsAccessKey(const QKeyEvent& key) {
    const Qt::KeyboardModifiers held =
        key.modifiers() & (Qt::AltModifier | Qt::ControlModifier | Qt::ShiftModifier);
    return held == Qt::AltModifier && key.key() >= Qt::Key_A && key.key() <= Qt::Key_Z;
}

}  // namespace

PrintPreviewDialog::PrintPreviewDialog(QWidget* main_window, std::vector<QPicture> pages,
                                       QSizeF page_twips, std::function<void()> print,
                                       std::function<void()> help)
    : QDialog(main_window),
      pages_(std::move(pages)),
      page_twips_(page_twips),
      print_(std::move(print)),
      help_(std::move(help)) {
    setObjectName("frmPrintPreview");
    setWindowTitle("Print Preview");
    // A tape with nothing to print still previews as one (blank) page.
    if (pages_.empty()) pages_.emplace_back();

    const Twips t = Twips::Of(this);
    strip_ = new QWidget(this);
    strip_->setObjectName("Picture1");
    strip_->setGeometry(t.Rect(0, 0, kStripWidth, kStripHeight));
    // Each caption carries an access key, the way to a button by keyboard: the
    // preview takes Space and Enter for itself, as it takes every key.
    const std::pair<const char*, const char*> buttons[] = {
        {"cmdPrevious", "&Previous"}, {"cmdNext", "&Next"},   {"cmdZoom", "&Zoom"},
        {"cmdPrint", "P&rint"},       {"cmdClose", "&Close"}, {"cmdHelp", "&Help"}};
    QPushButton* made[6];
    for (int i = 0; i < 6; ++i) {
        made[i] = new QPushButton(buttons[i].second, strip_);
        made[i]->setObjectName(buttons[i].first);
        made[i]->setAutoDefault(false);
        made[i]->setGeometry(t.Rect(i * kButtonPitch, (kStripHeight - kButtonHeight) / 2,
                                    kButtonWidth, kButtonHeight));
    }
    previous_ = made[0];
    next_ = made[1];
    zoom_ = made[2];
    print_button_ = made[3];
    close_ = made[4];
    help_button_ = made[5];

    viewport_ = new PaintedWidget(this, [this](QWidget* w) { PaintShadow(w); });
    viewport_->setObjectName("Viewport");
    viewport_->setAutoFillBackground(true);
    QPalette dark = viewport_->palette();
    dark.setColor(QPalette::Window, dark.color(QPalette::Mid));
    viewport_->setPalette(dark);
    scroll_area_ = new PaintedWidget(viewport_, [this](QWidget* w) { PaintPage(w); });
    scroll_area_->setObjectName("ScrollArea");
    scroll_area_->setAttribute(Qt::WA_OpaquePaintEvent);
    hscroll_ = new QScrollBar(Qt::Horizontal, this);
    hscroll_->setObjectName("HScroll");
    hscroll_->setAccessibleName("Across the page");
    hscroll_->hide();
    vscroll_ = new QScrollBar(Qt::Vertical, this);
    vscroll_->setObjectName("VScroll");
    vscroll_->setAccessibleName("Down the page");
    vscroll_->hide();

    connect(previous_, &QPushButton::clicked, this, [this] { Previous(); });
    connect(next_, &QPushButton::clicked, this, [this] { Next(); });
    connect(zoom_, &QPushButton::clicked, this, [this] { Zoom(); });
    connect(print_button_, &QPushButton::clicked, this, [this] {
        if (print_) print_();
    });
    connect(close_, &QPushButton::clicked, this, [this] { close(); });
    connect(help_button_, &QPushButton::clicked, this, [this] {
        if (help_) help_();
    });
    connect(hscroll_, &QScrollBar::valueChanged, this, [this](int value) {
        area_.moveLeft(-value);
        PlacePageArea();
    });
    connect(vscroll_, &QScrollBar::valueChanged, this, [this](int value) {
        area_.moveTop(-value);
        PlacePageArea();
    });

    // The form sees every key before its controls do.
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);

    // Without a window manager to honour the maximised state, the window still opens
    // with the size of the screen's free area.
    if (QScreen* screen = main_window ? main_window->screen() : QGuiApplication::primaryScreen()) {
        setGeometry(screen->availableGeometry());
    }
    setWindowState(windowState() | Qt::WindowMaximized);
    SetScale(3);
}

void PrintPreviewDialog::SetScale(int level) {
    scale_index_ = std::clamp(level, 1, 3);
    const double zoom = kZoomFactor[scale_index_ - 1];
    area_ = QRectF(0, 0, zoom * page_twips_.width(), zoom * page_twips_.height());
    PlacePageArea();
    ArrangeControls();
    DrawPreview();
}

void PrintPreviewDialog::ArrangeControls() {
    const Twips t = Twips::Of(this);
    const int bar_width = vscroll_->sizeHint().width();
    const int bar_height = hscroll_->sizeHint().height();
    const int top = strip_->geometry().bottom() + 1;
    // The room below the tool strip, in pixels; the viewport has no border.
    int room_width = width();
    int room_height = height() - top;
    if (room_width < 3 * bar_width || room_height < 3 * bar_height) return;

    const double needed_width = area_.width();
    const double needed_height = area_.height();
    bool horizontal = needed_width > t.FromX(room_width);
    if (horizontal) room_height -= bar_height;
    const bool vertical = needed_height > t.FromY(room_height);
    if (vertical) {
        room_width -= bar_width;
        if (!horizontal && needed_width > t.FromX(room_width)) {
            horizontal = true;
            room_height -= bar_height;
        }
    }
    viewport_->setGeometry(0, top, room_width, room_height);

    const double view_width = t.FromX(room_width);
    const double view_height = t.FromY(room_height);
    if (horizontal) {
        hscroll_->setGeometry(0, top + room_height, room_width, bar_height);
        hscroll_->setRange(0, qRound(area_.width() - view_width));
        hscroll_->setSingleStep(qRound(0.1 * view_width));
        hscroll_->setPageStep(qRound(0.9 * view_width));
        hscroll_->setValue(0);
        hscroll_->show();
        area_.moveLeft(0);
    } else {
        hscroll_->hide();
        hscroll_->setRange(0, 0);  // so that Left and Right leave the page alone
        area_.moveLeft(kPageLeft);
    }
    if (vertical) {
        vscroll_->setGeometry(room_width, top, bar_width, room_height);
        vscroll_->setRange(0, qRound(area_.height() - view_height));
        vscroll_->setSingleStep(qRound(0.1 * view_height));
        vscroll_->setPageStep(qRound(0.9 * view_height));
        vscroll_->setValue(0);
        vscroll_->show();
        area_.moveTop(0);
    } else {
        vscroll_->hide();
        vscroll_->setRange(0, 0);
        area_.moveTop(kPageTop);
    }
    PlacePageArea();
}

void PrintPreviewDialog::DrawPreview() {
    next_->setEnabled(preview_page_ != PageCount() - 1);
    previous_->setEnabled(preview_page_ != 0);
    scroll_area_->update();
    PlacePageArea();
    if (!(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))) {
        const Twips t = Twips::Of(this);
        resize(t.X(area_.width() + kFormMargin), t.Y(area_.height() + kFormMargin));
    }
}

void PrintPreviewDialog::PlacePageArea() {
    const Twips t = Twips::Of(this);
    scroll_area_->setGeometry(t.Rect(area_.left(), area_.top(), area_.width(), area_.height()));
    shadow_h_ = QLineF(kShadowLeft, area_.bottom(), area_.right(), area_.bottom());
    shadow_v_ = QLineF(area_.right(), kShadowTop, area_.right(), area_.bottom());
    viewport_->update();
}

void PrintPreviewDialog::PaintPage(QWidget* area) {
    QPainter painter(area);
    painter.fillRect(area->rect(), Qt::white);
    if (page_twips_.width() <= 0 || page_twips_.height() <= 0) return;
    painter.setRenderHint(QPainter::TextAntialiasing);
    // The recorded page is played at the zoom in force: twips to these pixels.
    painter.scale(area->width() / page_twips_.width(), area->height() / page_twips_.height());
    painter.drawPicture(0, 0, pages_[preview_page_]);
}

void PrintPreviewDialog::PaintShadow(QWidget* viewport) {
    const Twips t = Twips::Of(this);
    const int width = std::max(2, t.X(30));
    QPainter painter(viewport);
    painter.setPen(QPen(Qt::black, width, Qt::SolidLine, Qt::FlatCap));
    // Drawn just outside the page's edge, so the page does not cover the line.
    const double half = width / 2.0;
    painter.drawLine(QLineF(t.X(shadow_h_.x1()), t.Y(shadow_h_.y1()) + half,
                            t.X(shadow_h_.x2()) + width, t.Y(shadow_h_.y2()) + half));
    painter.drawLine(QLineF(t.X(shadow_v_.x1()) + half, t.Y(shadow_v_.y1()),
                            t.X(shadow_v_.x2()) + half, t.Y(shadow_v_.y2())));
}

void PrintPreviewDialog::Previous() {
    if (preview_page_ > 0) --preview_page_;
    DrawPreview();
}

void PrintPreviewDialog::Next() {
    if (preview_page_ < PageCount() - 1) ++preview_page_;
    DrawPreview();
}

// Full size on the first press, then half size and full size by turns.
void PrintPreviewDialog::Zoom() {
    if (zoom_state_ == 0) {
        zoom_state_ = 3;
        SetScale(3);
    }
    if (zoom_state_ != 3) {
        zoom_state_ = 3;
        SetScale(3);
    } else {
        zoom_state_ = 1;
        SetScale(1);
    }
}

void PrintPreviewDialog::PreviewKey(int key, bool shift) {
    auto move = [](QScrollBar* bar, int by) {
        bar->setValue(std::clamp(bar->value() + by, 0, bar->maximum()));
    };
    switch (key) {
        case Qt::Key_Down:
            move(vscroll_, shift ? vscroll_->pageStep() : vscroll_->singleStep());
            break;
        case Qt::Key_Up:
            move(vscroll_, -(shift ? vscroll_->pageStep() : vscroll_->singleStep()));
            break;
        case Qt::Key_PageDown:
            move(vscroll_, vscroll_->pageStep());
            break;
        case Qt::Key_PageUp:
            move(vscroll_, -vscroll_->pageStep());
            break;
        case Qt::Key_Right:
            move(hscroll_, shift ? hscroll_->pageStep() : hscroll_->singleStep());
            break;
        case Qt::Key_Left:
            move(hscroll_, -(shift ? hscroll_->pageStep() : hscroll_->singleStep()));
            break;
        case Qt::Key_Escape:
            close();  // as Close does, from wherever the focus is
            break;
        default:
            break;
    }
}

bool PrintPreviewDialog::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyPress || type == QEvent::KeyRelease ||
        type == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // Tab still moves between the buttons and Alt with a letter presses the button
        // whose caption has it; every other key ends here.
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) return false;
        if (IsAccessKey(*key)) return false;
        if (type == QEvent::KeyPress) {
            PreviewKey(key->key(), key->modifiers() & Qt::ShiftModifier);
        }
        event->accept();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void PrintPreviewDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    ArrangeControls();
}

}  // namespace tallymar
