// Any bytes as the text of a settings file: reading them must neither crash nor
// hang, and what the program then writes must read back as itself.
//
//   clang++-14 -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined
//     -fno-sanitize-recover=undefined -fsanitize-coverage-ignorelist=fuzz/coverage_ignore.txt
//     -Isrc fuzz/settings_fuzz.cpp src/settings/settings.cpp src/settings/settings_merge.cpp
//     src/settings/themes.cpp src/platform/ini_file.cpp src/files/atomic_file.cpp
//     -o settings_fuzz && ./settings_fuzz -max_total_time=20
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/ini_file.h"
#include "settings/settings.h"
#include "settings/settings_merge.h"

namespace {

using namespace tallymar;

const ScreenSize kScreen{19200, 10800};

bool Same(const Settings& a, const Settings& b) {
    return a.CurrentTheme == b.CurrentTheme && a.Themes == b.Themes && a.PrintDate == b.PrintDate &&
           a.PrintTime == b.PrintTime && a.PrintColor == b.PrintColor &&
           a.TipOfTheDay == b.TipOfTheDay && a.ShowTipAtStartup == b.ShowTipAtStartup &&
           a.ShowConversion == b.ShowConversion && a.AlwaysOnTop == b.AlwaysOnTop &&
           a.options.DecimalCode == b.options.DecimalCode &&
           a.options.CalcMode == b.options.CalcMode &&
           a.options.MachineSound == b.options.MachineSound &&
           a.options.CallbackCharacter == b.options.CallbackCharacter &&
           a.options.CallInputCharacter == b.options.CallInputCharacter &&
           a.options.KeysInterruptVoice == b.options.KeysInterruptVoice && a.form == b.form;
}

// Loads settings from the text into `settings` and checks that the tape window can
// paint with them.
void Load(IniFile& ini, std::string_view text, Settings* settings) {
    ini.LoadFromText(text);
    LoadSettings(ini, true, kScreen, settings);
    if (settings->Themes.empty() || settings->CurrentTheme < 0 ||
        static_cast<size_t>(settings->CurrentTheme) >= settings->Themes.size()) {
        std::abort();  // the tape window needs a theme at CurrentTheme
    }
}

// Writes the settings back into the file they were read from (its unknown keys kept)
// and returns the text the file would then hold.
std::string Save(IniFile& ini, const Settings& settings) {
    SaveSettings(ini, settings);
    return ini.Text();
}

}  // namespace

// Everything stays in memory: the file is read with LoadFromText and written with
// Text(), never through the disk, so that a run takes well under a millisecond.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    IniFile ini("/nonexistent/Tallymar.ini");  // never saved to disk
    Settings first, second, third;
    Load(ini, input, &first);
    // The first load may settle odd values (a "-1.4" decimal code is -1, which reads
    // back as empty); from then on what is written reads back unchanged.
    const std::string written = Save(ini, first);
    Load(ini, written, &second);
    // The second save is read back from the file as held rather than through its
    // text: the text of what the program writes was read back just above, and one
    // more round of text costs a quarter of the run.
    SaveSettings(ini, second);
    LoadSettings(ini, true, kScreen, &third);
    if (!Same(second, third)) std::abort();

    // A window that read the defaults and closes over this file: whatever the file
    // held, what is written has a theme to paint with.
    Settings merged = MergeSettings(Settings(), second, first);
    if (merged.Themes.empty() || merged.CurrentTheme < 0 ||
        static_cast<size_t>(merged.CurrentTheme) >= merged.Themes.size()) {
        std::abort();
    }
    return 0;
}
