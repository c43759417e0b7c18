// The colour dialog's model: the theme list, Apply, the element buttons, the sample,
// and saving and deleting themes.
#include "settings/colors_form.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

namespace tallymar {
namespace {

using Texts = std::vector<std::string>;

// The tape window, and the user's part in the two questions.
struct ScriptedUser : TapeColours, ThemeDialogs {
    void ApplyColors(const Colours& colours) override { applied.push_back(colours); }
    void ShowNewTheme(NewThemeForm& form) override { on_new_theme(form); }
    void ShowDeleteTheme(DeleteThemeForm& form) override {
        questions.push_back(form.lblDeleteTheme());
        delete_answer ? form.cmdDelete_Click() : form.cmdCancel_Click();
    }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }

    std::function<void(NewThemeForm&)> on_new_theme;
    bool delete_answer = true;
    Texts questions, messages;
    std::vector<Colours> applied;
};

std::array<Colour, 5> Five(const Colours& c) {
    return {c.CurPosClr, c.CurNegClr, c.CurTxtClr, c.CurTapClr, c.CurBakClr};
}

class ColorsFormTest : public testing::Test {
  protected:
    void Open() { form.emplace(settings, current, user, user); }
    void Pick(const char* name) { form->cboTheme_Click(form->ListIndexOf(name)); }

    Settings settings;  // the built-in themes, "Default" (theme 0) current
    Colours current = ColoursOf(settings.Themes[0]);
    ScriptedUser user;
    std::optional<ColorsForm> form;
};

// The list is sorted, each entry standing for the last theme of its name.
TEST_F(ColorsFormTest, lists_the_themes_and_apply_recolours_the_rows_by_operator_and_sign) {
    settings.Themes.push_back(settings.Themes[4]);  // a later "Halloween"
    settings.Themes.back().TxtClr = Rgb(1, 1, 1);
    Open();
    const Texts& list = form->cboTheme();
    ASSERT_EQ(list.size(), 8u);
    EXPECT_TRUE(std::is_sorted(list.begin(), list.end()));
    for (int i = 0; i < 8; ++i) EXPECT_EQ(settings.Themes[form->ThemeIndexOf(i)].Name, list[i]);
    Pick("Halloween");
    EXPECT_EQ(settings.CurrentTheme, 7);
    EXPECT_EQ(Five(current), Five(ColoursOf(settings.Themes[7])));
    form->cmdCancel_Click();
    EXPECT_TRUE(user.applied.empty());
    Open();
    form->cmdApply_Click();
    ASSERT_EQ(user.applied.size(), 1u);
    const Colours& c = user.applied[0];
    const Colour orange = Rgb(255, 128, 0), black = 0, white = Rgb(255, 255, 255), kept = 9;
    EXPECT_EQ(c.CurBakClr, orange);
    const std::tuple<const char*, double, Colour> rows[] = {
        {"+", 5, black},      {"-", 5, orange}, {"T", -3, orange}, {"T", 0, black},
        {"S", -0.01, orange}, {"S", 2, black},  {"", 0, kept},     {"*", -4, kept}};
    for (const auto& [op, number, fore] : rows) {
        EXPECT_EQ(ApplyColorsToRow(c, op, number, kept), (RowColours{fore, white})) << op << number;
    }
    form->cmdOK_Click();
    EXPECT_TRUE(form->Closed());
    EXPECT_EQ(user.applied.size(), 2u);
}

TEST_F(ColorsFormTest, element_buttons_change_the_colours_a_new_theme_is_saved_with) {
    current = Colours{1, 2, 3, 4, 5};
    const std::vector<ThemeRec> themes = settings.Themes;
    Open();
    EXPECT_EQ(form->sample().rows[1].fore, 2u);  // "67.89-"
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(form->ElementColour(i), Colour(i + 1));
        form->cmdColorElement_Click(i, std::nullopt);  // the picker cancelled
        form->cmdColorElement_Click(i, 10 * (i + 1));
    }
    EXPECT_EQ(Five(current), (std::array<Colour, 5>{10, 20, 30, 40, 50}));
    EXPECT_EQ(form->sample().frame_back, 50u);
    EXPECT_EQ(settings.Themes, themes);
    user.on_new_theme = [](NewThemeForm& f) {
        f.txtThemeName_Change("Twenty characters!!!");
        f.cmdOK_Click();
    };
    form->cmdNewTheme_Click();
    ASSERT_EQ(settings.Themes.size(), 8u);
    EXPECT_EQ(settings.Themes.back().Name, "Twenty characte");
    EXPECT_EQ(Five(ColoursOf(settings.Themes.back())), Five(current));
    EXPECT_GE(form->ListIndexOf("Twenty characte"), 0);
    EXPECT_EQ(form->frmNewTheme().txtThemeName(), "");
    EXPECT_TRUE(user.messages.empty());

    // OK with no name says why nothing is saved; Cancel (or Escape) and the form's
    // frame close the question quietly, the name typed left unsaved.
    for (int way = 0; way < 3; ++way) {
        user.on_new_theme = [way](NewThemeForm& f) {
            if (way > 0) f.txtThemeName_Change("Mine");
            if (way == 0) f.cmdOK_Click();
            if (way == 1) f.cmdCancel_Click();
            if (way == 2) f.Form_Unload();
        };
        form->cmdNewTheme_Click();
    }
    EXPECT_EQ(settings.Themes.size(), 8u);
    EXPECT_EQ(user.messages, Texts(1, colors_text::kNoName));

    settings.Themes.resize(kMaxThemes, settings.Themes[0]);
    form->cmdNewTheme_Click();
    EXPECT_EQ(settings.Themes.size(), size_t(kMaxThemes));
    EXPECT_EQ(user.messages.back(), colors_text::kTooManyThemes);
}

TEST_F(ColorsFormTest,
       deleting_asks_first_then_makes_the_last_default_current_and_keeps_the_only_theme) {
    settings.Themes.push_back(settings.Themes[0]);  // a second "Default", last
    settings.Themes.back().PosClr = Rgb(7, 7, 7);
    const std::vector<ThemeRec> before = settings.Themes;
    user.delete_answer = false;
    Open();
    Pick("Easter");
    form->cmdDeleteTheme_Click();
    EXPECT_EQ(settings.Themes, before);
    user.delete_answer = true;
    form->cmdDeleteTheme_Click();
    EXPECT_EQ(user.questions[1],
              "Are you sure you want to delete the Easter theme?  It cannot be "
              "recovered after deletion.");
    EXPECT_EQ(settings.Themes, (std::vector<ThemeRec>{before[0], before[1], before[3], before[4],
                                                      before[5], before[6], before[7]}));
    EXPECT_EQ(form->ListIndexOf("Easter"), -1);
    EXPECT_EQ(settings.CurrentTheme, 6);
    EXPECT_EQ(Five(current), Five(ColoursOf(before[7])));
    EXPECT_TRUE(user.applied.empty());

    for (int i = 0; i < 2; ++i) {  // the later "Default" is picked and deleted each time
        Pick("Default");
        form->cmdDeleteTheme_Click();
    }
    EXPECT_EQ(settings.CurrentTheme, 0);  // no "Default" left: the first theme
    EXPECT_EQ(settings.Themes[0].Name, before[1].Name);
    EXPECT_EQ(Five(current), Five(ColoursOf(settings.Themes[0])));

    settings.Themes.resize(1);  // the only theme is kept
    user.questions.clear();
    form->cmdDeleteTheme_Click();
    EXPECT_TRUE(user.questions.empty());
    EXPECT_EQ(user.messages, Texts{colors_text::kLastTheme});
    EXPECT_FALSE(DeleteCurrentTheme(settings, current));
    EXPECT_EQ(settings.Themes.size(), 1u);

    // A theme number outside the list: the question names no theme, and Delete keeps
    // the one there is.
    for (const int outside : {-1, 1}) {
        settings.CurrentTheme = outside;
        DeleteThemeForm question(settings, current);
        EXPECT_EQ(question.lblDeleteTheme(),
                  "Are you sure you want to delete the  theme?  It cannot be recovered after "
                  "deletion.")
            << outside;
        question.cmdDelete_Click();
        EXPECT_EQ(settings.Themes.size(), 1u) << outside;
    }
}

// The colour dialog opens below and right of the main window, and its theme questions
// 2000 twips below the dialog.
TEST(ThemeDialogPlaces, sit_below_the_window_they_open_from) {
    EXPECT_EQ(ColorsPlace(1000, 500).left, 1180);
    EXPECT_EQ(ColorsPlace(1000, 500).top, 700);
    EXPECT_EQ(ThemeQuestionPlace(1180, 700).left, 1180);
    EXPECT_EQ(ThemeQuestionPlace(1180, 700).top, 2700);
}

}  // namespace
}  // namespace tallymar
