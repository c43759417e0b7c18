// The printed tape on a surface that records every call: page geometry, where
// and how each kind of line lands, page breaks for the printer and the preview,
// and the page header for each choice of date and time.
#include <gtest/gtest.h>

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
    const std::pair<const char*, const char*> names[] = {
        {"week.add", "week.pdf"}, {"Week.ADD", "Week.pdf"},
        {"Tape1", "Tape1.pdf"},   {"", "Tape1.pdf"},
        {"a.b.add", "a.b.pdf"},   {"notes.txt", "notes.txt.pdf"},
        {".add", ".add.pdf"},     {"budget.adds", "budget.adds.pdf"},
    };
    for (auto [title, pdf] : names) EXPECT_EQ(PdfFileNameOf(title), pdf) << title;
}

TEST(PrintGeometry, PagesAreCutIntoColumnsAndRowsFromTheSurfaceScale) {
    struct Case {
        double width, height;
        int lines, columns, column_width;
    };
    for (const Case& c : std::vector<Case>{
             {11520, 15120, 60, 4, 2880},
             {11519.6, 15120.4, 60, 4, 2880},  // each side goes to the nearest twip first
             {5499.4, 999.4, 3, 1, 5499},
             {5499.5, 999.5, 4, 2, 2750},
             {2000, 15120, 60, 1, 2000},  // narrower than a column: still one column
         }) {
        RecordingSurface s(c.width, c.height);
        EXPECT_EQ(PrintLayout::LinesPerPage(s), c.lines) << c.width << " x " << c.height;
        EXPECT_EQ(PrintLayout::ColumnsPerPage(s), c.columns) << c.width;
        EXPECT_EQ(PrintLayout::ColumnWidth(s), c.column_width) << c.width;
    }
}

TEST_F(PrintLayoutTest, AnEightByTenAndAHalfInchPageHolds57LinesInEachOfFourColumns) {
    std::vector<TapeLine> tape(229, Line(1, '+'));
    Print(tape);
    std::vector<Printed> amounts;  // the lines without the bold page headers
    for (const Printed& line : surface.lines)
        if (!line.bold) amounts.push_back(line);
    ASSERT_EQ(amounts.size(), 229u);
    struct Case {
        int index, page;
        double x, y;
    };
    for (const Case& c : std::vector<Case>{{0, 0, 1719, 720},
                                           {56, 0, 1719, 720 + 56 * 240},
                                           {57, 0, 1719 + 2880, 720},
                                           {227, 0, 1719 + 3 * 2880, 720 + 56 * 240},
                                           {228, 1, 1719, 720}}) {
        const Printed& line = amounts[static_cast<std::size_t>(c.index)];
        EXPECT_EQ(line.page, c.page) << c.index;
        EXPECT_EQ(line.x, c.x) << c.index;
        EXPECT_EQ(line.y, c.y) << c.index;
    }
    EXPECT_EQ(layout.PageNo, 1);
}

TEST_F(PrintLayoutTest, AmountsEndAtTheRightEdgeOfTheFieldInTheirColumn) {
    std::vector<TapeLine> tape(114, Line(0, op::kOpen));  // two empty columns
    tape.push_back(Line(1234.5, '+'));
    tape.insert(tape.begin(), Line(1234.5, '+'));
    Print(tape);
    ASSERT_EQ(surface.lines.size(), 2u);
    EXPECT_EQ(surface.lines[0].Text(), "1,234.50+");
    EXPECT_EQ(surface.lines[0].x, 2295 - 8 * 144);
    EXPECT_EQ(surface.lines[1].x, 2295 - 8 * 144 + 2 * 2880);
    EXPECT_EQ(surface.lines[1].y, 720 + 1 * 240);
    for (const Printed& line : surface.lines) EXPECT_EQ(line.font, "Courier");
    for (const Printed& line : surface.lines) EXPECT_EQ(line.size, 12);
}

TEST_F(PrintLayoutTest, AmountWidthsCountCharactersNotBytes) {
    options.symbols.thousands = "\u00a0";  // two bytes in UTF-8, one character
    options.line_pitch = 300;
    options.field_width = 3000;
    Print({Line(0, op::kRule), Line(1234.5, '=')});
    ASSERT_EQ(surface.lines.size(), 1u);
    EXPECT_EQ(surface.lines[0].x, 3000 - 8 * 144);
    EXPECT_EQ(surface.lines[0].y, 720 + 300);
}

struct KindCase {
    TapeLine line;
    std::string text;
    bool bold;
    Colour colour;
};

TEST_F(PrintLayoutTest, EachKindOfLinePrintsItsAmountWithItsOperatorInItsColourAndWeight) {
    const std::vector<KindCase> cases{
        {Line(12, op::kTotal), "12.00T", true, kPos},
        {Line(-5, op::kTotal, 0), "-5T", true, kNeg},
        {Line(-5, op::kSubtotal), "-5.00S", true, kNeg},
        {Line(0, op::kSubtotal, 0), "0S", true, kPos},
        {Line(7, '-', 0), "7-", false, kNeg},
        {Line(-7, '+', 0), "-7+", false, kPos},
        {Line(7, '*', 0), "7*", false, kPos},
        {Line(7, op::kInserted, 0), "7 ", false, kPos},
    };
    for (bool colour : {true, false}) {
        options.PrintColor = colour;
        surface.lines.clear();
        std::vector<TapeLine> tape;
        for (const KindCase& c : cases) tape.push_back(c.line);
        Print(tape);
        ASSERT_EQ(surface.lines.size(), cases.size());
        for (std::size_t i = 0; i < cases.size(); ++i) {
            const Printed& line = surface.lines[i];
            EXPECT_EQ(line.Text(), cases[i].text);
            EXPECT_EQ(line.bold, cases[i].bold) << cases[i].text;
            EXPECT_EQ(line.colour, colour ? cases[i].colour : 0) << cases[i].text;
            EXPECT_EQ(line.x, 2295 - (line.Text().size() - 1) * 144.0) << cases[i].text;
        }
    }
}

TEST_F(PrintLayoutTest, RuleAndOpenLinesLeaveTheirRowsEmpty) {
    Print({Line(1, '+'), Line(0, op::kRule), Line(0, op::kRule), Line(0, op::kOpen), Line(2, '+')});
    ASSERT_EQ(surface.lines.size(), 2u);
    EXPECT_EQ(surface.lines[1].Text(), "2.00+");
    EXPECT_EQ(surface.lines[1].y, 720 + 4 * 240);
}

TEST_F(PrintLayoutTest, CommentsPrintAllSeventeenCharactersFromTheColumnsLeftEdge) {
    options.PrintColor = true;
    std::vector<TapeLine> tape{Line(-5, op::kTotal), Text(op::kComment, "Café")};
    tape.resize(57, Line(0, op::kOpen));
    tape.push_back(Line(0, op::kComment));  // never given a text: all NUL bytes
    Print(tape);
    ASSERT_EQ(surface.lines.size(), 3u);
    EXPECT_EQ(surface.lines[1].Text(), "Café" + std::string(13, ' '));
    EXPECT_EQ(surface.lines[1].x, 0);
    EXPECT_FALSE(surface.lines[1].bold);
    EXPECT_EQ(surface.lines[1].colour, kTxt);
    EXPECT_EQ(surface.lines[2].Text(), std::string(17, ' '));
    EXPECT_EQ(surface.lines[2].x, 2880);
}

TEST_F(PrintLayoutTest, TheSecondConversionLineOfEachBlockOfFourEndsWithAnEqualsSign) {
    options.PrintColor = true;
    const std::vector<std::string> texts{"12 in",   "30.48 cm", "5 lb",
                                         "2.27 kg", "1 mi",     "1.609344 km (approx)"};
    std::vector<TapeLine> tape;
    for (const std::string& text : texts) tape.push_back(Text(op::kConversion, text));
    Print(tape);
    const std::vector<std::string> shown{"12 in",   "30.48 cm =", "5 lb",
                                         "2.27 kg", "1 mi",       "1.609344 km (appr ="};
    const std::vector<int> widths{5, 8, 4, 7, 4, 14};
    ASSERT_EQ(surface.lines.size(), shown.size());
    for (std::size_t i = 0; i < shown.size(); ++i) {
        EXPECT_EQ(surface.lines[i].Text(), shown[i]);
        EXPECT_EQ(surface.lines[i].x, 2295 - widths[i] * 144) << shown[i];
        EXPECT_EQ(surface.lines[i].colour, kTxt);
    }
}

TEST_F(PrintLayoutTest, APrinterPageFilledByTheLastLineIsFollowedByAPageWithOnlyItsHeader) {
    options.PrintTime = true;
    Print(std::vector<TapeLine>(228, Line(1, '+')));
    EXPECT_EQ(surface.new_pages, 1);
    EXPECT_EQ(layout.PageNo, 1);
    ASSERT_EQ(surface.lines.size(), 230u);
    EXPECT_EQ(surface.lines.back().Text(), "05:17:03 PM  Page  2 ");
    EXPECT_EQ(surface.lines.back().page, 1);
    EXPECT_EQ(surface.lines.back().y, 0);
    EXPECT_EQ(surface.lines[228].page, 0);
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
    std::vector<std::string> headers;
    for (const Printed& line : surface.lines)
        if (line.bold) headers.push_back(line.items.back().text);
    EXPECT_EQ(headers, (std::vector<std::string>{"1", "2", "3"}));
}

TEST_F(PrintLayoutTest, AnEmptyRangePrintsOnlyTheHeader) {
    options.PrintDate = true;
    EXPECT_EQ(Print({Line(1, '+')}, 1, 0), std::nullopt);
    ASSERT_EQ(surface.lines.size(), 1u);
    EXPECT_EQ(surface.lines[0].Text(), "Saturday, December 5, 2026  Page  1 ");
    EXPECT_EQ(layout.PageNo, 0);
    EXPECT_EQ(surface.size_, 12);
    EXPECT_FALSE(surface.bold_);
}

TEST_F(PrintLayoutTest, TheHeaderShowsTheChosenDateTimeAndPageNumberRightAligned) {
    struct Case {
        bool date, time;
        int page;
        double offset;
        std::vector<std::string> items;
    };
    const std::string date = "Saturday, December 5, 2026";
    const std::string time = "05:17:03 PM";
    const std::vector<Case> cases{
        {true, true, 3, 6480, {date + "  ", time, "  Page ", "3"}},
        {true, false, 1, 5040, {date, "  Page ", "1"}},
        {false, true, 1, 3600, {time, "  Page ", "1"}},
        {false, false, 2, 2160, {"  Page ", "2"}},
        {false, false, 1, 0, {}},
    };
    options.PrintColor = true;
    for (const Case& c : cases) {
        options.PrintDate = c.date;
        options.PrintTime = c.time;
        RecordingSurface s(kWidth, kHeight);
        s.SetCurrentY(500);
        s.SetForeColor(kNeg);
        layout.PrintPageHeader(s, c.page);
        EXPECT_EQ(s.size_, 12);
        EXPECT_FALSE(s.bold_);
        if (c.items.empty()) {
            EXPECT_TRUE(s.lines.empty());
            continue;
        }
        ASSERT_EQ(s.lines.size(), 1u) << c.page;
        const Printed& header = s.lines[0];
        std::vector<std::string> items;
        for (const PrintItem& item : header.items) items.push_back(item.text);
        EXPECT_EQ(items, c.items);
        EXPECT_TRUE(header.items.back().numeric);
        EXPECT_FALSE(header.items.front().numeric);
        EXPECT_EQ(header.x, kWidth - c.offset);
        EXPECT_EQ(header.y, 500);
        EXPECT_TRUE(header.bold);
        EXPECT_EQ(header.size, 10);
        EXPECT_EQ(header.colour, 0);
    }
}

}  // namespace
}  // namespace tallymar
