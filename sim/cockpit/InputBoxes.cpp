#include "cockpit/InputBoxes.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "gdi/Cp1251.h"

namespace sim {

void InputBoxes::open(const char *title, InputBoxCallback boxCallback, const char *initialText,
                      int visibleLength, void *data) {
    boxOpen = true;
    ++serial;
    boxTitle = title != nullptr ? cp1251ToUtf8(title, std::strlen(title)) : std::string();
    boxInitial = initialText != nullptr ? cp1251ToUtf8(initialText, std::strlen(initialText)) : std::string();
    boxVisibleLength = visibleLength;
    callback = boxCallback;
    userData = data;
}

void InputBoxes::queueAnswer(const std::string &utf8) {
    answers.push_back(Answer{false, utf8ToCp1251(utf8)});
}

void InputBoxes::queueCancel() { answers.push_back(Answer{true, std::string()}); }

void InputBoxes::closeAll() {
    boxOpen = false;
    callback = nullptr;
    userData = nullptr;
    answers.clear();
}

bool InputBoxes::deliver() {
    if (!boxOpen || answers.empty()) return false;
    Answer answer = std::move(answers.front());
    answers.pop_front();
    if (answer.cancel || callback == nullptr) {
        boxOpen = false;
        return true;
    }
    std::vector<char> text(std::max(answer.text.size() + 1, minimumBuffer), '\0');
    std::memcpy(text.data(), answer.text.data(), answer.text.size());
    const unsigned thisBox = serial;
    // The box's identity for the callback: this dialog.
    const bool accepted = callback(this, text.data(), userData);
    // The callback may have opened a new box; only this one closes.
    if (accepted && serial == thisBox) boxOpen = false;
    return true;
}

std::string utf8ToCp1251(const std::string &utf8) {
    static const std::vector<char32_t> upper = [] {
        std::vector<char32_t> table(128);
        for (int i = 0; i < 128; ++i) table[i] = cp1251ToUnicode(static_cast<unsigned char>(0x80 + i));
        return table;
    }();
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const unsigned char lead = static_cast<unsigned char>(utf8[i]);
        char32_t code;
        std::size_t length;
        if (lead < 0x80) {
            code = lead;
            length = 1;
        } else if ((lead & 0xE0) == 0xC0) {
            code = lead & 0x1F;
            length = 2;
        } else if ((lead & 0xF0) == 0xE0) {
            code = lead & 0x0F;
            length = 3;
        } else if ((lead & 0xF8) == 0xF0) {
            code = lead & 0x07;
            length = 4;
        } else {
            out += '?';
            ++i;
            continue;
        }
        bool valid = i + length <= utf8.size();
        for (std::size_t k = 1; valid && k < length; ++k) {
            const unsigned char next = static_cast<unsigned char>(utf8[i + k]);
            if ((next & 0xC0) != 0x80) {
                valid = false;
            } else {
                code = (code << 6) | (next & 0x3F);
            }
        }
        if (!valid) {
            out += '?';
            ++i;
            continue;
        }
        i += length;
        if (code < 0x80) {
            out += static_cast<char>(code);
            continue;
        }
        char byte = '?';
        for (int k = 0; k < 128; ++k) {
            if (upper[k] == code) {
                byte = static_cast<char>(0x80 + k);
                break;
            }
        }
        out += byte;
    }
    return out;
}

}  // namespace sim
