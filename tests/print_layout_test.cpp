// The printed tape on a surface that records every line as "page x,y size[b] ink text":
// page geometry, where and how each kind of line lands, page breaks for the
// printer, and the page header for each choice of date and time.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "files/print_layout.h"

namespace tallymar {
namespace {

constexpr double kWidth = 11520;   // 8 inches
constexpr double kHeight = 15120;  // 10.5 inches
constexpr Colour kPos = Rgb(0, 128, 0), kNeg = Rgb(200, 0, 0), kTxt = Rgb(0, 0, 160);

struct Surface : PrintSurface {
    Surface(double width = kWidth, double height = kHeight) : width(width), height(height) {}
    double ScaleWidth() const override { return width; }
    double ScaleHeight() const override { return height; }
    double CurrentX() const override { return x; }
    double CurrentY() const override { return y; }
    void SetCurrentX(double to) override { x = to; }
    void SetCurrentY(double to) override { y = to; }
    void SetFontName(const std::string&) override {}
    void SetFontSize(double points) override { size = points; }
    void SetFontBold(bool to) override { bold = to; }
    void SetForeColor(Colour to) override { colour = to; }
    void PrintLine(const std::vector<PrintItem>& items) override {
        char where[64];
        std::snprintf(where, sizeof where, "%d %g,%g %g%s ", pages, x, y, size, bold ? "b" : "");
        std::string line = where;
        line += colour == 0 ? "black " : colour == kPos ? "pos " : colour == kNeg ? "neg " : "txt ";
        for (const PrintItem& item : items)
            line += item.numeric ? " " + item.text + " " : item.text;
        lines.push_back(line);
        x = 0;
        y += size * 20;
    }
    void NewPage() override { ++pages, x = y = 0; }
    std::string All() const {
        std::string all;
        for (const std::string& line : lines) all += line + "\n";
        return all;
    }

    double width, height, x = 0, y = 0, size = 0;
    bool bold = false;
    Colour colour = 0;
    int pages = 0;  // NewPage calls
    std::vector<std::string> lines;
};

struct FixedClock : PrintClock {
    std::string Date() override { return "Saturday, December 5, 2026"; }
    std::string Time() override { return "05:17:03 PM"; }
};

TapeLine Line(double amount, char op, int decimals = 2, const char* text = nullptr) {
    TapeLine line;
    line.Amount = amount, line.Op = op, line.Decimals = static_cast<std::int16_t>(decimals);
    if (text) SetEntry(line, text);
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
    std::optional<int> Print(const std::vector<TapeLine>& tape) {
        return layout.PrintTapeLines(surface, tape, 0, static_cast<int>(tape.size()) - 1);
    }
    PrintOptions options;
    FixedClock clock;
    PrintLayout layout{options, clock};
    Surface surface;
};

TEST(PrintGeometry, pages_are_cut_into_columns_and_rows_from_the_surface_scale) {
    // clang-format off
    for (auto [width, height, lines, columns, column_width] : {
             std::tuple{11519.6, 15120.4, 60, 4, 2880},  // each side to the nearest twip first
             {5499.4, 999.4, 3, 1, 5499}, {5499.5, 999.5, 4, 2, 2750},
             {2000.0, 15120.0, 60, 1, 2000}}) {  // narrower than a column: still one column
        // clang-format on
        Surface s(width, height);
        EXPECT_EQ(std::tuple(PrintLayout::LinesPerPage(s), PrintLayout::ColumnsPerPage(s),
                             PrintLayout::ColumnWidth(s)),
                  std::tuple(lines, columns, column_width))
            << width << " x " << height;
    }
}

// Every kind of line, in colour: where it lands, its size, weight, colour and text.
TEST_F(PrintLayoutTest, each_kind_of_line_prints_in_its_place_colour_and_weight) {
    options.PrintColor = true;
    // clang-format off
    std::vector<TapeLine> tape{
        Line(12, op::kTotal), Line(-5, op::kTotal, 0), Line(-5, op::kSubtotal), Line(0, op::kSubtotal, 0),
        Line(7, '-', 0), Line(-7, '+', 0), Line(7, '*', 0), Line(7, op::kInserted, 0), Line(1234.5, '+'),
        Line(0, op::kRule), Line(0, op::kOpen), Line(0, op::kComment, 2, "Café"),
        Line(0, op::kConversion, 2, "12 in"), Line(0, op::kConversion, 2, "30.48 cm"),
        Line(0, op::kConversion, 2, "5 lb"), Line(0, op::kConversion, 2, "2.27 kg"),
        Line(0, op::kConversion, 2, "1 mi"), Line(0, op::kConversion, 2, "1.609344 km (approx)")};
    // clang-format on
    tape.resize(57, Line(0, op::kOpen));
    tape.push_back(Line(0, op::kComment));  // never given a text: all NUL bytes
    tape.push_back(Line(-3, '='));
    Print(tape);
    EXPECT_EQ(
        surface.All(),
        "0 1575,720 12b pos 12.00T\n0 2007,960 12b neg -5T\n0 1575,1200 12b neg -5.00S\n0 "
        "2151,1440 12b pos 0S\n0 2151,1680 12 neg 7-\n0 2007,1920 12 pos -7+\n0 2151,2160 12 pos "
        "7*\n0 2151,2400 12 pos 7 \n0 1143,2640 12 pos 1,234.50+\n0 0,3360 12 txt Caf\xC3\xA9      "
        "       \n0 1575,3600 12 txt 12 in\n0 1143,3840 12 txt 30.48 cm =\n0 1719,4080 12 txt 5 "
        "lb\n0 1287,4320 12 txt 2.27 kg\n0 1719,4560 12 txt 1 mi\n0 279,4800 12 txt 1.609344 km "
        "(appr =\n0 2880,720 12 txt                  \n0 4455,960 12 pos -3.00=\n");
    options.PrintColor = false;
    Surface plain;
    layout.PrintTapeLines(plain, {Line(-5, op::kTotal), Line(0, op::kComment, 2, "x")}, 0, 1);
    for (const std::string& line : plain.lines) EXPECT_NE(line.find(" black "), std::string::npos);
    // Amount widths count characters, not bytes.
    options.symbols.thousands = "\u00a0";  // two bytes in UTF-8, one character
    options.line_pitch = 300;
    options.field_width = 3000;
    Surface narrow;
    layout.PrintTapeLines(narrow, {Line(0, op::kRule), Line(1234.5, '=')}, 0, 1);
    EXPECT_EQ(narrow.All(),
              "0 1848,1020 12 black 1\xC2\xA0"
              "234.50=\n");
    // The open line carrying calculator mode's "+" is no line on paper.
    Surface calc_mode;
    layout.PrintTapeLines(calc_mode, {Line(5, '+'), Line(0, '+')}, 0, 1);
    ASSERT_EQ(calc_mode.lines.size(), 1u);
    EXPECT_NE(calc_mode.lines[0].find("5.00+"), std::string::npos);
}

// A page filled by the last line is followed by one with its header alone.
TEST_F(PrintLayoutTest,
       an_eight_by_ten_and_a_half_inch_page_holds_57_lines_in_each_of_four_columns) {
    options.PrintTime = true;
    std::vector<TapeLine> tape(228, Line(1, '+'));
    tape.push_back(Line(0, op::kOpen));
    Print(tape);
    ASSERT_EQ(surface.lines.size(), 230u);  // and the two pages' headers
    std::string where;
    for (int i : {0, 1, 57, 58, 228, 229}) where += surface.lines[i] + "\n";
    EXPECT_EQ(where,
              "0 7920,0 10b black 05:17:03 PM  Page  1 \n0 1719,720 12 black 1.00+\n"
              "0 1719,14160 12 black 1.00+\n0 4599,720 12 black 1.00+\n"
              "0 10359,14160 12 black 1.00+\n1 7920,0 10b black 05:17:03 PM  Page  2 \n");
    EXPECT_EQ(std::tuple(surface.pages, layout.PageNo), std::tuple(1, 1));
}

TEST_F(PrintLayoutTest, the_header_shows_the_chosen_date_time_and_page_number_right_aligned) {
    options.PrintColor = true;
    Surface s;
    for (auto [date, time, page] :
         {std::tuple{true, true, 3}, {true, false, 1}, {false, false, 2}}) {
        options.PrintDate = date;
        options.PrintTime = time;
        s.y = 500;
        s.SetForeColor(kNeg);
        layout.PrintPageHeader(s, page);
        EXPECT_EQ(s.size, 12);  // the amounts' font is set again after it
        EXPECT_FALSE(s.bold);
    }
    EXPECT_EQ(s.All(),
              "0 5040,500 10b black Saturday, December 5, 2026  05:17:03 PM  Page  3 \n"
              "0 6480,500 10b black Saturday, December 5, 2026  Page  1 \n"
              "0 9360,500 10b black   Page  2 \n");
}

}  // namespace
}  // namespace tallymar
