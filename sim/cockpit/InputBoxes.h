// The simulator's text input box (oapiOpenInputBox) and the answers the user
// gives to it.
//
// One box is open at a time. A module that opens a box while another is
// still open replaces it: the simulator has a single input dialog, so the
// newer request takes it over and the older callback is never called.
//
// Answers come from outside (the runner) into a queue, in UTF-8; they reach
// the module as Windows-1251 bytes. Each frame, before the keyboard, the
// message loop hands at most one queued answer to the open box: the
// callback gets the box, a writable copy of the text and the user data; a
// true result closes the box, false keeps it open (the module rejected the
// text). A cancel closes the box without calling the callback. With no box
// open the answers wait.
#pragma once

#include <cstddef>
#include <deque>
#include <string>

namespace sim {

using InputBoxCallback = bool (*)(void *id, char *text, void *userData);

class InputBoxes {
public:
    // Smallest writable buffer handed to a callback.
    static constexpr std::size_t minimumBuffer = 256;

    void open(const char *title, InputBoxCallback callback, const char *initialText, int visibleLength,
              void *userData);
    bool isOpen() const { return boxOpen; }
    const std::string &title() const { return boxTitle; }          // UTF-8
    const std::string &initialText() const { return boxInitial; }  // UTF-8
    int visibleLength() const { return boxVisibleLength; }
    // Counts the boxes opened: tells one box from the next with the same title.
    unsigned serialNumber() const { return serial; }

    void queueAnswer(const std::string &utf8);
    void queueCancel();
    std::size_t pendingAnswers() const { return answers.size(); }
    void dropAnswers() { answers.clear(); }
    void closeAll();

    // The message loop: gives the open box the next answer, if any. True when
    // an answer was taken.
    bool deliver();

private:
    struct Answer {
        bool cancel;
        std::string text;  // Windows-1251
    };

    bool boxOpen = false;
    unsigned serial = 0;  // counts opened boxes
    std::string boxTitle;
    std::string boxInitial;
    int boxVisibleLength = 0;
    InputBoxCallback callback = nullptr;
    void *userData = nullptr;
    std::deque<Answer> answers;
};

// Windows-1251 bytes of UTF-8 text; characters the code page lacks, and
// malformed sequences, become '?'.
std::string utf8ToCp1251(const std::string &utf8);

}  // namespace sim
