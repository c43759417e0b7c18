// The help window: the help book's Markdown pages in a browser, with the contents
// beside them, links between pages, Back and Forward, and a search that lists the
// pages holding every word and highlights the words on the page shown. A page that
// is not there shows what is missing and where it was looked for.
#pragma once

#include <QTextBrowser>
#include <QWidget>

#include "help/help_book.h"

class QLineEdit;
class QListWidget;
class QPushButton;

namespace tallymar {

// The browser that reads pages from the help book.
class HelpBrowser : public QTextBrowser {
  public:
    HelpBrowser(const HelpBook& book, QWidget* parent) : QTextBrowser(parent), book_(book) {}
    QVariant loadResource(int type, const QUrl& name) override;

  private:
    const HelpBook& book_;
};

class HelpWindow : public QWidget {
  public:
    explicit HelpWindow(HelpBook book, QWidget* parent = nullptr);

    // Shows `page` ("index.md", "calculator-mode.md") and brings the window up.
    void ShowPage(const std::string& page);
    // The file name of the page shown ("keys.md").
    QString CurrentPage() const;
    // Lists the pages holding every word of `query`, shows the first and highlights
    // the words on it.
    void Search(const QString& query);
    // How many places of the page shown are highlighted.
    int Highlights() const;

    HelpBrowser* Browser() const { return browser_; }
    QListWidget* ContentsList() const { return contents_; }
    QListWidget* FoundList() const { return found_; }
    QLineEdit* SearchBox() const { return search_; }
    QPushButton* BackButton() const { return back_; }
    QPushButton* ForwardButton() const { return forward_; }

  private:
    void Opened(const QString& page);
    void Highlight();

    HelpBook book_;
    HelpBrowser* browser_;
    QListWidget* contents_;
    QListWidget* found_;
    QLineEdit* search_;
    QPushButton* back_;
    QPushButton* forward_;
    QPushButton* home_;
    QStringList words_;  // the last search's words, highlighted on every page shown
};

}  // namespace tallymar
