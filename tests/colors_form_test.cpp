#include "settings/colors_form.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <string>
#include <vector>

namespace tallymar {
namespace {

constexpr Colour kOrange = Rgb(255, 128, 0);
constexpr Colour kBlack = Rgb(0, 0, 0);
constexpr Colour kWhite = Rgb(255, 255, 255);

class RecordingTape : public TapeColours {
  public:
    void ApplyColors(const Colours& colours) override { applied.push_back(colours); }
    std::vector<Colours> applied;
};

// Plays the user's part in the two questions.
class ScriptedDialogs : public ThemeDialogs {
  public:
    void ShowNewTheme(NewThemeForm& form) override {
        EXPECT_TRUE(form.Visible());
        if (on_new_theme) on_new_theme(form);
    }
    void ShowDeleteTheme(DeleteThemeForm& form) override {
        questions.push_back(form.lblDeleteTheme());
        delete_answer ? form.cmdDelete_Click() : form.cmdCancel_Click();
        EXPECT_FALSE(form.Loaded());
    }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }

    std::function<void(NewThemeForm&)> on_new_theme;
    bool delete_answer = true;
    std::vector<std::string> questions;
    std::vector<std::string> messages;
};

// The five colours in a comparable form.
std::array<Colour, 5> Five(const Colours& c) {
    return {c.CurPosClr, c.CurNegClr, c.CurTxtClr, c.CurTapClr, c.CurBakClr};
}

std::vector<std::string> Names(const std::vector<ThemeRec>& themes) {
    std::vector<std::string> names;
    for (const ThemeRec& theme : themes) names.push_back(theme.Name);
    return names;
}

class ColorsFormTest : public testing::Test {
  protected:
    ColorsForm& Open() {
        form.emplace(settings, current, tape, dialogs);
        return *form;
    }
    void Pick(const char* name) {
        const int index = form->ListIndexOf(name);
        ASSERT_GE(index, 0) << name;
        form->cboTheme_Click(index);
    }

    Settings settings;  // the seven built-in themes, "Default" current
    Colours current = ColoursOf(settings.Themes[0]);
    RecordingTape tape;
    ScriptedDialogs dialogs;
    std::optional<ColorsForm> form;
};

TEST_F(ColorsFormTest, lists_the_themes_alphabetically_and_maps_each_entry_to_its_theme) {
    settings.PrintColor = true;
    Open();
    EXPECT_EQ(form->cboTheme(),
              Names({settings.Themes[1], settings.Themes[0], settings.Themes[2], settings.Themes[3],
                     settings.Themes[4], settings.Themes[5], settings.Themes[6]}));
    EXPECT_EQ(form->cboThemeIndex(), -1);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(settings.Themes[form->ThemeIndexOf(i)].Name, form->cboTheme()[i]);
    }
    EXPECT_EQ(form->ThemeIndexOf(7), -1);
    EXPECT_TRUE(form->chkColorPrinter());
    form->chkColorPrinter_Click(false);
    EXPECT_FALSE(settings.PrintColor);
}

TEST_F(ColorsFormTest, applies_halloween_to_the_rows_by_operator_and_sign) {
    Open();
    Pick("Halloween");
    EXPECT_EQ(settings.CurrentTheme, 4);
    EXPECT_TRUE(tape.applied.empty());
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
}

TEST_F(ColorsFormTest, draws_the_sample_with_each_label_in_its_current_colour) {
    current = Colours{1, 2, 3, 4, 5};
    Open();
    const Sample& sample = form->sample();
    EXPECT_EQ(sample.frame_back, 5u);
    const struct {
        int index;
        const char* text;
        Colour fore;
    } rows[] = {{0, "123.45+", 1},       {1, "67.89-", 2},
                {2, "55.56T", 1},        {3, "---------------", kSampleOwnFore},
                {4, "", kSampleOwnFore}, {8, "Text row", 3},
                {5, "67.89+", 1},        {6, "123.45-", 2},
                {7, "-55.56T", 2},       {9, "---------------", kSampleOwnFore}};
    ASSERT_EQ(sample.rows.size(), std::size(rows));
    for (size_t i = 0; i < std::size(rows); ++i) {
        EXPECT_EQ(sample.rows[i].index, rows[i].index);
        EXPECT_EQ(sample.rows[i].text, rows[i].text);
        EXPECT_EQ(sample.rows[i].fore, rows[i].fore) << rows[i].index;
        EXPECT_EQ(sample.rows[i].back, 4u);
        EXPECT_EQ(sample.rows[i].top, 240.0 * i);
    }
}

TEST_F(ColorsFormTest, element_buttons_change_one_current_colour_and_no_theme) {
    current = Colours{1, 2, 3, 4, 5};
    const std::vector<ThemeRec> themes = settings.Themes;
    Open();
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(form->ElementColour(i), static_cast<Colour>(i + 1));
        form->cmdColorElement_Click(i, std::nullopt);  // the picker cancelled
        form->cmdColorElement_Click(i, 10 * (i + 1));
    }
    EXPECT_EQ(Five(current), (std::array<Colour, 5>{10, 20, 30, 40, 50}));
    EXPECT_EQ(form->sample().frame_back, 50u);
    EXPECT_EQ(settings.Themes, themes);
    form->cmdColorElement_Click(0, std::nullopt);
    EXPECT_EQ(current.CurPosClr, 10u);
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
    EXPECT_EQ(added.ID, 100);
    EXPECT_EQ(Five(ColoursOf(added)), Five(current));
    EXPECT_EQ(added.BakClr, Rgb(1, 2, 3));
    EXPECT_EQ(settings.CurrentTheme, 2);
    EXPECT_EQ(form->cboTheme()[form->ListIndexOf("Twenty characte")], "Twenty characte");
    EXPECT_EQ(form->frmNewTheme().txtThemeName(), "");
    EXPECT_TRUE(form->FocusOnOk());
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(ColorsFormTest, refuses_a_new_theme_without_a_name) {
    const std::function<void(NewThemeForm&)> ways[] = {
        [](NewThemeForm& f) { f.cmdOK_Click(); },
        [](NewThemeForm& f) {
            f.txtThemeName_Change("Mine");
            f.cmdCancel_Click();
            EXPECT_TRUE(f.Visible());
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
    EXPECT_EQ(dialogs.messages,
              std::vector<std::string>(3, "Theme cannot be saved without a name"));
}

TEST_F(ColorsFormTest, asks_with_the_padded_name_and_deletes_theme_two_of_seven) {
    const std::vector<ThemeRec> before = settings.Themes;
    Open();
    Pick("Easter");
    form->cmdDeleteTheme_Click();
    EXPECT_EQ(dialogs.questions,
              std::vector<std::string>{"Are you sure you want to delete the "
                                       "Easter         "  // padded to 15
                                       " theme?  It cannot be recovered after deletion."});
    EXPECT_EQ(settings.Themes, (std::vector<ThemeRec>{before[0], before[1], before[3], before[4],
                                                      before[5], before[6]}));
    EXPECT_EQ(settings.CurrentTheme, 0);
    EXPECT_EQ(Five(current), Five(ColoursOf(before[0])));
    EXPECT_EQ(form->cboTheme().size(), 6u);
    EXPECT_EQ(form->ListIndexOf("Easter"), -1);
    EXPECT_EQ(form->sample().frame_back, before[0].BakClr);
    EXPECT_TRUE(tape.applied.empty());
}

TEST_F(ColorsFormTest, deleting_default_makes_the_first_theme_current) {
    Open();
    Pick("Default");
    form->cmdDeleteTheme_Click();
    EXPECT_EQ(settings.Themes[0].Name, "Christmas      ");
    EXPECT_EQ(settings.CurrentTheme, 0);
    EXPECT_EQ(Five(current), Five(ColoursOf(settings.Themes[0])));
}

TEST_F(ColorsFormTest, deleting_makes_the_last_theme_named_default_current_wherever_it_stands) {
    std::rotate(settings.Themes.begin(), settings.Themes.begin() + 1, settings.Themes.end());
    settings.Themes.insert(settings.Themes.begin(), settings.Themes.back());
    settings.Themes.back().PosClr = Rgb(7, 7, 7);  // the later of two "Default" themes
    Open();
    Pick("Easter");
    form->cmdDeleteTheme_Click();
    EXPECT_EQ(settings.CurrentTheme, static_cast<int>(settings.Themes.size()) - 1);
    EXPECT_EQ(current.CurPosClr, Rgb(7, 7, 7));
}

TEST_F(ColorsFormTest, picks_the_last_of_two_themes_sharing_a_name) {
    settings.Themes.push_back(settings.Themes[4]);
    settings.Themes.back().TapClr = Rgb(1, 1, 1);
    Open();
    Pick("Halloween");
    EXPECT_EQ(settings.CurrentTheme, 7);
    EXPECT_EQ(current.CurTapClr, Rgb(1, 1, 1));
}

TEST_F(ColorsFormTest, keeps_every_theme_when_the_question_is_cancelled) {
    dialogs.delete_answer = false;
    const std::vector<ThemeRec> before = settings.Themes;
    Open();
    Pick("Valentine");
    form->cmdDeleteTheme_Click();
    EXPECT_EQ(settings.Themes, before);
    EXPECT_EQ(settings.CurrentTheme, 6);
}

TEST_F(ColorsFormTest, refuses_to_delete_the_last_remaining_theme) {
    settings.Themes.resize(1);
    Open();
    form->cmdDeleteTheme_Click();
    EXPECT_TRUE(dialogs.questions.empty());
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{colors_text::kLastTheme});
    EXPECT_EQ(settings.Themes.size(), 1u);
    EXPECT_FALSE(DeleteCurrentTheme(settings, current));
    EXPECT_EQ(settings.Themes.size(), 1u);
}

TEST_F(ColorsFormTest, refuses_a_theme_beyond_the_hundred_the_settings_file_keeps) {
    settings.Themes.resize(kMaxThemes, settings.Themes[0]);
    Open();
    dialogs.on_new_theme = [](NewThemeForm&) { ADD_FAILURE() << "no name is asked for"; };
    form->cmdNewTheme_Click();
    EXPECT_EQ(settings.Themes.size(), static_cast<size_t>(kMaxThemes));
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{colors_text::kTooManyThemes});
}

TEST_F(ColorsFormTest, cancel_after_a_pick_keeps_the_theme_current_without_recolouring) {
    Open();
    Pick("Halloween");
    form->cmdCancel_Click();
    EXPECT_TRUE(form->Closed());
    EXPECT_TRUE(tape.applied.empty());
    EXPECT_EQ(settings.CurrentTheme, 4);
    EXPECT_EQ(Five(current), Five(ColoursOf(settings.Themes[4])));

    Open();
    form->cmdOK_Click();
    EXPECT_TRUE(form->Closed());
    ASSERT_EQ(tape.applied.size(), 1u);
    EXPECT_EQ(Five(tape.applied[0]), Five(ColoursOf(settings.Themes[4])));
}

TEST(ThemeDialogPlaces, sit_below_the_window_they_open_from) {
    EXPECT_EQ(ColorsPlace(1000, 500).left, 1180);
    EXPECT_EQ(ColorsPlace(1000, 500).top, 700);
    EXPECT_EQ(ThemeQuestionPlace(1180, 700).left, 1180);
    EXPECT_EQ(ThemeQuestionPlace(1180, 700).top, 2700);
}

}  // namespace
}  // namespace tallymar
