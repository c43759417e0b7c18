#include "dialogs/help_window.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QTextBlock>
#include <QVBoxLayout>

#include "dialogs/placement.h"

namespace tallymar {
namespace {

constexpr int kPageRole = Qt::UserRole;

QString PageOf(const QUrl& url) {
    return QFileInfo(url.path()).fileName();
}

}  // namespace

QVariant HelpBrowser::loadResource(int type, const QUrl& name) {
    const QString page = PageOf(name);
    if ((name.isLocalFile() || name.scheme().isEmpty()) && page.endsWith(".md")) {
        return QString::fromStdString(book_.PageText(page.toStdString()));
    }
    return QTextBrowser::loadResource(type, name);
}

HelpWindow::HelpWindow(HelpBook book, QWidget* parent)
    : QWidget(parent, Qt::Window), book_(std::move(book)) {
    setObjectName("frmHelp");
    setWindowTitle("Tallymar Help");

    back_ = new QPushButton("&Back", this);
    back_->setObjectName("cmdBack");
    back_->setShortcut(QKeySequence::Back);
    back_->setToolTip("The page shown before (Alt+Left)");
    back_->setAccessibleDescription(back_->toolTip());
    forward_ = new QPushButton("&Forward", this);
    forward_->setObjectName("cmdForward");
    forward_->setShortcut(QKeySequence::Forward);
    forward_->setToolTip("The page shown after (Alt+Right)");
    forward_->setAccessibleDescription(forward_->toolTip());
    home_ = new QPushButton("C&ontents", this);
    home_->setObjectName("cmdContents");
    home_->setToolTip("The contents page");
    home_->setAccessibleDescription(home_->toolTip());
    search_ = new QLineEdit(this);
    search_->setObjectName("txtSearch");
    search_->setPlaceholderText("words to find");
    search_->setClearButtonEnabled(true);
    search_->setToolTip("Lists the pages that hold every word, and highlights them");
    search_->setAccessibleDescription(search_->toolTip());
    auto* search_label = new QLabel("&Search:", this);
    search_label->setBuddy(search_);
    search_->setAccessibleName("Search");

    contents_ = new QListWidget(this);
    contents_->setObjectName("lstContents");
    contents_->setAccessibleName("Contents");
    for (const HelpPage& page : book_.Contents()) {
        auto* item = new QListWidgetItem(QString::fromStdString(page.title), contents_);
        item->setData(kPageRole, QString::fromStdString(page.page));
    }
    auto* contents_label = new QLabel("Co&ntents", this);
    contents_label->setBuddy(contents_);
    found_ = new QListWidget(this);
    found_->setObjectName("lstFound");
    found_->setAccessibleName("Pages found");
    auto* found_label = new QLabel("&Pages found", this);
    found_label->setBuddy(found_);

    browser_ = new HelpBrowser(book_, this);
    browser_->setObjectName("txtPage");
    browser_->setAccessibleName("Help page");
    browser_->setOpenExternalLinks(true);
    QStringList folders;
    for (const std::string& folder : book_.folders()) folders << QString::fromStdString(folder);
    browser_->setSearchPaths(folders);

    auto* tools = new QHBoxLayout;
    tools->addWidget(back_);
    tools->addWidget(forward_);
    tools->addWidget(home_);
    tools->addStretch();
    tools->addWidget(search_label);
    tools->addWidget(search_, 1);
    auto* side = new QWidget(this);
    auto* side_layout = new QVBoxLayout(side);
    side_layout->setContentsMargins(0, 0, 0, 0);
    side_layout->addWidget(contents_label);
    side_layout->addWidget(contents_, 2);
    side_layout->addWidget(found_label);
    side_layout->addWidget(found_, 1);
    auto* splitter = new QSplitter(this);
    splitter->addWidget(side);
    splitter->addWidget(browser_);
    splitter->setStretchFactor(1, 3);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addWidget(splitter, 1);
    setTabOrder(search_, contents_);
    setTabOrder(contents_, found_);
    setTabOrder(found_, browser_);
    setTabOrder(browser_, back_);
    setTabOrder(back_, forward_);
    setTabOrder(forward_, home_);
    resize(760, 560);
    FitToScreenWhenShown(this);

    back_->setEnabled(false);
    forward_->setEnabled(false);
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QPushButton::setEnabled);
    connect(back_, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(home_, &QPushButton::clicked, this, [this] { ShowPage(kHelpContentsPage); });
    // source() names the new page only once this signal has been sent.
    connect(browser_, &QTextBrowser::sourceChanged, this,
            [this](const QUrl& url) { Opened(PageOf(url)); });
    connect(search_, &QLineEdit::returnPressed, this, [this] { Search(search_->text()); });
    const auto open_item = [this](QListWidgetItem* item) {
        const QString page = item ? item->data(kPageRole).toString() : QString();
        if (!page.isEmpty()) ShowPage(page.toStdString());
    };
    connect(contents_, &QListWidget::itemActivated, this, open_item);
    connect(contents_, &QListWidget::itemClicked, this, open_item);
    connect(found_, &QListWidget::itemActivated, this, open_item);
    connect(found_, &QListWidget::itemClicked, this, open_item);
    auto* close = new QShortcut(QKeySequence::Cancel, this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
}

void HelpWindow::ShowPage(const std::string& page) {
    const QString folder =
        book_.folders().empty() ? QString(".") : QString::fromStdString(book_.folders().front());
    const QUrl url = QUrl::fromLocalFile(folder + "/" + QString::fromStdString(page));
    if (browser_->source() == url) {
        browser_->reload();
    } else {
        browser_->setSource(url, QTextDocument::MarkdownResource);
    }
    if (!isVisible()) show();
    raise();
    activateWindow();
}

QString HelpWindow::CurrentPage() const {
    return PageOf(browser_->source());
}

void HelpWindow::Opened(const QString& page) {
    for (int i = 0; i < contents_->count(); ++i) {
        // Only a click or Enter opens a page, so choosing the row here opens nothing.
        if (contents_->item(i)->data(kPageRole).toString() == page) contents_->setCurrentRow(i);
    }
    Highlight();
}

void HelpWindow::Search(const QString& query) {
    search_->setText(query);
    found_->clear();
    words_.clear();
    for (const std::string& word : SearchWords(query.toStdString())) {
        words_ << QString::fromStdString(word);
    }
    const std::vector<HelpPage> pages = book_.Search(query.toStdString());
    for (const HelpPage& page : pages) {
        auto* item = new QListWidgetItem(QString::fromStdString(page.title), found_);
        item->setData(kPageRole, QString::fromStdString(page.page));
    }
    if (pages.empty()) {
        auto* item = new QListWidgetItem(
            words_.isEmpty() ? QString("Type the words to find.")
                             : QString("No page holds \"%1\".").arg(words_.join(' ')),
            found_);
        item->setFlags(Qt::NoItemFlags);
        Highlight();
        return;
    }
    found_->setCurrentRow(0);
    if (CurrentPage() == QString::fromStdString(pages.front().page)) {
        Highlight();
    } else {
        ShowPage(pages.front().page);
    }
}

void HelpWindow::Highlight() {
    QList<QTextEdit::ExtraSelection> marks;
    QTextCursor first;
    for (const QString& word : words_) {
        QTextCursor at(browser_->document());
        while (!(at = browser_->document()->find(word, at)).isNull()) {
            QTextEdit::ExtraSelection mark;
            mark.cursor = at;
            mark.format.setBackground(QColor(255, 230, 80));
            mark.format.setForeground(Qt::black);
            marks << mark;
            if (first.isNull() || at.position() < first.position()) first = at;
        }
    }
    browser_->setExtraSelections(marks);
    if (!first.isNull()) {
        QTextCursor show(first);
        show.clearSelection();
        browser_->setTextCursor(show);
        browser_->ensureCursorVisible();
    }
}

int HelpWindow::Highlights() const {
    return static_cast<int>(browser_->extraSelections().size());
}

}  // namespace tallymar
