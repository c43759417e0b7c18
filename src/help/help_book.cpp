#include "help/help_book.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <system_error>

namespace tallymar {

namespace fs = std::filesystem;

namespace {

// No page is read further than this; the help's pages are a few kilobytes.
constexpr std::streamsize kMaxPageSize = 1 << 20;

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string Lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), Lower);
    return text;
}

bool IsPageName(const std::string& page) {
    static const std::regex name("[A-Za-z0-9_-][A-Za-z0-9_.-]*\\.md");
    return std::regex_match(page, name);
}

}  // namespace

std::vector<std::string> SearchWords(const std::string& query) {
    std::vector<std::string> words;
    std::istringstream in(query);
    for (std::string word; in >> word;) {
        if (std::find(words.begin(), words.end(), word) == words.end()) words.push_back(word);
    }
    return words;
}

std::string HelpBook::PagePath(const std::string& page) const {
    if (!IsPageName(page)) return "";
    for (const std::string& folder : folders_) {
        const fs::path path = fs::path(folder) / page;
        std::error_code ec;
        if (fs::is_regular_file(path, ec)) return path.string();
    }
    return "";
}

std::string HelpBook::Text(const std::string& page) const {
    const std::string path = PagePath(page);
    if (path.empty()) return "";
    std::ifstream in(path, std::ios::binary);
    std::string text(static_cast<std::size_t>(kMaxPageSize), '\0');
    in.read(text.data(), kMaxPageSize);
    text.resize(static_cast<std::size_t>(std::max<std::streamsize>(in.gcount(), 0)));
    return text;
}

HelpPage HelpBook::PageOf(const std::string& page) const {
    std::istringstream in(Text(page));
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("# ", 0) == 0) {
            std::string title = line.substr(2);
            while (!title.empty() && (title.back() == '\r' || title.back() == ' '))
                title.pop_back();
            return HelpPage{title, page};
        }
    }
    return HelpPage{page, page};
}

std::vector<HelpPage> HelpBook::Contents() const {
    std::vector<HelpPage> pages{PageOf(kHelpContentsPage)};
    std::set<std::string> seen{kHelpContentsPage};
    static const std::regex link(R"(\]\(([^)\s#]+)(#[^)\s]*)?\))");
    const std::string text = Text(kHelpContentsPage);
    for (std::sregex_iterator it(text.begin(), text.end(), link), end; it != end; ++it) {
        const std::string page = (*it)[1];
        if (IsPageName(page) && seen.insert(page).second) pages.push_back(PageOf(page));
    }
    return pages;
}

std::vector<HelpPage> HelpBook::Search(const std::string& query) const {
    std::vector<std::string> words = SearchWords(query);
    if (words.empty()) return {};
    for (std::string& word : words) word = Lowered(word);

    std::vector<std::string> names;
    for (const HelpPage& page : Contents()) names.push_back(page.page);
    std::set<std::string> others;
    for (const std::string& folder : folders_) {
        std::error_code ec;
        for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
            const std::string name = it->path().filename().string();
            if (IsPageName(name) && std::find(names.begin(), names.end(), name) == names.end()) {
                others.insert(name);
            }
        }
    }
    names.insert(names.end(), others.begin(), others.end());

    std::vector<HelpPage> found;
    for (const std::string& name : names) {
        const std::string text = Lowered(Text(name));
        if (text.empty()) continue;
        const bool all = std::all_of(words.begin(), words.end(), [&](const std::string& word) {
            return text.find(word) != std::string::npos;
        });
        if (all) found.push_back(PageOf(name));
    }
    return found;
}

std::string HelpBook::PageText(const std::string& page) const {
    const std::string text = Text(page);
    return text.empty() ? MissingPageText(page) : text;
}

std::string HelpBook::MissingPageText(const std::string& page) const {
    std::string text = "# Page not found\n\nThe help page `" + page + "` is not ";
    text += folders_.empty() ? std::string("installed.") : "in";
    for (std::size_t i = 0; i < folders_.size(); ++i) {
        text += (i == 0 ? " " : i + 1 == folders_.size() ? " or " : ", ");
        text += "`" + folders_[i] + "`";
    }
    text +=
        ".\n\nInstalling Tallymar again brings the help back. The other pages may still be "
        "there: go back, or to the [contents](index.md).\n";
    return text;
}

}  // namespace tallymar
