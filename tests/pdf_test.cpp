// The tape printed to PDF through tallymar-cli, read back with pdftotext -bbox:
// the header, the amounts' right edges, the second column's place, the baselines
// of bold totals, the user's locale, and a file that cannot be written.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QGuiApplication>
#include <QLocale>
#include <QPrinter>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
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

std::string ReadFile(const std::string& path) {
    std::stringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    return bytes.str();
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
    // A folder of this test's own, so that builds running at once do not collide.
    void SetUp() override {
        std::string made =
            (std::filesystem::temp_directory_path() / "tallymar-pdf-XXXXXX").string();
        ASSERT_NE(::mkdtemp(made.data()), nullptr);
        dir = made + "/";
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    // Runs tallymar-cli on `keys` with `environment` before the command and prints its
    // tape to a PDF file; the words of the first page, and the file's bytes in *pdf_bytes.
    std::vector<Word> Printed(const std::string& keys, const std::string& environment = "",
                              std::string* pdf_bytes = nullptr) {
        std::ofstream(dir + "t.keys") << keys << "{Pdf " << dir << "t.pdf}";
        const std::string run = environment + " " + TALLYMAR_CLI + " '" + dir +
                                "t.keys' >/dev/null && " + "pdftotext -f 1 -l 1 -bbox '" + dir +
                                "t.pdf' '" + dir + "t.html'";
        EXPECT_EQ(std::system(run.c_str()), 0) << run;
        if (pdf_bytes) *pdf_bytes = ReadFile(dir + "t.pdf");
        static const std::regex word(
            R"re(<word xMin="([0-9.]+)" yMin="([0-9.]+)" xMax="([0-9.]+)" yMax="([0-9.]+)">([^<]*)</word>)re");
        const std::string html = ReadFile(dir + "t.html");
        std::vector<Word> words;
        for (std::sregex_iterator it(html.begin(), html.end(), word), end; it != end; ++it)
            words.push_back({std::stod((*it)[1]), std::stod((*it)[2]), std::stod((*it)[3]),
                             std::stod((*it)[4]), (*it)[5]});
        return words;
    }

    // The printable area of the CLI's Letter page in twips, and its left margin in points.
    QRectF Letter() {
        QPrinter printer(QPrinter::HighResolution);
        UsePdfFile(printer, dir + "unused.pdf");
        const QSizeF area = PrintableTwips(printer);
        return {printer.pageLayout().paintRect(QPageLayout::Point).left(), 0, area.width(),
                area.height()};
    }

    std::string dir;
};

TEST_F(PrintedPdf, has_the_page_header_and_amounts_that_end_one_character_past_the_amount_field) {
    const std::vector<Word> words = Printed("5+1234.5+{Enter}");
    std::string text;
    for (const Word& w : words) text += w.text + " ";
    EXPECT_NE(text.find(" Page 1 "), std::string::npos) << text;
    const double right_edge = Letter().left() + (2295 + 144) / 20.0;
    int amounts = 0;
    for (const Word& w : words) {
        if (w.text != "5.00+" && w.text != "1,234.50+" && w.text != "1,239.50T") continue;
        EXPECT_NEAR(w.x_max, right_edge, 0.6) << w.text;
        ++amounts;
    }
    EXPECT_EQ(amounts, 3);
}

TEST_F(PrintedPdf, continues_in_a_second_column_one_column_width_to_the_right) {
    const QRectF letter = Letter();
    const int width = static_cast<int>(std::lround(letter.width()));
    const int lines_per_page = static_cast<int>(std::lround(letter.height())) / 250;
    std::string keys;  // the new tape's four lines, then amounts beyond the first column
    for (int i = 0; i < lines_per_page - 3; ++i) keys += "7+";
    double first_column = 0, second_column = 0;
    for (const Word& w : Printed(keys)) {
        if (w.text != "7.00+") continue;
        if (first_column == 0) first_column = w.x_max;
        if (w.x_max > first_column + 10) second_column = w.x_max;
    }
    ASSERT_GT(second_column, 0) << "nothing reached the second column";
    EXPECT_NEAR(second_column - first_column, width / (width / 2750) / 20.0, 0.6);
}

TEST_F(PrintedPdf, bold_totals_stand_on_the_same_baselines_as_the_amounts_around_them) {
    std::string bytes;
    const std::vector<Word> words = Printed("5+3+{Enter}7+{S-Enter}2+", "", &bytes);
    // A font's ascent and descent in thousandths of its size: pdftotext puts a word's
    // box from the baseline up by the one and down by the other.
    static const std::regex extent(R"re(/Ascent\s+(-?[0-9.]+)\s+/Descent\s+(-?[0-9.]+))re");
    std::vector<std::pair<double, double>> fonts;
    for (std::sregex_iterator it(bytes.begin(), bytes.end(), extent), end; it != end; ++it)
        fonts.push_back({std::stod((*it)[1]), std::stod((*it)[2])});
    ASSERT_EQ(fonts.size(), 2u) << "one bold and one regular face";
    std::vector<double> baselines;  // of each amount, less its row's place
    std::set<int> faces;
    for (const Word& w : words) {
        const char last = w.text.back();
        if (last != '+' && last != 'T' && last != 'S') continue;
        // The face is the one whose declared height is the word box's height.
        int face =
            std::abs((fonts[0].first - fonts[0].second) * 12 / 1000 - (w.y_max - w.y_min)) < 0.01
                ? 0
                : 1;
        faces.insert(face * 2 + (last == '+'));
        const double row = std::round((w.y_min - words[0].y_min) / 12);
        baselines.push_back(w.y_min + fonts[face].first * 12 / 1000 - row * 12);
    }
    EXPECT_EQ(faces.size(), 2u);      // totals in one face, amounts in the other
    ASSERT_EQ(baselines.size(), 7u);  // 0.00T, 8.00T, 15.00S and four amounts
    for (double baseline : baselines) EXPECT_NEAR(baseline, baselines[0], 0.05);
}

TEST_F(PrintedPdf, takes_the_amounts_symbols_and_the_date_from_the_user_s_locale) {
    std::string text;
    for (const Word& w : Printed("5+1234,5+{Enter}", "LANG=de_DE.UTF-8 LC_ALL="))
        text += " " + w.text;
    EXPECT_NE(text.find(" 1.239,50T"), std::string::npos) << text;
    bool weekday = false;
    for (int day = 1; day <= 7; ++day)
        weekday |=
            text.find(" " + QLocale("de_DE").dayName(day).toStdString() + ",") != std::string::npos;
    EXPECT_TRUE(weekday) << text;
}

TEST_F(PrintedPdf, a_file_that_cannot_be_written_is_reported_with_the_reason_alone) {
    const std::string folder = dir.substr(0, dir.size() - 1);
    const std::string run = std::string(TALLYMAR_CLI) + " --keys '5+{Pdf " + folder +
                            "}' >/dev/null 2>'" + dir + "errors'";
    EXPECT_NE(std::system(run.c_str()), 0);
    EXPECT_EQ(ReadFile(dir + "errors"), "script error at position 2: cannot write the PDF file " +
                                            folder + ": it is a folder, not a file\n");
}

}  // namespace
}  // namespace tallymar
