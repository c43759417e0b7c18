// The tape printed to PDF through tallymar-cli, read back with pdftotext -bbox:
// the header, the amounts' right edges, and a file that cannot be written. (The
// locale's symbols: gui_test_german_locale.)
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QGuiApplication>
#include <QPrinter>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "platform/qt/tape_pages.h"
#include "file_bytes.h"
#include "temp_folder.h"

namespace tallymar {
namespace {

using tallymar::testing::ReadBytes;
using tallymar::testing::TempFolder;

// A word printed on the page and where its box ends on the right, in points.
using Word = std::pair<std::string, double>;

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
    TempFolder folder{"tallymar-pdf"};
    const std::string dir = folder.path().string() + "/";

    // Runs tallymar-cli on `keys` and prints its tape to a PDF file: the words of its
    // first page.
    std::vector<Word> Printed(const std::string& keys) {
        std::ofstream(dir + "t.keys") << keys << "{Pdf " << dir << "t.pdf}";
        const std::string run = std::string(TALLYMAR_CLI) + " '" + dir + "t.keys' >/dev/null && " +
                                "pdftotext -f 1 -l 1 -bbox '" + dir + "t.pdf' '" + dir + "t.html'";
        EXPECT_EQ(std::system(run.c_str()), 0) << run;
        static const std::regex word(
            R"re(<word xMin="[0-9.]+" yMin="[0-9.]+" xMax="([0-9.]+)" yMax="[0-9.]+">([^<]*)</word>)re");
        const std::string html = ReadBytes(dir + "t.html");
        std::vector<Word> words;
        for (std::sregex_iterator it(html.begin(), html.end(), word), end; it != end; ++it)
            words.push_back({(*it)[2], std::stod((*it)[1])});
        return words;
    }

    // The left margin of the CLI's Letter page, in points.
    double LeftMargin() {
        QPrinter printer(QPrinter::HighResolution);
        UsePdfFile(printer, dir + "unused.pdf");
        return printer.pageLayout().paintRect(QPageLayout::Point).left();
    }
};

TEST_F(PrintedPdf, has_the_page_header_and_amounts_that_end_one_character_past_the_amount_field) {
    std::string text;
    const double right_edge = LeftMargin() + (2295 + 144) / 20.0;
    int amounts = 0;
    for (const auto& [word, x_max] : Printed("5+1234.5+{Enter}")) {
        text += word + " ";
        if (word != "5.00+" && word != "1,234.50+" && word != "1,239.50T") continue;
        EXPECT_NEAR(x_max, right_edge, 0.6) << word;
        ++amounts;
    }
    EXPECT_EQ(amounts, 3);
    EXPECT_NE(text.find(" Page 1 "), std::string::npos) << text;
}

TEST_F(PrintedPdf, a_file_that_cannot_be_written_is_reported_with_the_reason_alone) {
    const std::string folder = dir.substr(0, dir.size() - 1);
    const std::string run = std::string(TALLYMAR_CLI) + " --keys '5+{Pdf " + folder +
                            "}' >/dev/null 2>'" + dir + "errors'";
    EXPECT_NE(std::system(run.c_str()), 0);
    EXPECT_EQ(ReadBytes(dir + "errors"), "script error at position 2: cannot write the PDF file " +
                                             folder + ": it is a folder, not a file\n");
}

}  // namespace
}  // namespace tallymar
