// The tape printed to PDF through tallymar-cli, read back with pdftotext -bbox:
// the header, the amounts' right edges and the second column's place.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QPrinter>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "platform/qt/tape_pages.h"

namespace tallymar {
namespace {

struct Word {
    double x_min, y_min, x_max, y_max;
    std::string text;
};

std::vector<Word> WordsOf(const std::string& html) {
    static const std::regex word(
        R"re(<word xMin="([0-9.]+)" yMin="([0-9.]+)" xMax="([0-9.]+)" yMax="([0-9.]+)">([^<]*)</word>)re");
    std::vector<Word> words;
    for (std::sregex_iterator it(html.begin(), html.end(), word), end; it != end; ++it) {
        words.push_back({std::stod((*it)[1]), std::stod((*it)[2]), std::stod((*it)[3]),
                         std::stod((*it)[4]), (*it)[5]});
    }
    return words;
}

// Prints the script's tape to a PDF file and returns the words of its first page.
std::vector<Word> PrintedWords(const std::string& keys, const std::string& name) {
    const std::string pdf = ::testing::TempDir() + name + ".pdf";
    const std::string html = ::testing::TempDir() + name + ".html";
    const std::string script = ::testing::TempDir() + name + ".keys";
    std::ofstream(script) << keys << "{Pdf " << pdf << "}";
    const std::string run = std::string(TALLYMAR_CLI) + " '" + script + "' > /dev/null 2>&1";
    EXPECT_EQ(std::system(run.c_str()), 0) << run;
    const std::string read = "pdftotext -f 1 -l 1 -bbox '" + pdf + "' '" + html + "'";
    EXPECT_EQ(std::system(read.c_str()), 0) << read;
    std::stringstream text;
    text << std::ifstream(html).rdbuf();
    for (const std::string& file : {pdf, html, script}) std::remove(file.c_str());
    return WordsOf(text.str());
}

// The printable area of the CLI's Letter page, in twips, and its left margin in points.
struct Page {
    double width_twips;
    double height_twips;
    double left_points;
};

Page LetterPage() {
    QPrinter printer(QPrinter::HighResolution);
    UsePdfFile(printer, ::testing::TempDir() + "unused.pdf");
    const QSizeF area = PrintableTwips(printer);
    const double left = printer.pageLayout().paintRect(QPageLayout::Point).left();
    return {area.width(), area.height(), left};
}

class PrintedPdf : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        static int argc = 1;
        static char name[] = "pdf_test";
        static char* argv[] = {name, nullptr};
        new QGuiApplication(argc, argv);  // kept to the end of the process
    }
};

TEST_F(PrintedPdf, has_the_date_time_and_page_header_and_right_aligned_amounts) {
    const std::vector<Word> words = PrintedWords("5+1234.5+{Enter}", "aligned");
    ASSERT_FALSE(words.empty());
    bool page = false;
    for (size_t i = 0; i + 1 < words.size(); ++i) {
        if (words[i].text == "Page" && words[i + 1].text == "1") page = true;
    }
    EXPECT_TRUE(page);
    const Page letter = LetterPage();
    // "5.00+", "1,234.50+" and "1,239.50T" end one character past the amount field.
    const double right_edge = letter.left_points + (2295 + 144) / 20.0;
    int amounts = 0;
    for (const Word& w : words) {
        if (w.text == "5.00+" || w.text == "1,234.50+" || w.text == "1,239.50T") {
            EXPECT_NEAR(w.x_max, right_edge, 0.6) << w.text;
            ++amounts;
        }
    }
    EXPECT_EQ(amounts, 3);
}

TEST_F(PrintedPdf, continues_in_a_second_column_one_column_width_to_the_right) {
    const Page letter = LetterPage();
    const int lines_per_page = static_cast<int>(std::lround(letter.height_twips)) / 250;
    const int columns = static_cast<int>(std::lround(letter.width_twips)) / 2750;
    const double column_width = static_cast<int>(std::lround(letter.width_twips)) / columns;
    // The new tape's four lines, then amounts until the first column is full and beyond.
    std::string keys;
    for (int i = 0; i < lines_per_page - 3; ++i) keys += "7+";
    const std::vector<Word> words = PrintedWords(keys, "columns");
    double first_column = 0, second_column = 0;
    for (const Word& w : words) {
        if (w.text != "7.00+") continue;
        if (first_column == 0) first_column = w.x_max;
        if (w.x_max > first_column + 10) second_column = w.x_max;
    }
    ASSERT_GT(first_column, 0);
    ASSERT_GT(second_column, 0) << "nothing reached the second column";
    EXPECT_NEAR(second_column - first_column, column_width / 20.0, 0.6);
}

}  // namespace
}  // namespace tallymar
