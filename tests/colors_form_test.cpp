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

constexpr Colour kOrange = Rgb(255, 128, 0), kBlack = Rgb(0, 0, 0), kWhite = Rgb(255, 255, 255);

struct RecordingTape : TapeColours {
    void ApplyColors(const Colours& colours) override { applied.push_back(colours); }
    std::vector<Colours> applied;
};

// Plays the user's part in the two questions.
struct ScriptedDialogs : ThemeDialogs {
    void ShowNewTheme(NewThemeForm& form) override {
        EXPECT_TRUE(form.Visible());
        if (on_new_theme) on_new_theme(form);
    }
    void ShowDeleteTheme(DeleteThemeForm& form) override {
        questions.push_back(form.lblDeleteTheme());
        delete_answer ? form.cmdDelete_Click() : form.cmdCancel_Click();
    }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }

    std::function<void(NewThemeForm&)> on_new_theme;
    bool delete_answer = true;
    std::vector<std::string> questions, messages;
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
    settings.PrintColor = true;
    Open();
    const auto& list = form->cboTheme();
    ASSERT_EQ(list.size(), settings.Themes.size());
    EXPECT_TRUE(std::is_sorted(list.begin(), list.end()));
    EXPECT_EQ(form->cboThemeIndex(), -1);
    for (size_t i = 0; i < list.size(); ++i) {
        EXPECT_EQ(settings.Themes[form->ThemeIndexOf(static_cast<int>(i))].Name, list[i]);
    }
    EXPECT_TRUE(form->chkColorPrinter());
    form->chkColorPrinter_Click(false);
    EXPECT_FALSE(settings.PrintColor);
}

TEST_F(ColorsFormTest, apply_recolours_the_rows_by_operator_and_sign_and_cancel_does_not) {
    Open();
    Pick("Halloween");
    EXPECT_EQ(settings.CurrentTheme, 4);
    EXPECT_EQ(Five(current), Five(ColoursOf(settings.Themes[4])));
    form->cmdCancel_Click();
    EXPECT_TRUE(tape.applied.empty());

    Open();
    form->cmdApply_Click();
    ASSERT_EQ(tape.applied.size(), 1u);
    const Colours& c = tape.applied[0];
    EXPECT_EQ(c.CurBakClr, kOrange);
    const Colour kept = Rgb(9, 9, 9);
    const struct {
        const char* op;
        double number;
        Colour fore;
    } rows[] = {{"+", 5, kBlack},      {"-", 5, kOrange}, {"T", -3, kOrange}, {"T", 0, kBlack},
                {"S", -0.01, kOrange}, {"S", 2, kBlack},  {"", 0, kept},      {"*", -4, kept}};
    for (const auto& r : rows) {
        EXPECT_EQ(ApplyColorsToRow(c, r.op, r.number, kept), (RowColours{r.fore, kWhite}))
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
    for (const auto& row : sample.rows) {
        const std::string& t = row.text;
        const bool rule = t.find_first_not_of('-') == std::string::npos;
        const Colour fore = t == "Text row"                       ? 3
                            : rule                                ? kSampleOwnFore
                            : t.front() == '-' || t.back() == '-' ? 2
                                                                  : 1;
        EXPECT_EQ(row.fore, fore) << t;
        EXPECT_EQ(row.back, 4u) << t;
    }
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(form->ElementColour(i), static_cast<Colour>(i + 1));
        form->cmdColorElement_Click(i, std::nullopt);  // the picker cancelled
        form->cmdColorElement_Click(i, 10 * (i + 1));
    }
    EXPECT_EQ(Five(current), (std::array<Colour, 5>{10, 20, 30, 40, 50}));
    EXPECT_EQ(form->sample().frame_back, 50u);
    EXPECT_EQ(settings.Themes, themes);
}

TEST_F(ColorsFormTest, saves_a_new_theme_last_with_its_name_cut_to_fifteen) {
    Open();
    Pick("Easter");
    form->cmdColorElement_Click(4, Rgb(1, 2, 3));
    dialogs.on_new_theme = [](NewThemeForm& f) {
        f.txtThemeName_Change("Twenty characters!!!");
        f.cmdOK_Click();
    };
    form->cmdNewTheme_Click();
    ASSERT_EQ(settings.Themes.size(), 8u);
    const ThemeRec& added = settings.Themes.back();
    EXPECT_EQ(added.Name, "Twenty characte");
    EXPECT_EQ(Five(ColoursOf(added)), Five(current));
    EXPECT_EQ(added.BakClr, Rgb(1, 2, 3));
    EXPECT_GE(form->ListIndexOf("Twenty characte"), 0);
    EXPECT_EQ(form->frmNewTheme().txtThemeName(), "");
    EXPECT_TRUE(form->FocusOnOk());
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(ColorsFormTest, refuses_a_new_theme_without_a_name_or_beyond_the_hundredth) {
    const std::function<void(NewThemeForm&)> ways[] = {
        [](NewThemeForm& f) { f.cmdOK_Click(); },
        [](NewThemeForm& f) {
            f.txtThemeName_Change("Mine");
            f.cmdCancel_Click();  // empties the name, the form stays
            f.cmdOK_Click();
        },
        [](NewThemeForm& f) {
            f.txtThemeName_Change("Mine");
            f.Form_Unload();
        },
    };
    Open();
    for (const auto& way : ways) {
        dialogs.on_new_theme = way;
        form->cmdNewTheme_Click();
    }
    EXPECT_EQ(settings.Themes.size(), 7u);
    EXPECT_EQ(dialogs.messages, std::vector<std::string>(3, colors_text::kNoName));

    settings.Themes.resize(kMaxThemes, settings.Themes[0]);
    dialogs.messages.clear();
    dialogs.on_new_theme = [](NewThemeForm&) { ADD_FAILURE() << "no name is asked for"; };
    form->cmdNewTheme_Click();
    EXPECT_EQ(settings.Themes.size(), static_cast<size_t>(kMaxThemes));
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{colors_text::kTooManyThemes});
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
              "Are you sure you want to delete the Easter          theme?  "
              "It cannot be recovered after deletion.");
    EXPECT_EQ(settings.Themes, (std::vector<ThemeRec>{before[0], before[1], before[3], before[4],
                                                      before[5], before[6]}));
    EXPECT_EQ(settings.CurrentTheme, 0);
    EXPECT_EQ(Five(current), Five(ColoursOf(before[0])));
    EXPECT_EQ(form->ListIndexOf("Easter"), -1);
    EXPECT_TRUE(tape.applied.empty());

    settings.Themes.push_back(before[0]);  // a later "Default" wins
    settings.Themes.back().PosClr = Rgb(7, 7, 7);
    Open();
    Pick("Valentine");
    form->cmdDeleteTheme_Click();
    EXPECT_EQ(settings.CurrentTheme, 5);
    EXPECT_EQ(current.CurPosClr, Rgb(7, 7, 7));

    Pick("Default");  // the list stands for the later of the two
    EXPECT_EQ(settings.CurrentTheme, 5);
    form->cmdDeleteTheme_Click();
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
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{colors_text::kLastTheme});
    EXPECT_FALSE(DeleteCurrentTheme(settings, current));
    EXPECT_EQ(settings.Themes.size(), 1u);
}

}  // namespace
}  // namespace tallymar
