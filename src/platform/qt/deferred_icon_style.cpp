#include "platform/qt/deferred_icon_style.h"

#include <QIconEngine>
#include <QPointer>
#include <QWidget>
#include <memory>

namespace tallymar {
namespace {

// A standard icon asked for now and read from the style when first used. Copies
// share what was read.
class DeferredIcon : public QIconEngine {
  public:
    DeferredIcon(const QStyle* style, QStyle::StandardPixmap which, const QWidget* widget)
        // QPointer holds no const objects: the style and the widget are only read.
        : read_(std::make_shared<Read>(
              Read{const_cast<QStyle*>(style), which, const_cast<QWidget*>(widget), {}, false})) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        Icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Icon().actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Icon().pixmap(size, 1.0, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        return Icon().pixmap(size / scale, scale, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return Icon().availableSizes(mode, state);
    }
    QString iconName() override { return Icon().name(); }
    // Asked as the icon is handed on (a window's icon, say): every standard icon
    // the style has is something, so the answer needs no reading.
    bool isNull() override { return read_->done && read_->icon.isNull(); }
    QString key() const override { return "DeferredIcon"; }
    QIconEngine* clone() const override { return new DeferredIcon(*this); }
    void virtual_hook(int id, void* data) override {
        if (id == ScaledPixmapHook) {
            auto* argument = static_cast<ScaledPixmapArgument*>(data);
            argument->pixmap =
                scaledPixmap(argument->size, argument->mode, argument->state, argument->scale);
            return;
        }
        if (id == IsNullHook) {
            *static_cast<bool*>(data) = isNull();
            return;
        }
        QIconEngine::virtual_hook(id, data);
    }

  private:
    struct Read {
        QPointer<QStyle> style;  // gone with the application
        QStyle::StandardPixmap which;
        QPointer<QWidget> widget;  // null once gone
        QIcon icon;
        bool done;
    };

    DeferredIcon(const DeferredIcon& other) = default;

    const QIcon& Icon() {
        if (!read_->done) {
            read_->done = true;
            if (read_->style) {
                read_->icon = read_->style->standardIcon(read_->which, nullptr, read_->widget);
            }
        }
        return read_->icon;
    }

    std::shared_ptr<Read> read_;
};

}  // namespace

DeferredIconStyle::DeferredIconStyle() = default;

QIcon DeferredIconStyle::standardIcon(StandardPixmap icon, const QStyleOption* option,
                                      const QWidget* widget) const {
    // An icon asked for with a style option depends on it: read now.
    if (option) return QProxyStyle::standardIcon(icon, option, widget);
    return QIcon(new DeferredIcon(baseStyle(), icon, widget));
}

}  // namespace tallymar
