// The Help menu as a person uses it: the tip of the day at start-up, the help
// window from F1 and from the dialogs, the website item and the About box; with
// the program's files laid out as an installed program finds them (<prefix>/bin
// beside <prefix>/share/tallymar).
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextBrowser>

#include "dialogs/about_dialog.h"
#include "dialogs/help_window.h"
#include "dialogs/tip_dialog.h"
#include "gui_fixture.h"
#include "help/about.h"
#include "platform/qt/topmost.h"

namespace tallymar::testing {
namespace {

// <prefix>/bin for the program, the shipped files (and the help, if asked) in
// <prefix>/share/tallymar.
struct Prefix {
    QTemporaryDir dir;
    QString bin() const { return dir.filePath("bin"); }
    QString share() const { return dir.filePath("share/tallymar"); }
    explicit Prefix(const QStringList& files = {}, bool help = false) {
        QDir().mkpath(bin());
        QDir().mkpath(share() + "/help");
        for (const QString& file : files)
            QFile::copy(QString(TALLYMAR_DATA_SOURCE_DIR) + "/" + file, share() + "/" + file);
        const QDir pages(TALLYMAR_HELP_SOURCE_DIR);
        for (const QString& page : help ? pages.entryList({"*.md"}) : QStringList())
            QFile::copy(pages.filePath(page), share() + "/help/" + page);
    }
};

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every link of the page shown, in order.
QStringList Links(const QTextBrowser* browser) {
    QStringList links;
    for (const auto& match : QRegularExpression("href=\"([^\"]+)\"").globalMatch(browser->toHtml()))
        if (!links.contains(match.captured(1))) links << match.captured(1);
    return links;
}

bool Missing(const HelpWindow* help) {
    return help->Browser()->toPlainText().startsWith("Page not found");
}

}  // namespace

class HelpWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ModalWatchdog> watchdog_;

  private slots:
    void init() { watchdog_ = std::make_unique<ModalWatchdog>(); }
    void cleanup() { watchdog_->ExpectNoneUnexpected(); }

    void a_first_start_takes_the_shipped_settings_and_shows_a_tip_before_the_file_is_opened() {
        Prefix prefix({"Tallymar.ini", "TallymarTips.txt"});
        const QString tape = prefix.dir.filePath("week of figures.add");
        QProcess cli;
        cli.setStandardOutputFile(QProcess::nullDevice());
        cli.start(TALLYMAR_CLI, {"--keys", "5+3+{Enter}{Save " + tape + "}"});
        QVERIFY(cli.waitForFinished(30000) && cli.exitCode() == 0);
        QStringList seen;  // the caption under the tip, then the tips shown
        watchdog_->Handle([&seen](QDialog* dialog) {
            auto* tip = dynamic_cast<TipDialog*>(dialog);
            if (!tip) return dialog->reject();
            seen << dialog->parentWidget()->windowTitle() << tip->TipText()->text();
            tip->NextTip()->click();
            seen << tip->TipText()->text();
            tip->ShowAtStartup()->click();
            tip->Ok()->click();
        });
        // The file takes the place of the fresh tape without the append question.
        Started started(prefix.bin(), tape.toStdString());
        const QStringList tips =
            QString::fromUtf8(Contents(prefix.share() + "/TallymarTips.txt")).split('\n');
        QCOMPARE(seen, (QStringList{"Tape1 - Tallymar", tips[0], tips[1]}));
        QVERIFY(started.app().window().windowTitle().startsWith("week of figures.add - "));
        QCOMPARE(started.calc().tape()[5].Amount, 8.0);
        QCOMPARE(started.app().settings().TipOfTheDay, 2);
        QVERIFY(!started.app().settings().ShowTipAtStartup);
    }

    void f1_opens_the_help_at_its_contents_and_every_page_and_link_leads_to_a_page() {
        Prefix prefix({}, true);
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
            QVERIFY2(help->Browser()->toPlainText().startsWith(item->text()),
                     qPrintable(item->text()));
            const QString page = help->CurrentPage();
            for (const QString& link : Links(help->Browser())) {
                help->Browser()->setSource(QUrl(link));
                QVERIFY2(!Missing(help), qPrintable(page + " -> " + link));
                QCOMPARE(help->CurrentPage(), QUrl(link).fileName());
                help->BackButton()->click();
                QCOMPARE(help->CurrentPage(), page);
                ++followed;
            }
        }
        QVERIFY(followed > pages);
    }

    void the_mode_dialog_and_the_print_preview_open_the_help_at_their_pages() {
        Prefix prefix({}, true);
        Started started(prefix.bin());
        const std::pair<Command, QString> cases[] = {
            {Command::mnuOptionsMode, "calculator-mode.md"},
            {Command::mnuFilePrintPreview, "index.md"}};
        for (const auto& [command, expected] : cases) {
            QString page;
            bool usable = false;
            watchdog_->Handle([&](QDialog* dialog) {
                if (auto* button = dialog->findChild<QPushButton*>("cmdHelp")) button->click();
                if (HelpWindow* help = started.app().help().help_window()) {
                    page = help->CurrentPage();
                    // Over the modal dialog, the help must take keys and clicks itself.
                    usable = help->isVisible() && QApplication::activeModalWidget() == help;
                    help->close();
                }
                dialog->reject();
            });
            started.app().window().Run(command);
            QCOMPARE(page, expected);
            QVERIFY(usable);
        }
        // From the menu again, the help is an ordinary window beside the tape.
        started.app().window().Run(Command::mnuHelpTallymar);
        QVERIFY(!started.app().help().help_window()->isModal());
    }

    void without_its_pages_the_help_says_what_is_missing_and_the_other_items_still_work() {
        Prefix prefix;  // an empty help folder
        Started started(prefix.bin());
        MainWindow& window = started.app().window();
        started.Key(Qt::Key_F1);
        HelpWindow* help = started.app().help().help_window();
        QVERIFY(help && help->isVisible() && Missing(help));
        QVERIFY(help->Browser()->toPlainText().contains("index.md"));
        QVERIFY(help->Browser()->toPlainText().contains(prefix.share() + "/help"));
        // The website item opens the home page, or says that no browser could.
        for (const bool opens : {true, false}) {
            QUrl asked;
            started.app().help().open_url = [&asked, opens](const QUrl& url) {
                return asked = url, opens;
            };
            if (!opens) watchdog_->Answer(QMessageBox::Ok);
            window.Run(Command::mnuHelpTallymarWebsite);
            QCOMPARE(asked.toString().toStdString(), HomePage());
            QCOMPARE(watchdog_->messages.size(), opens ? 0u : 1u);
        }
        QCOMPARE(watchdog_->messages[0].toStdString(), NoBrowserText(HomePage()));
        // The About box shows the build's version and lifts Always on top while open. Its
        // link, followed without a browser, says so as the website item does.
        window.always_on_top().Set(true);
        QString version;
        QUrl asked;
        started.app().help().open_url = [&asked](const QUrl& url) { return asked = url, false; };
        bool on_top_while_open = true;
        watchdog_->Handle([&](QDialog* dialog) {
            auto* about = dynamic_cast<AboutDialog*>(dialog);
            if (!about) return dialog->reject();
            version = about->VersionLabel()->text();
            on_top_while_open = IsTopmost(&window) || window.always_on_top().checked();
            watchdog_->Answer(QMessageBox::Ok);
            // Followed once the watchdog is free to answer the message it brings.
            QTimer::singleShot(0, about, [about] {
                QLabel* link = about->WebsiteLink();
                QTest::mouseClick(link, Qt::LeftButton, {},
                                  QPoint(10, link->fontMetrics().height() / 2));
                QTest::keyClick(about, Qt::Key_Return);
            });
        });
        window.Run(Command::mnuHelpAbout);
        QCOMPARE(version, QString("Version " TALLYMAR_PROJECT_VERSION));
        QCOMPARE(asked.toString().toStdString(), HomePage());
        QCOMPARE(watchdog_->messages,
                 std::vector<QString>(2, QString::fromStdString(NoBrowserText(HomePage()))));
        QVERIFY(!on_top_while_open);
        QVERIFY(IsTopmost(&window) && window.always_on_top().checked());
    }

    // Run by ctest once the Debian package is unpacked (TALLYMAR_PACKAGE_ROOT): the
    // program in its usr/bin finds the tips, the help and the voices in usr/share.
    void the_unpacked_package_gives_the_program_its_tips_help_and_voices() {
        const QString root = qEnvironmentVariable("TALLYMAR_PACKAGE_ROOT");
        if (root.isEmpty()) QSKIP("needs the package unpacked (ctest runs it after cpack)");
        QTemporaryDir folder;
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIOFILE", folder.filePath("heard.raw").toUtf8());
        qputenv("SDL_DISKAUDIODELAY", "0");
        QFile::remove(root + "/usr/bin/Tallymar.ini");  // a first start, each time
        QString tip;
        watchdog_->Handle([&tip](QDialog* dialog) {
            if (auto* shown = dynamic_cast<TipDialog*>(dialog)) tip = shown->TipText()->text();
            dialog->reject();
        });
        {
            Started started(root + "/usr/bin");
            const QString tips =
                QString::fromUtf8(Contents(root + "/usr/share/tallymar/TallymarTips.txt"));
            QVERIFY2(!tip.isEmpty() && tips.split('\n').contains(tip), qPrintable(tip));
            started.app().window().Run(Command::mnuHelpTallymar);
            QVERIFY(!Missing(started.app().help().help_window()));
            started.app().commands().ChooseSound(SoundChoice::kInputVoice, "Grunk");
            started.Type("5");
        }  // closing the program closes the sound device
        QVERIFY(QFileInfo(folder.filePath("heard.raw")).size() > 0);
    }
};

}  // namespace tallymar::testing

QTEST_MAIN(tallymar::testing::HelpWindowTest)
#include "help_window_test.moc"
