// The printed tape on a surface that records every call: page geometry, where
// and how each kind of line lands, page breaks for the printer and the preview,
// and the page header for each choice of date and time.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "files/print_layout.h"

namespace tallymar {
namespace {

struct Printed {
    std::string font;
    double size = 0;
    bool bold = false;
    Colour colour = 0;
    double x = 0;
    double y = 0;
    std::vector<PrintItem> items;
    int page = 0;  // NewPage calls before this line

    // The line as the tables expect it: "page x,y size[b] colour text".
    std::string Dump(Colour pos, Colour neg) const {
        char where[64];
        std::snprintf(where, sizeof where, "%d %g,%g %g%s ", page, x, y, size, bold ? "b" : "");
        const std::string ink = colour == 0     ? "black"
                                : colour == pos ? "pos"
                                : colour == neg ? "neg"
                                                : "txt";
        return where + ink + " " + Text();
    }

    std::string Text() const {
        std::string text;
        for (const PrintItem& item : items)
            text += item.numeric ? " " + item.text + " " : item.text;
        return text;
    }
};

class RecordingSurface : public PrintSurface {
  public:
    RecordingSurface(double width, double height) : width_(width), height_(height) {}
    double ScaleWidth() const override { return width_; }
    double ScaleHeight() const override { return height_; }
    double CurrentX() const override { return x_; }
    double CurrentY() const override { return y_; }
    void SetCurrentX(double x) override { x_ = x; }
    void SetCurrentY(double y) override { y_ = y; }
    void SetFontName(const std::string& name) override { font_ = name; }
    void SetFontSize(double points) override { size_ = points; }
    void SetFontBold(bool bold) override { bold_ = bold; }
    void SetForeColor(Colour colour) override { colour_ = colour; }
    void PrintLine(const std::vector<PrintItem>& items) override {
        lines.push_back({font_, size_, bold_, colour_, x_, y_, items, new_pages});
        x_ = 0;
        y_ += size_ * 20;
    }
    void NewPage() override {
        ++new_pages;
        x_ = y_ = 0;
    }

    std::vector<Printed> lines;
    int new_pages = 0;
    double width_, height_, x_ = 0, y_ = 0;
    std::string font_;
    double size_ = 0;
    bool bold_ = false;
    Colour colour_ = 0;
};

struct FixedClock : PrintClock {
    std::string Date() override { return "Saturday, December 5, 2026"; }
    std::string Time() override { return "05:17:03 PM"; }
};

constexpr double kWidth = 11520;   // 8 inches
constexpr double kHeight = 15120;  // 10.5 inches
constexpr Colour kPos = Rgb(0, 128, 0), kNeg = Rgb(200, 0, 0), kTxt = Rgb(0, 0, 160);

TapeLine Line(double amount, char op, int decimals = 2) {
    TapeLine line;
    line.Amount = amount;
    line.Op = op;
    line.Decimals = static_cast<std::int16_t>(decimals);
    return line;
}

TapeLine Text(char op, const std::string& text) {
    TapeLine line = Line(0, op);
    SetEntry(line, text);
    return line;
}

class PrintLayoutTest : public ::testing::Test {
  protected:
    PrintLayoutTest() {
        options.PrintDate = options.PrintTime = false;
        options.colours.CurPosClr = kPos;
        options.colours.CurNegClr = kNeg;
        options.colours.CurTxtClr = kTxt;
    }
    // Prints the tape and returns every line printed, one per row.
    std::string Printout(const std::vector<TapeLine>& tape) {
        Print(tape);
        std::string all;
        for (const Printed& line : surface.lines) all += line.Dump(kPos, kNeg) + "\n";
        return all;
    }
    std::optional<int> Print(const std::vector<TapeLine>& tape, int first = 0, int last = -2) {
        return layout.PrintTapeLines(surface, tape, first,
                                     last == -2 ? static_cast<int>(tape.size()) - 1 : last);
    }

    PrintOptions options;
    FixedClock clock;
    PrintLayout layout{options, clock};
    RecordingSurface surface{kWidth, kHeight};
};

TEST(PdfFileName, IsTheTapesNameWithPdfInPlaceOfAdd) {
    const std::pair<const char*, const char*> names[] = {{"week.add", "week.pdf"},
                                                         {"Week.ADD", "Week.pdf"},
                                                         {"", "Tape1.pdf"},
                                                         {".add", ".add.pdf"},
                                                         {"notes.txt", "notes.txt.pdf"},
                                                         {"budget.adds", "budget.adds.pdf"}};
    for (auto [title, pdf] : names) EXPECT_EQ(PdfFileNameOf(title), pdf) << title;
}

TEST(PrintGeometry, PagesAreCutIntoColumnsAndRowsFromTheSurfaceScale) {
    const struct {
        double width, height;
        int lines, columns, column_width;
    } cases[] = {
        {11520, 15120, 60, 4, 2880},
        {11519.6, 15120.4, 60, 4, 2880},  // each side goes to the nearest twip first
        {5499.4, 999.4, 3, 1, 5499},
        {5499.5, 999.5, 4, 2, 2750},
        {2000, 15120, 60, 1, 2000},  // narrower than a column: still one column
    };
    for (const auto& c : cases) {
        RecordingSurface s(c.width, c.height);
        EXPECT_EQ(PrintLayout::LinesPerPage(s), c.lines) << c.width << " x " << c.height;
        EXPECT_EQ(PrintLayout::ColumnsPerPage(s), c.columns) << c.width;
        EXPECT_EQ(PrintLayout::ColumnWidth(s), c.column_width) << c.width;
    }
}

// Every kind of line, in colour: where it lands, its size, weight, colour and text.
TEST_F(PrintLayoutTest, EachKindOfLinePrintsInItsPlaceColourAndWeight) {
    options.PrintColor = true;
    std::vector<TapeLine> tape{Line(12, op::kTotal),
                               Line(-5, op::kTotal, 0),
                               Line(-5, op::kSubtotal),
                               Line(0, op::kSubtotal, 0),
                               Line(7, '-', 0),
                               Line(-7, '+', 0),
                               Line(7, '*', 0),
                               Line(7, op::kInserted, 0),
                               Line(1234.5, '+'),
                               Line(0, op::kRule),
                               Line(0, op::kOpen),
                               Text(op::kComment, "Café"),
                               Text(op::kConversion, "12 in"),
                               Text(op::kConversion, "30.48 cm"),
                               Text(op::kConversion, "5 lb"),
                               Text(op::kConversion, "2.27 kg"),
                               Text(op::kConversion, "1 mi"),
                               Text(op::kConversion, "1.609344 km (approx)")};
    tape.resize(57, Line(0, op::kOpen));
    tape.push_back(Line(0, op::kComment));  // never given a text: all NUL bytes
    tape.push_back(Line(-3, '='));
    EXPECT_EQ(
        Printout(tape),
        "0 1575,720 12b pos 12.00T\n0 2007,960 12b neg -5T\n0 1575,1200 12b neg -5.00S\n0 "
        "2151,1440 12b pos 0S\n0 2151,1680 12 neg 7-\n0 2007,1920 12 pos -7+\n0 2151,2160 12 pos "
        "7*\n0 2151,2400 12 pos 7 \n0 1143,2640 12 pos 1,234.50+\n0 0,3360 12 txt Caf\xC3\xA9      "
        "       \n0 1575,3600 12 txt 12 in\n0 1143,3840 12 txt 30.48 cm =\n0 1719,4080 12 txt 5 "
        "lb\n0 1287,4320 12 txt 2.27 kg\n0 1719,4560 12 txt 1 mi\n0 279,4800 12 txt 1.609344 km "
        "(appr =\n0 2880,720 12 txt                  \n0 4455,960 12 pos -3.00=\n");
    options.PrintColor = false;
    surface.lines.clear();
    Print({Line(-5, op::kTotal), Text(op::kComment, "x")});
    for (const Printed& line : surface.lines) EXPECT_EQ(line.colour, 0);
}

TEST_F(PrintLayoutTest, AmountWidthsCountCharactersNotBytes) {
    options.symbols.thousands = "\u00a0";  // two bytes in UTF-8, one character
    options.line_pitch = 300;
    options.field_width = 3000;
    EXPECT_EQ(Printout({Line(0, op::kRule), Line(1234.5, '=')}),
              "0 1848,1020 12 black 1\xC2\xA0"
              "234.50=\n");
}

TEST_F(PrintLayoutTest, AnEightByTenAndAHalfInchPageHolds57LinesInEachOfFourColumns) {
    Print(std::vector<TapeLine>(229, Line(1, '+')));
    std::vector<Printed> amounts;  // the lines without the bold page headers
    for (const Printed& line : surface.lines)
        if (!line.bold) amounts.push_back(line);
    ASSERT_EQ(amounts.size(), 229u);
    const int at[] = {0, 56, 57, 227, 228};
    std::string where;
    for (int i : at) where += amounts[i].Dump(kPos, kNeg) + "\n";
    EXPECT_EQ(where,
              "0 1719,720 12 black 1.00+\n0 1719,14160 12 black 1.00+\n0 4599,720 12 black "
              "1.00+\n0 10359,14160 12 black 1.00+\n1 1719,720 12 black 1.00+\n");
    EXPECT_EQ(layout.PageNo, 1);
}

TEST_F(PrintLayoutTest, APrinterPageFilledByTheLastLineIsFollowedByAPageWithOnlyItsHeader) {
    options.PrintTime = true;
    Print(std::vector<TapeLine>(228, Line(1, '+')));
    EXPECT_EQ(surface.new_pages, 1);
    EXPECT_EQ(layout.PageNo, 1);
    ASSERT_EQ(surface.lines.size(), 230u);
    EXPECT_EQ(surface.lines[228].page, 0);
    EXPECT_EQ(surface.lines.back().Dump(kPos, kNeg), "1 7920,0 10b black 05:17:03 PM  Page  2 ");
}

TEST_F(PrintLayoutTest, APreviewPageEndsTheCallAndTheNextCallStartsAfterItsLastLine) {
    layout.PreviewMode = true;
    const std::vector<TapeLine> tape(228, Line(1, '+'));
    EXPECT_EQ(Print(tape), 227);
    EXPECT_EQ(layout.PageNo, 1);
    EXPECT_EQ(surface.lines.size(), 228u);
    RecordingSurface next(kWidth, kHeight);
    EXPECT_EQ(layout.PrintTapeLines(next, tape, 228, 227), std::nullopt);
    ASSERT_EQ(next.lines.size(), 1u);
    EXPECT_EQ(next.lines[0].Text(), "  Page  2 ");
    EXPECT_EQ(surface.new_pages + next.new_pages, 0);
}

TEST_F(PrintLayoutTest, PageNumbersCountThePrintersPagesAsTheirColumnsFill) {
    options.PrintDate = true;
    Print(std::vector<TapeLine>(500, Line(1, '+')));
    EXPECT_EQ(surface.new_pages, 2);
    EXPECT_EQ(layout.PageNo, 2);
    std::string headers;
    for (const Printed& line : surface.lines)
        if (line.bold) headers += line.items.back().text;
    EXPECT_EQ(headers, "123");
    PrintLayout fresh{options, clock};  // an empty range: the header alone
    RecordingSurface empty{kWidth, kHeight};
    EXPECT_EQ(fresh.PrintTapeLines(empty, {Line(1, '+')}, 1, 0), std::nullopt);
    EXPECT_EQ(fresh.PageNo, 0);
    EXPECT_EQ(empty.lines.size(), 1u);
}

TEST_F(PrintLayoutTest, TheHeaderShowsTheChosenDateTimeAndPageNumberRightAligned) {
    const struct {
        bool date, time;
        int page;
    } cases[] = {
        {true, true, 3}, {true, false, 1}, {false, true, 1}, {false, false, 2}, {false, false, 1}};
    std::string printed;
    options.PrintColor = true;
    for (const auto& c : cases) {
        options.PrintDate = c.date;
        options.PrintTime = c.time;
        RecordingSurface s(kWidth, kHeight);
        s.SetCurrentY(500);
        s.SetForeColor(kNeg);
        layout.PrintPageHeader(s, c.page);
        EXPECT_EQ(s.size_, 12);  // the amounts' font is set again after it
        EXPECT_FALSE(s.bold_);
        for (const Printed& header : s.lines) {
            printed += header.Dump(kPos, kNeg);
            for (const PrintItem& item : header.items)
                printed += (item.numeric ? "|#" : "|") + item.text;
            printed += "\n";
        }
    }
    EXPECT_EQ(
        printed,
        "0 5040,500 10b black Saturday, December 5, 2026  05:17:03 PM  Page  3 |Saturday, December "
        "5, 2026  |05:17:03 PM|  Page |#3\n0 6480,500 10b black Saturday, December 5, 2026  Page  "
        "1 |Saturday, December 5, 2026|  Page |#1\n0 7920,500 10b black 05:17:03 PM  Page  1 "
        "|05:17:03 PM|  Page |#1\n0 9360,500 10b black   Page  2 |  Page |#2\n");
}

}  // namespace
}  // namespace tallymar
