#include "Terminal.h"

#include "CommandInterpreter.h"
#include "DrawingObjects.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

// Characters typed by the keys the terminal accepts, by scan code. The minus,
// backspace and Enter keys edit or execute instead (ConsumeBufferedKey).
const char kKeyCharacters[] = {
    0,   0,   '1', '2', '3', '4', '5', '6', '7', '8',  // 0x00 - 0x09
    '9', '0', 0,   0,   0,   0,   'Q', 'W', 'E', 'R',  // 0x0A - 0x13
    'T', 'Y', 'U', 'I', 'O', 'P', 0,   0,   0,   0,    // 0x14 - 0x1D
    'A', 'S', 'D', 'F', 'G', 'H', 'J', 'K', 'L', ';',  // 0x1E - 0x27
    0,   0,   0,   0,   'Z', 'X', 'C', 'V', 'B', 'N',  // 0x28 - 0x31
    'M', 0,   '.', 0,   0,   0,   0,   ' ',            // 0x32 - 0x39
};
const DWORD kKeyCharacterCount = sizeof(kKeyCharacters);

const COLORREF kTextColour = RGB(250, 250, 250);
const int kTextLeft = 3;
const int kEditLineTop = 3;
const int kFirstScreenLineTop = 13;
const int kLineSpacing = 10;

}  // namespace

void CopyLine(char *destination, int size, const char *text) {
    if (!destination || size <= 0) return;
    int length = 0;
    if (text) {
        while (length < size - 1 && text[length]) ++length;
        std::memcpy(destination, text, length);
    }
    destination[length] = '\0';
}

Terminal::Terminal(VESSEL *owner)
    : owner(owner),
      newestLine(0),
      editCount(0),
      captureKeys(false),
      plmProgram(owner),
      pieProgram(owner),
      pleProgram(owner) {
    for (int i = 0; i < kScreenLineCount; ++i) std::snprintf(screenLines[i], kLineSize, "string %2d", i);
    std::memset(editLine, 0, sizeof(editLine));
    std::memset(fileLines, 0, sizeof(fileLines));
}

void Terminal::AddLine(const char *text) {
    newestLine = newestLine == 0 ? kScreenLineCount - 1 : newestLine - 1;
    CopyLine(screenLines[newestLine], kLineSize, text);
}

void Terminal::AddFormattedLine(const char *format, ...) {
    char line[kLineSize];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(line, sizeof(line), format, arguments);
    va_end(arguments);
    AddLine(line);
}

void Terminal::AppendChar(char c) {
    if (editCount >= kMaxTypedLength || c == '\0') return;
    editLine[editCount++] = c;
    editLine[editCount] = '\0';
}

void Terminal::AppendText(const char *text) {
    if (editCount > kMaxLengthForAppend || !text) return;
    CopyLine(editLine + editCount, kEditLineSize - editCount, text);
    editCount += static_cast<int>(std::strlen(editLine + editCount));
}

void Terminal::Backspace() {
    if (editCount == 0) return;
    editLine[--editCount] = '\0';
}

void Terminal::TruncateEditLine() {
    if (editCount <= kKeptByMinus) return;
    editCount = kKeptByMinus;
    editLine[editCount] = '\0';
}

void Terminal::ClearScreen() {
    for (char *line : screenLines) line[0] = '\0';
}

void Terminal::ClearFile() {
    for (char *line : fileLines) line[0] = '\0';
}

void Terminal::Execute() { CommandInterpreter(*this).Execute(); }

void Terminal::Draw(SURFHANDLE surface) {
    const DrawingObjects &objects = ModuleDrawingObjects();
    HDC dc = oapiGetDC(surface);
    if (!dc) return;
    HGDIOBJ previousFont = SelectObject(dc, objects.fontSmall);
    SetTextAlign(dc, TA_LEFT | TA_TOP);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kTextColour);
    HGDIOBJ previousBrush = SelectObject(dc, objects.brushBlack);
    HGDIOBJ previousPen = SelectObject(dc, GetStockObject(NULL_PEN));

    char prompt[kEditLineSize + 2];
    if (captureKeys)
        std::snprintf(prompt, sizeof(prompt), ">%s|", editLine);
    else
        std::snprintf(prompt, sizeof(prompt), "%s", editLine);
    TextOutA(dc, kTextLeft, kEditLineTop, prompt, static_cast<int>(std::strlen(prompt)));

    for (int row = 0; row < kScreenLineCount; ++row) {
        const char *line = screenLines[(newestLine + row) % kScreenLineCount];
        TextOutA(dc, kTextLeft, kFirstScreenLineTop + row * kLineSpacing, line,
                 static_cast<int>(std::strlen(line)));
    }

    SelectObject(dc, previousPen);
    SelectObject(dc, previousBrush);
    SelectObject(dc, previousFont);
    oapiReleaseDC(surface, dc);
}

int Terminal::ConsumeBufferedKey(DWORD key, bool down) {
    if (!captureKeys || !down) return 0;
    switch (key) {
        case OAPI_KEY_MINUS:
            TruncateEditLine();
            return 1;
        case OAPI_KEY_BACK:
            Backspace();
            return 1;
        case OAPI_KEY_RETURN:
            Execute();
            return 1;
        default:
            break;
    }
    if (key >= kKeyCharacterCount || kKeyCharacters[key] == 0) return 0;
    AppendChar(kKeyCharacters[key]);
    return 1;
}
