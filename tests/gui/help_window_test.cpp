// The Help menu as a person uses it: the tip of the day at start-up, the help
// window from F1, the Mode dialog and the preview, its links and search, the
// website item and the About box; with the program's files laid out as an
// installed program finds them (<prefix>/bin beside <prefix>/share/tallymar).
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>

#include "dialogs/about_dialog.h"
#include "dialogs/help_window.h"
#include "dialogs/tip_dialog.h"
#include "gui_fixture.h"
#include "help/about.h"

namespace tallymar::testing {

namespace {

// <prefix>/bin for the program, the shipped files in <prefix>/share/tallymar.
struct Prefix {
    QTemporaryDir dir;
    QString bin() const { return dir.filePath("bin"); }
    QString share() const { return dir.filePath("share/tallymar"); }
    Prefix() {
        QDir().mkpath(bin());
        QDir().mkpath(share());
    }
    void Ship(const QString& file) const {
        QFile::copy(QString(TALLYMAR_DATA_SOURCE_DIR) + "/" + file, share() + "/" + file);
    }
    void ShipHelp() const {
        QDir().mkpath(share() + "/help");
        for (const QString& page : QDir(TALLYMAR_HELP_SOURCE_DIR).entryList({"*.md"})) {
            QFile::copy(QString(TALLYMAR_HELP_SOURCE_DIR) + "/" + page, share() + "/help/" + page);
        }
    }
};

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList Lines(const QString& path) {
    return QString::fromUtf8(Contents(path)).split('\n');
}

// Every link of the page shown, in order.
QStringList Links(const QTextBrowser* browser) {
    QStringList links;
    for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (format.isAnchor() && !links.contains(format.anchorHref())) {
                links << format.anchorHref();
            }
        }
    }
    return links;
}

bool Missing(const HelpWindow* help) {
    return help->Browser()->toPlainText().startsWith("Page not found");
}

}  // namespace

class HelpWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void a_first_start_takes_the_shipped_settings_and_shows_a_tip_before_the_file_is_opened() {
        Prefix prefix;
        prefix.Ship("Tallymar.ini");
        prefix.Ship("TallymarTips.txt");
        const QString tape = prefix.dir.filePath("week of figures.add");
        QProcess cli;
        cli.setStandardOutputFile(QProcess::nullDevice());
        cli.start(TALLYMAR_CLI, {"--keys", "5+3+{Enter}{Save " + tape + "}"});
        QVERIFY(cli.waitForFinished(30000) && cli.exitCode() == 0);

        ModalWatchdog watchdog;
        QStringList seen;  // the caption under the tip, then the tips shown
        watchdog.Handle([&seen](QDialog* dialog) {
            auto* tip = dynamic_cast<TipDialog*>(dialog);
            if (!tip) return dialog->reject();
            seen << dialog->parentWidget()->windowTitle() << tip->TipText()->text();
            tip->NextTip()->click();
            seen << tip->TipText()->text();
            tip->ShowAtStartup()->click();
            tip->Ok()->click();
        });
        watchdog.Answer(QMessageBox::No);  // the file replaces the new tape
        Started started(prefix.bin(), tape.toStdString());
        const QStringList tips = Lines(prefix.share() + "/TallymarTips.txt");
        QCOMPARE(seen, (QStringList{"Tallymar - Tape1", tips[0], tips[1]}));
        QVERIFY(started.app().window().windowTitle().endsWith("week of figures.add"));
        QCOMPARE(started.calc().tape()[5].Amount, 8.0);
        QVERIFY(watchdog.unexpected.empty());
        QCOMPARE(Contents(prefix.bin() + "/Tallymar.ini"),
                 Contents(prefix.share() + "/Tallymar.ini"));
        QCOMPARE(started.app().settings().options.DecimalCode, 2);
        QCOMPARE(started.app().settings().TipOfTheDay, 2);
        QVERIFY(!started.app().settings().ShowTipAtStartup);
    }

    void help_opens_at_the_contents_with_f1_and_every_page_and_link_leads_to_a_page() {
        Prefix prefix;
        prefix.ShipHelp();
        Started started(prefix.bin());
        started.Key(Qt::Key_F1);
        HelpWindow* help = started.app().help().help_window();
        QVERIFY(help && help->isVisible());
        QCOMPARE(help->CurrentPage(), QString("index.md"));

        const int pages = help->ContentsList()->count();
        QCOMPARE(pages, QDir(prefix.share() + "/help").entryList({"*.md"}).size());
        int followed = 0;
        for (int i = 0; i < pages; ++i) {
            QListWidgetItem* item = help->ContentsList()->item(i);
            help->ContentsList()->setCurrentItem(item);
            QTest::keyClick(help->ContentsList(), Qt::Key_Return);
            QVERIFY2(!Missing(help), qPrintable(item->text()));
            QVERIFY2(help->Browser()->toPlainText().startsWith(item->text()),
                     qPrintable(item->text()));
            const QString page = help->CurrentPage();
            for (const QString& link : Links(help->Browser())) {
                help->Browser()->setSource(QUrl(link));
                QVERIFY2(!Missing(help), qPrintable(page + " -> " + link));
                QCOMPARE(help->CurrentPage(), QUrl(link).fileName());
                help->BackButton()->click();
                QCOMPARE(help->CurrentPage(), page);
                help->ForwardButton()->click();
                QCOMPARE(help->CurrentPage(), QUrl(link).fileName());
                help->BackButton()->click();
                ++followed;
            }
        }
        QVERIFY(followed > pages);
    }

    void the_mode_dialog_and_the_print_preview_open_the_help_at_their_pages() {
        Prefix prefix;
        prefix.ShipHelp();
        Started started(prefix.bin());
        const struct {
            Command command;
            QString page;
        } cases[] = {{Command::mnuOptionsMode, "calculator-mode.md"},
                     {Command::mnuFilePrintPreview, "index.md"}};
        for (const auto& c : cases) {
            ModalWatchdog watchdog;
            QString page;
            bool usable = false;
            watchdog.Handle([&](QDialog* dialog) {
                auto* button = dialog->findChild<QPushButton*>("cmdHelp");
                if (button) button->click();
                HelpWindow* help = started.app().help().help_window();
                if (help) {
                    page = help->CurrentPage();
                    // Over the modal dialog, the help must take keys and clicks itself.
                    usable = help->isVisible() && QApplication::activeModalWidget() == help;
                    help->close();
                }
                dialog->reject();
            });
            started.app().window().Run(c.command);
            QCOMPARE(page, c.page);
            QVERIFY(usable);
            QVERIFY(watchdog.unexpected.empty());
        }
        // From the menu again, the help is an ordinary window beside the tape.
        started.app().window().Run(Command::mnuHelpTallymar);
        QVERIFY(!started.app().help().help_window()->isModal());
    }

    void search_lists_the_pages_holding_the_words_and_highlights_them() {
        Prefix prefix;
        prefix.ShipHelp();
        Started started(prefix.bin());
        started.Key(Qt::Key_F1);
        HelpWindow* help = started.app().help().help_window();
        QVERIFY(help);
        help->SearchBox()->setFocus();
        QTest::keyClicks(help->SearchBox(), "handheld CALCULATOR");
        QTest::keyClick(help->SearchBox(), Qt::Key_Return);
        QStringList found;
        for (int i = 0; i < help->FoundList()->count(); ++i)
            found << help->FoundList()->item(i)->text();
        QVERIFY2(found.contains("Calculator mode"), qPrintable(found.join(", ")));
        QCOMPARE(help->CurrentPage(), QString("calculator-mode.md"));
        QCOMPARE(help->ContentsList()->currentItem()->text(), QString("Calculator mode"));
        QVERIFY(help->Highlights() >= 2);

        help->Search("zqxw nowhere");
        QCOMPARE(help->FoundList()->count(), 1);
        QVERIFY(help->FoundList()->item(0)->text().startsWith("No page holds"));
        QCOMPARE(help->Highlights(), 0);
    }

    void a_missing_help_page_says_what_is_missing_never_a_blank_window() {
        Prefix prefix;  // no help folder at all
        Started started(prefix.bin());
        started.Key(Qt::Key_F1);
        HelpWindow* help = started.app().help().help_window();
        QVERIFY(help && help->isVisible());
        QVERIFY(Missing(help));
        QVERIFY(help->Browser()->toPlainText().contains("index.md"));
        QVERIFY(help->Browser()->toPlainText().contains(prefix.share() + "/help"));
    }

    void the_website_item_opens_the_home_page_or_says_that_no_browser_could() {
        Prefix prefix;
        Started started(prefix.bin());
        for (const bool opens : {true, false}) {
            QUrl asked;
            started.app().help().open_url = [&asked, opens](const QUrl& url) {
                asked = url;
                return opens;
            };
            ModalWatchdog watchdog;
            if (!opens) watchdog.Answer(QMessageBox::Ok);
            started.app().window().Run(Command::mnuHelpTallymarWebsite);
            QCOMPARE(asked.toString().toStdString(), HomePage());
            QVERIFY(watchdog.unexpected.empty());
            QCOMPARE(watchdog.messages.size(), opens ? 0u : 1u);
            if (!opens) QCOMPARE(watchdog.messages[0].toStdString(), NoBrowserText(HomePage()));
        }
    }

    // Run by ctest once the Debian package is unpacked (TALLYMAR_PACKAGE_ROOT): the
    // program in its usr/bin finds the tips, the help and the voices in usr/share.
    void the_unpacked_package_gives_the_program_its_tips_help_and_voices() {
        const QString root = qEnvironmentVariable("TALLYMAR_PACKAGE_ROOT");
        if (root.isEmpty()) QSKIP("needs the package unpacked (ctest runs it after cpack)");
        const QString data = root + "/usr/share/tallymar";
        QTemporaryDir folder;
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIOFILE", folder.filePath("heard.raw").toUtf8());
        qputenv("SDL_DISKAUDIODELAY", "0");
        QFile::remove(root + "/usr/bin/Tallymar.ini");  // a first start, each time
        ModalWatchdog watchdog;
        QString tip;
        watchdog.Handle([&tip](QDialog* dialog) {
            if (auto* shown = dynamic_cast<TipDialog*>(dialog)) tip = shown->TipText()->text();
            dialog->reject();
        });
        {
            Started started(root + "/usr/bin");
            QVERIFY2(Lines(data + "/TallymarTips.txt").contains(tip), qPrintable(tip));
            started.app().window().Run(Command::mnuHelpTallymar);
            QVERIFY(!Missing(started.app().help().help_window()));
            started.app().commands().SetCallInputCharacter("Grunk");
            started.Type("5");
        }  // closing the program closes the sound device
        QVERIFY(QFileInfo(folder.filePath("heard.raw")).size() > 0);
        QVERIFY(watchdog.unexpected.empty());
    }

    void the_about_box_shows_the_builds_version_and_lifts_always_on_top_while_open() {
        Prefix prefix;
        Started started(prefix.bin());
        AlwaysOnTop& on_top = started.app().window().always_on_top();
        on_top.Set(true);
        ModalWatchdog watchdog;
        QString version;
        bool on_top_while_open = true;
        watchdog.Handle([&](QDialog* dialog) {
            auto* about = dynamic_cast<AboutDialog*>(dialog);
            if (!about) return dialog->reject();
            version = about->VersionLabel()->text();
            on_top_while_open = on_top.checked();
            QTest::keyClick(about, Qt::Key_Return);
        });
        started.app().window().Run(Command::mnuHelpAbout);
        QCOMPARE(version, QString("Version " TALLYMAR_PROJECT_VERSION));
        QVERIFY(!on_top_while_open);
        QVERIFY(on_top.checked());
        QVERIFY(!started.app().window().windowIcon().isNull());
        QCOMPARE(QGuiApplication::desktopFileName(), QString("io.github.tallymar.Tallymar"));
    }
};

}  // namespace tallymar::testing

QTEST_MAIN(tallymar::testing::HelpWindowTest)
#include "help_window_test.moc"
