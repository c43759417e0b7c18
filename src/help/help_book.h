// The help book: Markdown pages in a "help" folder, "index.md" the contents, whose
// links name the other pages. The book finds a page in the first of its folders
// that holds it, lists the contents, and finds the pages that hold every word of a
// search. The help window (dialogs/help_window) shows what it finds.
#pragma once

#include <string>
#include <vector>

namespace tallymar {

inline constexpr char kHelpContentsPage[] = "index.md";
inline constexpr char kCalculatorModePage[] = "calculator-mode.md";

struct HelpPage {
    std::string title;  // the page's first heading: "Calculator mode"
    std::string page;   // its file name: "calculator-mode.md"

    bool operator==(const HelpPage&) const = default;
};

class HelpBook {
  public:
    // Each of `folders` may hold pages; the first that holds a page wins.
    explicit HelpBook(std::vector<std::string> folders) : folders_(std::move(folders)) {}

    // The path of `page`; "" when no folder holds it or it is not a page's plain
    // file name (no folder part).
    std::string PagePath(const std::string& page) const;
    // The contents page, then every page its links name, in their order, each once.
    std::vector<HelpPage> Contents() const;
    // The pages that hold every word of `query`, letter case ignored, the contents'
    // order first and then any other page by name. Nothing for a query of no words.
    std::vector<HelpPage> Search(const std::string& query) const;
    // What the help window shows in place of a page that is not there (Markdown).
    std::string MissingPageText(const std::string& page) const;
    // The page's Markdown text, or MissingPageText when it cannot be read.
    std::string PageText(const std::string& page) const;

    const std::vector<std::string>& folders() const { return folders_; }

  private:
    std::string Text(const std::string& page) const;
    HelpPage PageOf(const std::string& page) const;

    std::vector<std::string> folders_;
};

// The words of a search, as the help window highlights them.
std::vector<std::string> SearchWords(const std::string& query);

}  // namespace tallymar
