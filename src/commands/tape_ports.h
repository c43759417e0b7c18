// The tape as the converter and the colour dialog reach it: their ports, carried
// out by the engine's operations.
#pragma once

#include <vector>

#include "converter/converter_ports.h"
#include "engine/calc.h"
#include "settings/apply_colors.h"

namespace tallymar {

class EngineTape : public TapeWriter, public TapeColours {
  public:
    explicit EngineTape(Calc& calc) : calc_(calc) {}

    void AppendConversion(const std::vector<ConversionLine>& lines) override;
    void ApplyColors(const Colours& colours) override { calc_.ApplyColors(colours); }

  private:
    Calc& calc_;
};

}  // namespace tallymar
