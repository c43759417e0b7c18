// The colour dialog's model: the theme list, Apply, the element buttons, the sample,
// and saving and deleting themes.
#include "settings/colors_form.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <string>
#include <vector>

namespace tallymar {
namespace {

using Texts = std::vector<std::string>;

struct RecordingTape : TapeColours {
    void ApplyColors(const Colours& colours) override { applied.push_back(colours); }
    std::vector<Colours> applied;
};

// Plays the user's part in the two questions.
struct ScriptedDialogs : ThemeDialogs {
    void ShowNewTheme(NewThemeForm& form) override { on_new_theme(form); }
    void ShowDeleteTheme(DeleteThemeForm& form) override {
        questions.push_back(form.lblDeleteTheme());
        delete_answer ? form.cmdDelete_Click() : form.cmdCancel_Click();
    }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }

    std::function<void(NewThemeForm&)> on_new_theme;
    bool delete_answer = true;
    Texts questions, messages;
};

std::array<Colour, 5> Five(const Colours& c) {
    return {c.CurPosClr, c.CurNegClr, c.CurTxtClr, c.CurTapClr, c.CurBakClr};
}

class ColorsFormTest : public testing::Test {
  protected:
    void Open() { form.emplace(settings, current, tape, dialogs); }
    void Pick(const char* name) {
        ASSERT_GE(form->ListIndexOf(name), 0) << name;
        form->cboTheme_Click(form->ListIndexOf(name));
    }

    Settings settings;  // the built-in themes, "Default" (theme 0) current
    Colours current = ColoursOf(settings.Themes[0]);
    RecordingTape tape;
    ScriptedDialogs dialogs;
    std::optional<ColorsForm> form;
};

TEST_F(ColorsFormTest, lists_the_themes_sorted_each_entry_standing_for_its_theme) {
    settings.Themes.push_back(settings.Themes[4]);  // two themes of one name: the later counts
    settings.Themes.back().TapClr = Rgb(1, 1, 1);
    settings.PrintColor = true;
    Open();
    const Texts& list = form->cboTheme();
    ASSERT_EQ(list.size(), 8u);
    EXPECT_TRUE(std::is_sorted(list.begin(), list.end()));
    EXPECT_EQ(form->cboThemeIndex(), -1);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(settings.Themes[form->ThemeIndexOf(i)].Name, list[i]);
    Pick("Halloween");
    EXPECT_EQ(settings.CurrentTheme, 7);
    EXPECT_EQ(current.CurTapClr, Rgb(1, 1, 1));
    EXPECT_TRUE(form->chkColorPrinter());
    form->chkColorPrinter_Click(false);
    EXPECT_FALSE(settings.PrintColor);
}

TEST_F(ColorsFormTest, apply_recolours_the_rows_by_operator_and_sign_and_cancel_does_not) {
    Open();
    Pick("Halloween");
    EXPECT_EQ(Five(current), Five(ColoursOf(settings.Themes[4])));
    form->cmdCancel_Click();
    EXPECT_TRUE(tape.applied.empty());
    Open();
    form->cmdApply_Click();
    ASSERT_EQ(tape.applied.size(), 1u);
    const Colours& c = tape.applied[0];
    const Colour orange = Rgb(255, 128, 0), black = 0, white = Rgb(255, 255, 255), kept = 9;
    EXPECT_EQ(c.CurBakClr, orange);
    const struct {
        const char* op;
        double number;
        Colour fore;
    } rows[] = {{"+", 5, black},      {"-", 5, orange}, {"T", -3, orange}, {"T", 0, black},
                {"S", -0.01, orange}, {"S", 2, black},  {"", 0, kept},     {"*", -4, kept}};
    for (const auto& r : rows) {
        EXPECT_EQ(ApplyColorsToRow(c, r.op, r.number, kept), (RowColours{r.fore, white}))
            << r.op << " " << r.number;
    }
    form->cmdOK_Click();
    EXPECT_TRUE(form->Closed());
    EXPECT_EQ(tape.applied.size(), 2u);
}

TEST_F(ColorsFormTest, element_buttons_change_one_current_colour_and_the_sample_but_no_theme) {
    current = Colours{1, 2, 3, 4, 5};
    const std::vector<ThemeRec> themes = settings.Themes;
    Open();
    const Sample& sample = form->sample();
    ASSERT_EQ(sample.rows.size(), 10u);
    EXPECT_EQ(sample.rows[0].text, "123.45+");
    EXPECT_EQ(sample.rows[0].fore, 1u);
    EXPECT_EQ(sample.rows[1].fore, 2u);
    EXPECT_EQ(sample.rows[5].fore, 3u);  // the text row
    for (const SampleRow& row : sample.rows) EXPECT_EQ(row.back, 4u);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(form->ElementColour(i), Colour(i + 1));
        form->cmdColorElement_Click(i, std::nullopt);  // the picker cancelled
        form->cmdColorElement_Click(i, 10 * (i + 1));
    }
    EXPECT_EQ(Five(current), (std::array<Colour, 5>{10, 20, 30, 40, 50}));
    EXPECT_EQ(form->sample().frame_back, 50u);
    EXPECT_EQ(settings.Themes, themes);
}

TEST_F(ColorsFormTest, saves_a_new_theme_last_with_its_name_cut_to_fifteen_or_says_why_not) {
    Open();
    Pick("Easter");
    form->cmdColorElement_Click(4, Rgb(1, 2, 3));
    dialogs.on_new_theme = [](NewThemeForm& f) {
        f.txtThemeName_Change("Twenty characters!!!");
        f.cmdOK_Click();
    };
    form->cmdNewTheme_Click();
    ASSERT_EQ(settings.Themes.size(), 8u);
    EXPECT_EQ(settings.Themes.back().Name, "Twenty characte");
    EXPECT_EQ(Five(ColoursOf(settings.Themes.back())), Five(current));
    EXPECT_EQ(current.CurBakClr, Rgb(1, 2, 3));
    EXPECT_GE(form->ListIndexOf("Twenty characte"), 0);
    EXPECT_EQ(form->frmNewTheme().txtThemeName(), "");
    EXPECT_TRUE(dialogs.messages.empty());

    // OK with no name, a name emptied by Cancel, the form closed by its frame.
    for (int way = 0; way < 3; ++way) {
        dialogs.on_new_theme = [way](NewThemeForm& f) {
            if (way > 0) f.txtThemeName_Change("Mine");
            if (way == 1) f.cmdCancel_Click();
            way == 2 ? f.Form_Unload() : f.cmdOK_Click();
        };
        form->cmdNewTheme_Click();
    }
    EXPECT_EQ(settings.Themes.size(), 8u);
    EXPECT_EQ(dialogs.messages, Texts(3, colors_text::kNoName));

    settings.Themes.resize(kMaxThemes, settings.Themes[0]);
    form->cmdNewTheme_Click();
    EXPECT_EQ(settings.Themes.size(), size_t(kMaxThemes));
    EXPECT_EQ(dialogs.messages.back(), colors_text::kTooManyThemes);
}

TEST_F(ColorsFormTest, deleting_asks_first_then_makes_the_last_default_theme_current) {
    const std::vector<ThemeRec> before = settings.Themes;
    dialogs.delete_answer = false;
    Open();
    Pick("Easter");
    form->cmdDeleteTheme_Click();
    EXPECT_EQ(settings.Themes, before);
    dialogs.delete_answer = true;
    form->cmdDeleteTheme_Click();
    EXPECT_EQ(dialogs.questions[1],
              "Are you sure you want to delete the Easter          theme?  It cannot be "
              "recovered after deletion.");
    EXPECT_EQ(settings.Themes, (std::vector<ThemeRec>{before[0], before[1], before[3], before[4],
                                                      before[5], before[6]}));
    EXPECT_EQ(form->ListIndexOf("Easter"), -1);
    EXPECT_EQ(settings.CurrentTheme, 0);
    EXPECT_EQ(Five(current), Five(ColoursOf(before[0])));
    EXPECT_TRUE(tape.applied.empty());

    std::rotate(settings.Themes.begin(), settings.Themes.begin() + 1, settings.Themes.end());
    Open();
    Pick("Valentine");  // "Default" now stands last
    form->cmdDeleteTheme_Click();
    EXPECT_EQ(settings.CurrentTheme, 4);
    Pick("Default");
    form->cmdDeleteTheme_Click();  // no "Default" left: the first theme
    EXPECT_EQ(settings.CurrentTheme, 0);
    EXPECT_EQ(Five(current), Five(ColoursOf(settings.Themes[0])));
}

TEST_F(ColorsFormTest, refuses_to_delete_the_only_theme) {
    settings.Themes.resize(1);
    Open();
    form->cmdDeleteTheme_Click();
    EXPECT_TRUE(dialogs.questions.empty());
    EXPECT_EQ(dialogs.messages, Texts{colors_text::kLastTheme});
    EXPECT_FALSE(DeleteCurrentTheme(settings, current));
    EXPECT_EQ(settings.Themes.size(), 1u);
}

}  // namespace
}  // namespace tallymar
