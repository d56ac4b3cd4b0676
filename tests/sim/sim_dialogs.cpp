#include "tests/sim/sim_dialogs.h"

#include <gtest/gtest.h>

#include <sstream>

#include "tests/sim/sim_loop.h"

namespace sim {
namespace {

std::string Describe(const TextMatcher& matcher) {
    std::ostringstream out;
    matcher.DescribeTo(&out);
    return out.str();
}

const char* KindName(ShownBox::Kind kind) {
    switch (kind) {
        case ShownBox::Kind::Message:
            return "message box";
        case ShownBox::Kind::Input:
            return "input box";
        case ShownBox::Kind::SaveFile:
            return "save-file question";
    }
    return "box";
}

}  // namespace

int DismissAnswer(int flags) {
    using namespace platform::msgbox;
    switch (flags & 7) {
        case OKCancel:
        case YesNoCancel:
            return Cancel;
        case YesNo:
            return No;
        default:
            return OK;
    }
}

SimDialogs::Expectation& SimDialogs::expectMsgBox(TextMatcher text, int answer) {
    expectations_.push_back(Expectation{ShownBox::Kind::Message, std::move(text), answer, {}, 0});
    return expectations_.back();
}

SimDialogs::Expectation& SimDialogs::expectInputBox(TextMatcher prompt, std::string input) {
    expectations_.push_back(
        Expectation{ShownBox::Kind::Input, std::move(prompt), 0, std::move(input), 0});
    return expectations_.back();
}

SimDialogs::Expectation& SimDialogs::expectSaveFile(TextMatcher title, std::string path) {
    expectations_.push_back(
        Expectation{ShownBox::Kind::SaveFile, std::move(title), 0, std::move(path), 0});
    return expectations_.back();
}

void SimDialogs::alwaysAnswerMsgBox(TextMatcher text, int answer) {
    standingAnswers_.push_back({ShownBox::Kind::Message, std::move(text), answer, {}});
}

void SimDialogs::alwaysAnswerInputBox(TextMatcher prompt, std::string input) {
    standingAnswers_.push_back({ShownBox::Kind::Input, std::move(prompt), 0, std::move(input)});
}

void SimDialogs::alwaysAnswerSaveFile(TextMatcher title, std::string path) {
    standingAnswers_.push_back({ShownBox::Kind::SaveFile, std::move(title), 0, std::move(path)});
}

const SimDialogs::StandingAnswer* SimDialogs::standing(ShownBox::Kind kind,
                                                       const std::string& text) const {
    for (const StandingAnswer& answer : standingAnswers_) {
        if (answer.kind == kind && answer.matcher.Matches(text)) {
            return &answer;
        }
    }
    return nullptr;
}

std::optional<SimDialogs::Expectation> SimDialogs::take(ShownBox::Kind kind,
                                                        const std::string& text) {
    if (expectations_.empty() || expectations_.front().kind != kind ||
        !expectations_.front().matcher.Matches(text)) {
        return std::nullopt;
    }
    Expectation front = std::move(expectations_.front());
    expectations_.pop_front();
    return front;
}

void SimDialogs::think(std::int64_t ms) {
    if (ms > 0) {
        loop_.advance(ms);
    }
}

int SimDialogs::MsgBox(const std::string& prompt, int flags, const std::string& title) {
    ShownBox box{ShownBox::Kind::Message, prompt, title, flags,      {},
                 DismissAnswer(flags),    {},     false, loop_.now()};
    if (auto expectation = take(ShownBox::Kind::Message, prompt)) {
        box.answer = expectation->answer;
        box.expected = true;
        shown_.push_back(box);
        think(expectation->thinkMs);
        return box.answer;
    }
    if (const StandingAnswer* answer = standing(ShownBox::Kind::Message, prompt)) {
        box.answer = answer->answer;
        box.expected = true;
        shown_.push_back(box);
        return box.answer;
    }
    ADD_FAILURE() << "Unexpected message box \"" << prompt << "\" (title \"" << title
                  << "\", flags " << flags << ")"
                  << (expectations_.empty()
                          ? std::string(", no box was expected")
                          : ", expected a " + std::string(KindName(expectations_.front().kind)) +
                                " that " + Describe(expectations_.front().matcher));
    shown_.push_back(box);
    return box.answer;
}

std::string SimDialogs::InputBox(const std::string& prompt, const std::string& title,
                                 const std::string& defaultText) {
    return answerText(
        ShownBox{ShownBox::Kind::Input, prompt, title, 0, defaultText, 0, {}, false, loop_.now()},
        prompt);
}

std::string SimDialogs::SaveFileName(const std::string& title, const std::string& fileName,
                                     const std::string& /*filter*/) {
    return answerText(
        ShownBox{ShownBox::Kind::SaveFile, title, title, 0, fileName, 0, {}, false, loop_.now()},
        title);
}

std::string SimDialogs::answerText(ShownBox box, const std::string& matched) {
    if (auto expectation = take(box.kind, matched)) {
        box.input = expectation->input;
        box.expected = true;
        shown_.push_back(box);
        think(expectation->thinkMs);
        return box.input;
    }
    if (const StandingAnswer* answer = standing(box.kind, matched)) {
        box.input = answer->input;
        box.expected = true;
        shown_.push_back(box);
        return box.input;
    }
    ADD_FAILURE() << "Unexpected " << KindName(box.kind) << " \"" << matched << "\" (title \""
                  << box.title << "\")"
                  << (expectations_.empty()
                          ? std::string(", no box was expected")
                          : ", expected a " + std::string(KindName(expectations_.front().kind)) +
                                " that " + Describe(expectations_.front().matcher));
    shown_.push_back(box);
    return {};
}

bool SimDialogs::verifyAllConsumed() {
    for (const Expectation& expectation : expectations_) {
        ADD_FAILURE() << "A " << KindName(expectation.kind) << " that "
                      << Describe(expectation.matcher) << " was expected but never shown";
    }
    const bool all = expectations_.empty();
    expectations_.clear();
    return all;
}

const ShownBox& SimDialogs::last() const {
    static const ShownBox kNone;
    if (shown_.empty()) {
        ADD_FAILURE() << "No message or input box was shown";
        return kNone;
    }
    return shown_.back();
}

int SimDialogs::countShown(const TextMatcher& text) const {
    int count = 0;
    for (const ShownBox& box : shown_) {
        count += text.Matches(box.text) ? 1 : 0;
    }
    return count;
}

}  // namespace sim
