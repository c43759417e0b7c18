// Spoken entry and machine key sounds: what each key and each struck total plays,
// and in which order.
#include <sstream>

#include "machine.h"

namespace tallymar::testing {
namespace {

TEST(SpokenEntry, says_each_key_then_each_total_as_shown_then_the_rule) {
    const struct {
        StartUp setup;
        const char* keys;
        const char* heard;
    // clang-format off
    } cases[] = {
        {StartUp().Voice("Grunk"), "90.5+1-2*3/", "a9 a0 ap a5 a+ a1 am a2 at a3 ad"},
        {StartUp().Voice("Dermot"), "4/", "s4 sd"},
        {StartUp().Voice("Rusty"), "a1.b2{Enter}", ""},
        {StartUp().Voice("Rusty"), "1{Voice Pippa}2", "b1 t2"},
        {StartUp().Voice("Grunk"), "1234.5+{Enter}", "a1 a2 a3 a4 ap a5 a+ ae a1 a2 a3 a4 ap a5 a0 an"},
        {StartUp().Voice("Grunk"), "8+{S-Enter}", "a8 a+ ae a8 ap a0 a0 an"},
        {StartUp().Voice("Grunk"), "7-{Enter}", "a7 am ae am a7 ap a0 a0 an"},
        {StartUp().Voice("Grunk"), "{Decimals 16}6+{Enter}", "a6 a+ ae a6 an"},
        {StartUp().Voice("Grunk"), "{Decimals 0}4*2{Enter}", "a4 at a2 ae a8 an"},
        {StartUp().Voice("Grunk"), "{Decimals 0}20*5%", "a2 a0 at a5 aq ae a1 an"},
        {StartUp().Voice("Grunk"), "{Decimals 0}{Enter}", "ae a0 an"},
        {StartUp().Voice("Rusty"), "5+3+{Enter}{Click 3}7+", "b5 b+ b3 b+ be b8 bp b0 b0 bn b7 b+ bz b1 b0 bp b0 b0 bn"},
        {StartUp().Voice("Rusty").MachineSound("Canon"), "{Decimals 0}5+{Enter}", "b5 b+ Canon1 be b5 bn Canon2"},
        {StartUp().Voice("Rusty").MachineSound("Canon"), "{Decimals 0}20*5%", "b2 b0 bt Canon1 b5 bq Canon1 be b1 bn"},
        {StartUp().MachineSound("Canon"), "5+3{Enter}1-2*3/{S-Enter}", "Canon1 Canon2 Canon1 Canon1 Canon1 Canon2"},
        {StartUp().MachineSound("Manual"), "5+{Enter}", "Manual Manual"},
        {StartUp().Voice("None").MachineSound("Manual"), "5+{Enter}", "Manual Manual"},
        {StartUp().Voice("Pippa").MachineSound("None"), "5+{Enter}", "t5 t+ te t5 tp t0 t0 tn"},
        {StartUp().Voice("Pippa").MachineSound("Nobody"), "5+{Enter}", "t5 t+ te t5 tp t0 t0 tn"},
        {StartUp().Voice("None"), "12.5+3-4*2{Enter}6%{Enter}{S-Enter}", ""},
        {StartUp().Voice("rusty"), "12.5+3-{Enter}", ""},
    };
    // clang-format on
    for (const auto& c : cases) {
        Machine m(c.setup);
        m.Keys(c.keys);
        EXPECT_EQ(m.Heard(), c.heard) << c.keys;
    }
}

TEST(SpokenEntry, clearing_the_tape_speaks_its_zero_total_but_starting_up_does_not) {
    Machine m(StartUp().Voice("Rusty"));
    m.Keys("5+{Answer no}{Clear}");
    EXPECT_EQ(m.Heard(),
              "b5 b+ msg \"Tallymar\" \"Do you want to save the changes you made to your existing "
              "tape ?\\n\\n\" yesnocancel -> no caption \"Tallymar - Tape1\" be b0 bp b0 b0 bn");
    std::ostringstream out;
    cli::Recorder recorder(out);
    Calc calc{Ports{recorder, recorder, recorder}};
    Options options;
    options.CallInputCharacter = "Rusty";
    options.MachineSound = "Canon";
    calc.SetOptions(options);
    calc.Start(18);
    EXPECT_EQ(out.str(), "");
}

}  // namespace
}  // namespace tallymar::testing
