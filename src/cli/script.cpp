#include "cli/script.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <set>

#include "commands/command.h"
#include "engine/text_codec.h"

namespace tallymar::cli {
namespace {

const std::set<std::string, std::less<>> kKeys = {
    "Enter", "S-Enter", "Up",    "Down",    "S-Up", "S-Down", "PgUp", "PgDn", "Home", "End",
    "Bksp",  "Tab",     "S-Tab", "NumLock", "F2", "Alt",  "Shift",  "Ctrl", "C-c",  "C-v"};
const std::set<std::string, std::less<>> kMenus = {"Insert", "Delete",   "Copy", "Clear",
                                                   "New",    "Callback", "Dump", "SelectAll",
                                                   "Undo",   "Redo"};
const std::set<std::string, std::less<>> kAnswers = {"yes", "no", "cancel", "ok"};

bool ParseInt(std::string_view text, int* value) {
    if (text.empty()) return false;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), *value);
    return ec == std::errc() && end == text.data() + text.size();
}

bool ParseDouble(std::string_view text, double* value) {
    if (text.empty()) return false;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), *value);
    return ec == std::errc() && end == text.data() + text.size() && std::isfinite(*value);
}

std::vector<std::string_view> Words(std::string_view text) {
    std::vector<std::string_view> words;
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && text[i] == ' ') ++i;
        size_t start = i;
        while (i < text.size() && text[i] != ' ') ++i;
        if (i > start) words.push_back(text.substr(start, i - start));
    }
    return words;
}

bool ParseToken(std::string_view token, Action* action, std::string* message) {
    using Kind = Action::Kind;
    if (kKeys.count(token)) {
        action->kind = Kind::kKey;
        action->name = token;
        return true;
    }
    // A menu item or button by its own name runs its command too ({mnuFileSave}).
    if (kMenus.count(token) || CommandNamed(token)) {
        action->kind = Kind::kMenu;
        action->name = token;
        return true;
    }
    size_t space = token.find(' ');
    std::string_view head = token.substr(0, space);
    std::string_view rest = space == std::string_view::npos ? "" : token.substr(space + 1);
    auto words = Words(rest);
    auto numbers = [&](size_t count, int* a, double* b) {
        if (words.size() != count || !ParseInt(words[0], a)) return false;
        return count == 1 || ParseDouble(words[1], b);
    };
    action->name = head;
    if (head == "Voice" || head == "CallbackVoice" || head == "Machine") {
        action->kind = Kind::kVoice;
        action->text = rest;
        return true;
    }
    if (head == "Open" || head == "Save" || head == "Pdf" || head == "Export") {
        // The path is all of the rest, blanks included.
        action->kind = Kind::kFile;
        action->text = rest;
        if (!rest.empty()) return true;
        *message = "{" + std::string(head) + " PATH} needs a path";
        return false;
    }
    if (head == "Find" || token == "FindNext" || token == "FindPrevious") {
        // The text is all of the rest, blanks included.
        action->kind = Kind::kFind;
        action->text = rest;
        if (head != "Find" || !words.empty()) return true;
        *message = "{Find TEXT} needs a text";
        return false;
    }
    if (head == "Theme" || head == "NewTheme" || head == "DeleteTheme" || head == "ConvertButton") {
        action->kind = Kind::kDialog;
        action->text = rest;
        if (head != "Theme" || !rest.empty()) return true;
        *message = "{Theme NAME} needs a name";
        return false;
    }
    if (head == "Convert") {
        action->kind = Kind::kDialog;
        for (size_t start = 0;;) {
            const size_t bar = rest.find('|', start);
            action->parts.emplace_back(rest.substr(start, bar - start));
            if (bar == std::string_view::npos) break;
            start = bar + 1;
        }
        if (action->parts.size() == 3) return true;
        *message = "{Convert FROM|AMOUNT|TO} needs three parts";
        return false;
    }
    if (head == "ShowConversion") {
        action->kind = Kind::kDialog;
        action->number = rest == "on" ? 1 : 0;
        if (rest == "on" || rest == "off") return true;
        *message = "{ShowConversion} is on or off";
        return false;
    }
    if (head == "Answer") {
        action->kind = Kind::kAnswer;
        action->text = rest;
        if (kAnswers.count(rest)) return true;
        *message = "an answer is yes, no, cancel or ok";
        return false;
    }
    if (head == "Mode") {
        action->kind = Kind::kMode;
        action->number = rest == "calc" ? 1 : 0;
        if (rest == "calc" || rest == "adder") return true;
        *message = "the mode is calc or adder";
        return false;
    }
    const struct {
        const char* name;
        Kind kind;
        size_t count;
    } numbered[] = {{"Decimals", Kind::kDecimals, 1},   {"Click", Kind::kClick, 1},
                    {"ClickLine", Kind::kClickLine, 1}, {"S-Click", Kind::kShiftClick, 1},
                    {"S-Drag", Kind::kShiftDrag, 2},    {"Scroll", Kind::kScroll, 1},
                    {"Wheel", Kind::kWheel, 1},         {"Rows", Kind::kRows, 1}};
    for (const auto& entry : numbered) {
        if (head != entry.name) continue;
        action->kind = entry.kind;
        if (numbers(entry.count, &action->number, &action->y)) return true;
        *message = "bad number in {" + std::string(token) + "}";
        return false;
    }
    *message = "unknown token {" + std::string(token) + "}";
    return false;
}

}  // namespace

bool ParseScript(std::string_view script, std::vector<Action>* actions, ScriptError* error) {
    actions->clear();
    size_t i = 0;
    while (i < script.size()) {
        Action action;
        action.position = i;
        char c = script[i];
        if (c == '\r' || c == '\n') {
            ++i;
            continue;
        }
        if (c != '{') {
            action.character = NextCodePoint(script, i);
            actions->push_back(action);
            continue;
        }
        if (i + 1 < script.size() && script[i + 1] == '{') {
            action.character = '{';
            actions->push_back(action);
            i += 2;
            continue;
        }
        size_t close = script.find('}', i);
        if (close == std::string_view::npos) {
            *error = {i, "a token is not closed with }"};
            return false;
        }
        std::string message;
        if (!ParseToken(script.substr(i + 1, close - i - 1), &action, &message)) {
            *error = {i, message};
            return false;
        }
        actions->push_back(action);
        i = close + 1;
    }
    return true;
}

}  // namespace tallymar::cli
