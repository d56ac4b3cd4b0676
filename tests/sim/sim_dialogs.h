#pragma once

#include <gmock/gmock.h>

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/dialogs.h"

namespace sim {

class SimLoop;

// Matches a box's text: a plain string matches exactly; ::testing::HasSubstr, StartsWith ... too.
using TextMatcher = ::testing::Matcher<const std::string&>;

// One message box, input box or save-file question the program showed, as the operator saw it.
struct ShownBox {
    enum class Kind { Message, Input, SaveFile };
    Kind kind = Kind::Message;
    std::string text;  // the message, the prompt, or the save question's title
    std::string title;
    int flags = 0;            // message boxes: buttons | icon | default button
    std::string defaultText;  // input boxes; the file name a save question offered
    int answer = 0;           // message boxes: the button chosen
    std::string input;        // the text entered or the path chosen (empty: cancelled)
    bool expected = false;    // false when no scripted answer matched it
    std::int64_t shownAtMs = 0;
};

// The operator at the message boxes: answers come from a script set up by the test, in order. A
// question the script does not expect fails the test and is answered No / Cancel / empty.
class SimDialogs : public platform::Dialogs {
public:
    struct Expectation {
        ShownBox::Kind kind;
        TextMatcher matcher;
        int answer = 0;
        std::string input;
        std::int64_t thinkMs = 0;
        // The operator reads for this long before answering; events keep running meanwhile,
        // as they do under a real modal box.
        Expectation& after(std::int64_t ms) {
            thinkMs = ms;
            return *this;
        }
    };

    explicit SimDialogs(SimLoop& loop) : loop_(loop) {}

    // The next box must be a message box whose text matches; it is answered with `answer`.
    Expectation& expectMsgBox(TextMatcher text, int answer = platform::msgbox::OK);
    // The next box must be an input box whose prompt matches; `input` is typed and confirmed.
    Expectation& expectInputBox(TextMatcher prompt, std::string input);
    // The next box must be a save-file question whose title matches; `path` is chosen (empty:
    // the operator cancels).
    Expectation& expectSaveFile(TextMatcher title, std::string path);
    // Any message box matching, at any time and any number of times, gets this answer (for
    // notices that may come up during a long run). Ordered expectations are tried first.
    void alwaysAnswerMsgBox(TextMatcher text, int answer = platform::msgbox::OK);
    // The same for input boxes (`input` is typed and confirmed) and save-file questions (`path`
    // is chosen; empty: the operator cancels).
    void alwaysAnswerInputBox(TextMatcher prompt, std::string input);
    void alwaysAnswerSaveFile(TextMatcher title, std::string path);

    // Fails the test for every scripted answer no box consumed; true when all were used.
    bool verifyAllConsumed();
    std::size_t pendingExpectations() const { return expectations_.size(); }

    const std::vector<ShownBox>& shown() const { return shown_; }
    // The last box shown; fails the test (and returns an empty record) when none was.
    const ShownBox& last() const;
    // How many boxes shown had a text matching.
    int countShown(const TextMatcher& text) const;
    void clearShown() { shown_.clear(); }

    int MsgBox(const std::string& prompt, int flags, const std::string& title) override;
    std::string InputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultText) override;
    std::string SaveFileName(const std::string& title, const std::string& fileName,
                             const std::string& filter) override;

private:
    // Answers an input box or save question from the script; `matched` is what the script
    // matches against.
    std::string answerText(ShownBox box, const std::string& matched);
    // Takes the front expectation when it is of this kind and matches the text.
    std::optional<Expectation> take(ShownBox::Kind kind, const std::string& text);
    void think(std::int64_t ms);

    SimLoop& loop_;
    std::deque<Expectation> expectations_;
    // A standing answer; of message boxes only `answer` counts, of the others only `input`.
    struct StandingAnswer {
        ShownBox::Kind kind;
        TextMatcher matcher;
        int answer = 0;
        std::string input;
    };
    // The first standing answer of this kind whose matcher takes the text; nullptr if none.
    const StandingAnswer* standing(ShownBox::Kind kind, const std::string& text) const;

    std::vector<StandingAnswer> standingAnswers_;
    std::vector<ShownBox> shown_;
};

// The answer the operator gives by dismissing a box: Cancel, No, or OK when that is all there is.
int DismissAnswer(int flags);

}  // namespace sim
