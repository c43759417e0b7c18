// The print preview as a person uses it: paging, zooming, the page's place and
// its shadow, the scroll bars and keys, printing and closing.
#include <QApplication>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <memory>

#include "dialogs/print_preview.h"
#include "platform/qt/twips.h"

namespace tallymar {

namespace {

const QSizeF kLetter(12240, 15840);  // 8.5 by 11 inches

// Page n carries a black block one inch wide whose top is n inches down.
QPicture Page(int n) {
    QPicture picture;
    QPainter painter(&picture);
    painter.fillRect(QRectF(1440, 1440 * n, 1440, 720), Qt::black);
    painter.drawText(QPointF(1440, 14400), QString("Page %1").arg(n));
    return picture;
}

struct Preview {
    explicit Preview(int pages) {
        std::vector<QPicture> made;
        for (int n = 1; n <= pages; ++n) made.push_back(Page(n));
        dialog = std::make_unique<PrintPreviewDialog>(
            nullptr, std::move(made), kLetter, [this] { ++printed; }, [this] { ++helped; });
        dialog->show();
        // The maximised size arrives from the window system after showing.
        exposed = QTest::qWaitForWindowExposed(dialog.get());
        QCoreApplication::processEvents();
    }
    PrintPreviewDialog& operator*() { return *dialog; }
    PrintPreviewDialog* operator->() { return dialog.get(); }
    // Whether the shown page is black at (x, y) twips from its top-left corner.
    bool BlackAt(double x, double y) {
        const Twips t = Twips::Of(dialog.get());
        const double zoom = dialog->PageArea().width() / kLetter.width();
        const QImage image = dialog->ScrollArea()->grab().toImage();
        return image.pixelColor(t.X(x * zoom), t.Y(y * zoom)) == QColor(Qt::black);
    }
    std::unique_ptr<PrintPreviewDialog> dialog;
    bool exposed = false;
    int printed = 0;
    int helped = 0;
};

}  // namespace

class PrintPreviewTest : public QObject {
    Q_OBJECT

  private slots:
    void a_one_page_preview_disables_both_previous_and_next() {
        Preview p(1);
        QVERIFY(!p->PreviousButton()->isEnabled());
        QVERIFY(!p->NextButton()->isEnabled());
    }

    void no_pages_still_preview_as_one_blank_page() {
        PrintPreviewDialog dialog(nullptr, {}, kLetter, nullptr, nullptr);
        QCOMPARE(dialog.PageCount(), 1);
        QVERIFY(!dialog.NextButton()->isEnabled());
    }

    void three_pages_are_paged_through_and_next_is_disabled_on_the_last() {
        Preview p(3);
        QCOMPARE(p->PreviewPage(), 0);
        QVERIFY(!p->PreviousButton()->isEnabled());
        QVERIFY(p.BlackAt(1800, 1600));
        QTest::mouseClick(p->NextButton(), Qt::LeftButton);
        QVERIFY(p->PreviousButton()->isEnabled() && p->NextButton()->isEnabled());
        QTest::mouseClick(p->NextButton(), Qt::LeftButton);
        QCOMPARE(p->PreviewPage(), 2);
        QVERIFY(!p->NextButton()->isEnabled());
        QVERIFY(p.BlackAt(1800, 4500));
        QVERIFY(!p.BlackAt(1800, 1600));
        QTest::mouseClick(p->PreviousButton(), Qt::LeftButton);
        QCOMPARE(p->PreviewPage(), 1);
    }

    void it_opens_maximised_at_half_size_and_zoom_alternates_full_and_half_size() {
        Preview p(1);
        QVERIFY(p->isMaximized());
        QCOMPARE(p->ScaleIndex(), 3);
        QCOMPARE(p->PageArea().size(), kLetter * 0.5);
        for (int level : {1, 3, 1}) {
            QTest::mouseClick(p->ZoomButton(), Qt::LeftButton);
            QCOMPARE(p->ScaleIndex(), level);
            QCOMPARE(p->PageArea().size(), kLetter * PrintPreviewDialog::kZoomFactor[level - 1]);
            QVERIFY(p.BlackAt(1800, 1600) && !p.BlackAt(1800, 2400));
        }
    }

    void at_half_size_the_page_sits_at_1000_600_with_its_shadow_and_no_scroll_bars() {
        Preview p(1);
        QVERIFY(p.exposed && p->isMaximized());
        const Twips t = Twips::Of(p.dialog.get());
        QVERIFY(p->HScroll()->isHidden() && p->VScroll()->isHidden());
        QCOMPARE(p->PageArea().topLeft(), QPointF(1000, 600));
        QCOMPARE(p->ScrollArea()->pos(), QPoint(t.X(1000), t.Y(600)));
        QCOMPARE(p->HorizontalShadow(), QLineF(1050, 8520, 7120, 8520));
        QCOMPARE(p->VerticalShadow(), QLineF(7120, 650, 7120, 8520));
    }

    void in_the_normal_state_the_form_is_the_page_and_2000_twips_each_way() {
        Preview p(1);
        p->showNormal();
        p->SetScale(3);
        const Twips t = Twips::Of(p.dialog.get());
        QCOMPARE(p->size(), QSize(t.X(6120 + 2000), t.Y(7920 + 2000)));
        QVERIFY(p->HScroll()->isHidden() && p->VScroll()->isHidden());
        QCOMPARE(p->PageArea().topLeft(), QPointF(1000, 600));
    }

    void at_full_size_the_scroll_bars_move_the_page_and_keys_stay_in_their_range() {
        Preview p(1);
        QVERIFY(p.exposed);
        QTest::mouseClick(p->ZoomButton(), Qt::LeftButton);
        QScrollBar* bar = p->VScroll();
        QVERIFY(bar->isVisible() && p->HScroll()->isVisible());
        const double view = Twips::Of(p.dialog.get()).FromY(p->Viewport()->height());
        QCOMPARE(bar->maximum(), qRound(15840 - view));
        QCOMPARE(bar->singleStep(), qRound(0.1 * view));
        QCOMPARE(bar->pageStep(), qRound(0.9 * view));
        QCOMPARE(p->PageArea().topLeft(), QPointF(0, 0));

        bar->setValue(bar->maximum() - 200);
        QCOMPARE(p->PageArea().top(), -(bar->maximum() - 200.0));
        QTest::keyClick(p.dialog.get(), Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(bar->value(), bar->maximum());
        QTest::keyClick(p.dialog.get(), Qt::Key_PageUp);
        QCOMPARE(bar->value(), std::max(0, bar->maximum() - bar->pageStep()));
        bar->setValue(0);
        QTest::keyClick(p.dialog.get(), Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(bar->value(), std::min(bar->pageStep(), bar->maximum()));
        QVERIFY(bar->value() > bar->singleStep());
        QTest::keyClick(p.dialog.get(), Qt::Key_Up);
        QCOMPARE(bar->value(), std::min(bar->pageStep(), bar->maximum()) - bar->singleStep());
        QTest::keyClick(p.dialog.get(), Qt::Key_Up, Qt::ShiftModifier);
        QCOMPARE(bar->value(), 0);
        QTest::keyClick(p.dialog.get(), Qt::Key_Down);
        QCOMPARE(bar->value(), bar->singleStep());
        QTest::keyClick(p.dialog.get(), Qt::Key_PageDown);
        QCOMPARE(bar->value(), std::min(bar->singleStep() + bar->pageStep(), bar->maximum()));
        QScrollBar* across = p->HScroll();
        QTest::keyClick(p.dialog.get(), Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(across->value(), std::min(across->pageStep(), across->maximum()));
        QCOMPARE(p->PageArea().left(), -double(across->value()));
        const int right = across->value();
        QTest::keyClick(p.dialog.get(), Qt::Key_Left);
        QCOMPARE(across->value(), std::max(0, right - across->singleStep()));
    }

    void keys_never_reach_the_buttons_or_the_scroll_bars() {
        Preview p(3);
        QTest::mouseClick(p->ZoomButton(), Qt::LeftButton);
        QVERIFY(p->VScroll()->isVisible());
        QTest::keyClick(p->NextButton(), Qt::Key_Space);
        QTest::keyClick(p->VScroll(), Qt::Key_End);
        QTest::keyClick(p->CloseButton(), Qt::Key_Return);
        QCOMPARE(p->PreviewPage(), 0);
        QCOMPARE(p->VScroll()->value(), 0);
        QVERIFY(p->isVisible());
    }

    void escape_closes_the_preview_from_whichever_control_has_the_focus() {
        for (const char* where : {"dialog", "next", "scroll bar"}) {
            Preview p(3);
            QTest::mouseClick(p->ZoomButton(), Qt::LeftButton);
            QWidget* target = p.dialog.get();
            if (std::string(where) == "next") target = p->NextButton();
            if (std::string(where) == "scroll bar") target = p->VScroll();
            QTest::keyClick(target, Qt::Key_Escape);
            QVERIFY2(!p->isVisible(), where);
            QCOMPARE(p->result(), int(QDialog::Rejected));
        }
    }

    void print_calls_printing_and_the_preview_stays_open_with_its_pages() {
        Preview p(3);
        QTest::mouseClick(p->NextButton(), Qt::LeftButton);
        QTest::mouseClick(p->PrintButton(), Qt::LeftButton);
        QCOMPARE(p.printed, 1);
        QVERIFY(p->isVisible());
        QCOMPARE(p->PageCount(), 3);
        QCOMPARE(p->PreviewPage(), 1);
        QVERIFY(p.BlackAt(1800, 3000));
    }

    void help_opens_the_help_and_close_closes_a_modal_preview() {
        Preview p(1);
        QTest::mouseClick(p->HelpButton(), Qt::LeftButton);
        QCOMPARE(p.helped, 1);
        p->hide();
        QTimer::singleShot(0, p->CloseButton(), [&] { p->CloseButton()->click(); });
        QTimer::singleShot(5000, p.dialog.get(), [&] { p->done(99); });  // watchdog
        QCOMPARE(p->exec(), int(QDialog::Rejected));
    }
};

}  // namespace tallymar

QTEST_MAIN(tallymar::PrintPreviewTest)
#include "print_preview_test.moc"
