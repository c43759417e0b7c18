// The adding machine's rules for one line, without the side effects of keying it: the
// result a line makes of the running result, and the operator it works with. The
// engine's commits and recomputations use them, and so does File > Export for the
// running total it writes after each line.
//
// Example: on the lines "200 /" and "4 %", the "%" line works with "/" (the line
// above it, comments passed over), and LineResult(200, '%', '/', 4) is 0.5.
#pragma once

#include <vector>

#include "engine/tape_line.h"

namespace tallymar {

// The kind of the line before `line`, comments passed over; ' ' above the first line.
char PrevOp(const std::vector<TapeLine>& lines, int line);

// The running result after a line of kind `op` and amount `amount`, `prev` the kind
// PrevOp gives, `result` the running result before it:
//   "+" and "-" add and subtract;
//   "*" and "/" after a sum leave it (the sum becomes the line's amount), after "*"
//   or "/" multiply or divide by the amount, and otherwise start from the amount;
//   "=" and "%" after "*" or "/" finish the product or quotient (a percentage
//   divided by 100), and otherwise leave it.
// A zero divisor leaves the result as it was, except that "=" after one gives 0.
double LineResult(double result, char op, char prev, double amount);

}  // namespace tallymar
