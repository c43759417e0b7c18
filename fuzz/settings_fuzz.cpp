// Any bytes as the text of a settings file: reading them must neither crash nor
// hang, and what the program then writes must read back as itself.
//
//   clang++-14 -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined
//     -fno-sanitize-recover=undefined -Isrc fuzz/settings_fuzz.cpp
//     src/settings/settings.cpp src/settings/themes.cpp src/platform/ini_file.cpp
//     -o settings_fuzz && ./settings_fuzz -max_total_time=20
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/ini_file.h"
#include "settings/settings.h"

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
           a.options.CallInputCharacter == b.options.CallInputCharacter && a.form == b.form;
}

// Loads settings from the text, then writes them back into that same file (its
// unknown keys kept) and returns the text the file would then hold.
std::string LoadAndSave(std::string_view text, Settings* settings) {
    IniFile ini("/nonexistent/Tallymar.ini");  // never saved to disk
    ini.LoadFromText(text);
    LoadSettings(ini, true, kScreen, settings);
    if (settings->Themes.empty() || settings->CurrentTheme < 0 ||
        static_cast<size_t>(settings->CurrentTheme) >= settings->Themes.size()) {
        std::abort();  // the tape window needs a theme at CurrentTheme
    }
    SaveSettings(ini, *settings);
    return ini.Text();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    Settings first, second, third;
    const std::string written = LoadAndSave(input, &first);
    // The first load may settle odd values (a "-1.4" decimal code is -1, which reads
    // back as empty); from then on what is written reads back unchanged.
    const std::string rewritten = LoadAndSave(written, &second);
    LoadAndSave(rewritten, &third);
    if (!Same(second, third)) std::abort();
    return 0;
}
