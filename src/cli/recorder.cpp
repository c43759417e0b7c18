#include "cli/recorder.h"

namespace tallymar::cli {
namespace {

const char* ButtonsName(Buttons buttons) {
    switch (buttons) {
        case Buttons::kOk:
            return "ok";
        case Buttons::kYesNo:
            return "yesno";
        case Buttons::kYesNoCancel:
            return "yesnocancel";
    }
    return "ok";
}

const char* AnswerName(Answer answer) {
    switch (answer) {
        case Answer::kOk:
            return "ok";
        case Answer::kYes:
            return "yes";
        case Answer::kNo:
            return "no";
        case Answer::kCancel:
            return "cancel";
    }
    return "ok";
}

bool Offers(Buttons buttons, Answer answer) {
    switch (buttons) {
        case Buttons::kOk:
            return answer == Answer::kOk;
        case Buttons::kYesNo:
            return answer == Answer::kYes || answer == Answer::kNo;
        case Buttons::kYesNoCancel:
            return answer != Answer::kOk;
    }
    return false;
}

}  // namespace

std::string Quoted(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\0':
                out += "\\0";
                break;
            default:
                out += c;
        }
    }
    return out + "\"";
}

Answer Recorder::ShowMessage(const Message& message) {
    Answer answer = message.default_answer;
    if (!answers_.empty()) {
        // The next box takes the queued answer; one its buttons cannot give is the default.
        if (Offers(message.buttons, answers_.front())) answer = answers_.front();
        answers_.pop_front();
    }
    out_ << "msg " << Quoted(message.title) << " " << Quoted(message.text) << " "
         << ButtonsName(message.buttons) << " -> " << AnswerName(answer) << "\n";
    return answer;
}

}  // namespace tallymar::cli
