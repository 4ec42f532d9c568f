#include "PanelDc.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "DrawingObjects.h"

PanelDc::PanelDc(SURFHANDLE surface) : surface(surface), context(oapiGetDC(surface)) {
    if (!context) return;
    const DrawingObjects &objects = ModuleDrawingObjects();
    SelectObject(context, objects.fontSmall);
    SetTextAlign(context, TA_LEFT | TA_TOP);
    SetBkMode(context, TRANSPARENT);
    SetTextColor(context, kTextColour);
    SelectObject(context, objects.brushBlack);
    SelectObject(context, GetStockObject(NULL_PEN));
}

PanelDc::~PanelDc() {
    if (context) oapiReleaseDC(surface, context);
}

void PanelDc::Text(int x, int y, const char *text) const {
    if (!context || !text) return;
    TextOutA(context, x, y, text, static_cast<int>(std::strlen(text)));
}

void PanelDc::FormattedText(int x, int y, const char *format, ...) const {
    char text[256];
    va_list arguments;
    va_start(arguments, format);
    const int written = std::vsnprintf(text, sizeof(text), format, arguments);
    va_end(arguments);
    if (written < 0) text[0] = '\0';
    Text(x, y, text);
}
