// The tape printed to PDF through tallymar-cli, read back with pdftotext -bbox:
// the header, the amounts' right edges and the second column's place.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QLocale>
#include <QPrinter>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
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

// A font's ascent and descent as the PDF file declares them, in thousandths of its
// size: pdftotext -bbox puts a word's box from the baseline up by the one and down
// by the other.
struct FontExtent {
    double ascent, descent;
};

std::vector<FontExtent> FontExtentsOf(const std::string& pdf_bytes) {
    static const std::regex descriptor(R"re(/Ascent\s+(-?[0-9.]+)\s+/Descent\s+(-?[0-9.]+))re");
    std::vector<FontExtent> fonts;
    for (std::sregex_iterator it(pdf_bytes.begin(), pdf_bytes.end(), descriptor), end; it != end;
         ++it) {
        fonts.push_back({std::stod((*it)[1]), std::stod((*it)[2])});
    }
    return fonts;
}

struct Printed {
    std::vector<Word> words;  // of the first page
    std::vector<FontExtent> fonts;
};

// Prints the script's tape to a PDF file with `environment` before the command
// ("LANG=de_DE.UTF-8", say) and reads it back.
Printed PrintedPage(const std::string& keys, const std::string& name,
                    const std::string& environment = "") {
    const std::string pdf = ::testing::TempDir() + name + ".pdf";
    const std::string html = ::testing::TempDir() + name + ".html";
    const std::string script = ::testing::TempDir() + name + ".keys";
    std::ofstream(script) << keys << "{Pdf " << pdf << "}";
    const std::string run =
        environment + " " + std::string(TALLYMAR_CLI) + " '" + script + "' > /dev/null 2>&1";
    EXPECT_EQ(std::system(run.c_str()), 0) << run;
    const std::string read = "pdftotext -f 1 -l 1 -bbox '" + pdf + "' '" + html + "'";
    EXPECT_EQ(std::system(read.c_str()), 0) << read;
    std::stringstream text, bytes;
    text << std::ifstream(html).rdbuf();
    bytes << std::ifstream(pdf, std::ios::binary).rdbuf();
    for (const std::string& file : {pdf, html, script}) std::remove(file.c_str());
    return {WordsOf(text.str()), FontExtentsOf(bytes.str())};
}

std::vector<Word> PrintedWords(const std::string& keys, const std::string& name) {
    return PrintedPage(keys, name).words;
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

TEST_F(PrintedPdf, bold_totals_stand_on_the_same_baselines_as_the_amounts_around_them) {
    const Printed page = PrintedPage("5+3+{Enter}7+{S-Enter}2+", "baselines");
    ASSERT_EQ(page.fonts.size(), 2u) << "one bold and one regular face";
    std::vector<double> baselines;  // of each amount, less its row's place
    const FontExtent* total_face = nullptr;
    const FontExtent* amount_face = nullptr;
    double first_top = -1;
    for (const Word& w : page.words) {
        const char last = w.text.empty() ? ' ' : w.text.back();
        if (last != '+' && last != 'T' && last != 'S') continue;
        // The face is the one whose declared height is the word box's height.
        const double height = w.y_max - w.y_min;
        const FontExtent* font = nullptr;
        for (const FontExtent& f : page.fonts) {
            if (std::abs((f.ascent - f.descent) * 12 / 1000 - height) < 0.01) font = &f;
        }
        ASSERT_NE(font, nullptr) << w.text;
        (last == '+' ? amount_face : total_face) = font;
        if (first_top < 0) first_top = w.y_min;
        const double row = std::round((w.y_min - first_top) / 12);
        baselines.push_back(w.y_min + font->ascent * 12 / 1000 - row * 12);
    }
    // 0.00T, 8.00T and 15.00S in bold, four amounts in the regular face.
    EXPECT_NE(total_face, amount_face);
    ASSERT_EQ(baselines.size(), 7u);
    for (double baseline : baselines) EXPECT_NEAR(baseline, baselines[0], 0.05);
}

TEST_F(PrintedPdf, takes_the_amounts_symbols_and_the_date_from_the_user_s_locale) {
    const QLocale german("de_DE");
    const Printed page = PrintedPage("5+1234,5+{Enter}", "german", "LANG=de_DE.UTF-8 LC_ALL=");
    bool amount = false, weekday = false;
    for (const Word& w : page.words) {
        if (w.text == "1.239,50T") amount = true;
        for (int day = 1; day <= 7; ++day) {
            if (w.text == german.dayName(day).toStdString() + ",") weekday = true;
        }
    }
    EXPECT_TRUE(amount);
    EXPECT_TRUE(weekday);
}

TEST_F(PrintedPdf, a_file_that_cannot_be_written_is_reported_with_the_reason_alone) {
    const std::string folder = ::testing::TempDir() + "pdf_folder";
    std::filesystem::create_directories(folder);
    const std::string errors = ::testing::TempDir() + "pdf_errors.txt";
    const std::string run = std::string(TALLYMAR_CLI) + " --keys '5+{Pdf " + folder + "}' > " +
                            "/dev/null 2> '" + errors + "'";
    EXPECT_NE(std::system(run.c_str()), 0);
    std::stringstream text;
    text << std::ifstream(errors).rdbuf();
    EXPECT_EQ(text.str(), "script error at position 2: cannot write the PDF file " + folder +
                              ": it is a folder, not a file\n");
    std::filesystem::remove(folder);
    std::remove(errors.c_str());
}

}  // namespace
}  // namespace tallymar
