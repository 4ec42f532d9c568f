#include "PanelArt.h"

#include <cstdio>

using namespace palette;

namespace {

const char *const kMfdNames[3] = {"МФИ 1", "МФИ 2", "МФИ 3"};

// The module fills six black key boxes in each side column, 17 x 35 pixels,
// one pixel in from the column's left edge, 35 + 42 k pixels from its top.
void MfdKeyColumn(ConsoleKit &kit, const Box &column) {
    for (int k = 0; k < 6; ++k) {
        const int top = column.top + 35 + 42 * k;
        kit.DarkBox({column.left + 1, top, column.left + 18, top + 35});
    }
}

// Power, mode selection and menu keys under an MFD.
void MfdBottomKeys(ConsoleKit &kit, const Box &row) {
    const char *const names[3] = {"Вкл", "ВО", "ВЛ"};
    for (int i = 0; i < 3; ++i) {
        const Box key{row.left + 30 * i + 1, row.top + 1, row.left + 30 * i + 25, row.bottom};
        kit.DarkBox(key);
        kit.text.Draw(kit.canvas, names[i], row.left + 30 * i + 12.5f, row.top + 10, Align::Centre,
                      {Weight::Regular, 10, 0.0f}, Rgb(250, 250, 250));
    }
}

void MfdBlock(ConsoleKit &kit, int mfd, const Box &plate) {
    kit.Plate(plate, "", 11 + mfd);
    const Box screen = MfdScreen(mfd);
    kit.Screen(screen, 3);
    MfdKeyColumn(kit, BoxOf(FindMfdElement(mfd, kDrawMfdLeftLabels)->rect));
    MfdKeyColumn(kit, BoxOf(FindMfdElement(mfd, kDrawMfdRightLabels)->rect));
    MfdBottomKeys(kit, BoxOf(FindMfdElement(mfd, kDrawMfdBottomButtons)->rect));
    kit.Label(kMfdNames[mfd], plate.right - 20, plate.bottom - 9, Align::Right, 11, Weight::Bold, 1.5f);
}

void ClockBlock(ConsoleKit &kit) {
    const Box plate{1046, 2, 1150, 342};
    kit.Plate(plate, "", 17, ConsoleKit::kBottomLeft | ConsoleKit::kBottomRight);
    const Box clock = MainArea(110);
    kit.Screen(clock, 3);
    kit.Label("ВРЕМЯ", (clock.left + clock.right) / 2.0f, 213, Align::Centre, 10, Weight::Bold, 1.5f);

    // The undocking key sits in a yellow and black hazard frame.
    const Box undock = MainArea(206);
    const Box hazard = undock.Grown(7);
    const Box clear = undock.Grown(4);
    kit.canvas.DropShadow(hazard, 3, 0.4f);
    for (int y = hazard.top; y < hazard.bottom; ++y)
        for (int x = hazard.left; x < hazard.right; ++x) {
            if (x >= clear.left && x < clear.right && y >= clear.top && y < clear.bottom) continue;
            const bool dark = ((x + y) / 5) % 2 != 0;
            kit.canvas.Blend(x, y, dark ? Rgb(24, 22, 18) : Rgb(214, 172, 44), 1.0f);
        }
    kit.canvas.Bevel(hazard, 1, Rgb(240, 220, 150), Rgb(20, 18, 12), 0.6f);
    kit.canvas.Fill(clear, Scale(kPlate, 0.9f));
    kit.Button(undock, "", ButtonKind::Amber);
    kit.Label("ОТСТЫКОВКА", (plate.left + plate.right) / 2.0f, undock.bottom + 21, Align::Centre, 9,
              Weight::Bold, 0.5f);
    kit.VentSlots({1062, 284, 1136, 328}, 5);
}

void TerminalBlock(ConsoleKit &kit) {
    const Box plate{6, 346, 460, 858};
    kit.Plate(plate, "ТЕРМИНАЛ БЦВМ", 21);
    const Box screen = MainArea(51);
    kit.Screen(screen, 5);
    kit.Legend("щелчок по экрану — ввод с клавиатуры вкл./выкл.", (screen.left + screen.right) / 2.0f, 848,
               Align::Centre, 9);
}

// The numeric keypad turns the console on its mount.
void OrientationBlock(ConsoleKit &kit) {
    const Box plate{466, 346, 690, 466};
    kit.Plate(plate, "ОРИЕНТАЦИЯ ПУЛЬТА", 23);
    const char *const keys[4][3] = {{"7", "8", "9"}, {"4", "5", "6"}, {"1", "2", "3"}, {"0", "", "."}};
    const int left = 484, top = 374, w = 19, h = 15, gap = 4;
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 3; ++col) {
            if (row == 3 && col == 1) continue;
            const std::string name = keys[row][col];
            int right = left + col * (w + gap) + w;
            if (row == 3 && col == 0) right += w + gap;  // the wide zero key
            const Box key{left + col * (w + gap), top + row * (h + gap), right, top + row * (h + gap) + h};
            const bool used = name != "7" && name != "9" && name != ".";
            kit.canvas.RoundedBox(key.left - 1, key.top - 1, key.right + 1, key.bottom + 1, 3, Rgb(6, 8, 7));
            kit.canvas.RoundedGradient(key.left, key.top, key.right, key.bottom, 2,
                                       used ? Rgb(222, 218, 196) : Rgb(108, 114, 112),
                                       used ? Rgb(170, 166, 146) : Rgb(70, 74, 73));
            kit.text.Draw(kit.canvas, name, (key.left + key.right) / 2.0f, key.bottom - 4, Align::Centre,
                          {Weight::Bold, 10, 0.0f}, used ? Rgb(20, 20, 18) : Rgb(200, 200, 196));
        }
    const char *const legend[] = {"8 / 2 — тангаж + / −", "3 / 1 — рыскание + / −", "4 / 6 — крен + / −",
                                  "5 — исходное положение", "0 — передать на борт"};
    for (int i = 0; i < 5; ++i) kit.Legend(legend[i], 562, 384 + 14 * i, Align::Left, 9);
    kit.Legend("цифровая клавиатура", 562, 456, Align::Left, 8);
}

void ComposerBlock(ConsoleKit &kit) {
    const Box plate{466, 472, 690, 822};
    kit.Plate(plate, "СОСТАВИТЕЛЬ КОМАНД", 29);

    const Box take = MainArea(201);
    kit.Button(take, "", ButtonKind::Ivory);
    kit.canvas.Line(490, 537, 490, 525, 1.4f, Rgb(30, 30, 28));  // axes symbol on the key face
    kit.canvas.Line(490, 537, 504, 537, 1.4f, Rgb(30, 30, 28));
    kit.canvas.Line(490, 537, 499, 530, 1.4f, Rgb(30, 30, 28));
    kit.Label("Ориентация", (take.left + take.right) / 2.0f, take.top - 7, Align::Centre, 9);

    const Box reset = MainArea(207);
    kit.Button(reset, "Сброс", ButtonKind::Grey);
    kit.Legend("код и данные", (reset.left + reset.right) / 2.0f, reset.top - 7, Align::Centre, 8);

    const int fields[5] = {100, 101, 102, 103, 104};
    const char *const titles[5] = {"Код функции", "Данные А", "Данные Б", "Данные В", "Данные Г"};
    const char *const roles[5] = {"код", "время", "вектор 1", "вектор 2", "вектор 3"};
    for (int i = 0; i < 5; ++i) {
        const Box field = MainArea(fields[i]);
        kit.Field(field);
        kit.Label(titles[i], field.left, field.top - 5, Align::Left, 9);
        kit.Legend(roles[i], field.left - 8, (field.top + field.bottom) / 2.0f + 3.5f, Align::Right, 9);
    }

    const Box emit = MainArea(202);
    kit.Button(emit, "В строку", ButtonKind::Ivory);

    kit.GroupFrame({474, 722, 590, 814}, "ЗАПИСЬ");
    const char *const format[] = {"код;А;Б;В;Г", "время > 0: МЮД", "время ≤ 0: сдвиг, сут",
                                  "ADD X — в память"};
    for (int i = 0; i < 4; ++i) kit.Legend(format[i], 482, 744 + 18 * i, Align::Left, 9);
}

void PeriscopeBlock(ConsoleKit &kit) {
    const Box plate{694, 346, 1150, 540};
    kit.Plate(plate, "", 31, ConsoleKit::kTopLeft | ConsoleKit::kBottomLeft);
    const Box window = MainArea(111);
    kit.Screen(window, 4);
    kit.canvas.MarkTransparent(window);
    // Reticle over the outside view.
    const Color ink = Rgb(190, 200, 170);
    const int cx = (window.left + window.right) / 2, cy = (window.top + window.bottom) / 2;
    kit.canvas.Fill({window.left + 12, cy, cx - 8, cy + 1}, ink);
    kit.canvas.Fill({cx + 8, cy, window.right - 12, cy + 1}, ink);
    kit.canvas.Fill({cx, window.top + 12, cx + 1, cy - 8}, ink);
    kit.canvas.Fill({cx, cy + 8, cx + 1, window.bottom - 12}, ink);
    for (int d = 20; d < 180; d += 20) {
        const int tick = d % 100 == 0 ? 6 : 3;
        kit.canvas.Fill({cx - d, cy - tick, cx - d + 1, cy + tick + 1}, ink);
        kit.canvas.Fill({cx + d, cy - tick, cx + d + 1, cy + tick + 1}, ink);
        if (d < 80) {
            kit.canvas.Fill({cx - tick, cy - d, cx + tick + 1, cy - d + 1}, ink);
            kit.canvas.Fill({cx - tick, cy + d, cx + tick + 1, cy + d + 1}, ink);
        }
    }
    // Corner brackets of the field of view.
    const int b = 14;
    for (int sx : {0, 1})
        for (int sy : {0, 1}) {
            const int x = sx ? window.right - 8 : window.left + 7;
            const int y = sy ? window.bottom - 8 : window.top + 7;
            const int dx = sx ? -b : 1, dy = sy ? -b : 1;
            kit.canvas.Fill({x + (sx ? dx : 0), y, x + (sx ? 1 : b), y + 1}, ink);
            kit.canvas.Fill({x, y + (sy ? dy : 0), x + 1, y + (sy ? 1 : b)}, ink);
        }
    // The title stands letter by letter down the left strip.
    const char *const letters[5] = {"В", "И", "З", "И", "Р"};
    for (int i = 0; i < 5; ++i) kit.Label(letters[i], 724, 392 + 22 * i, Align::Centre, 15, Weight::Bold);
}

void LinkBlock(ConsoleKit &kit) {
    const Box plate{694, 544, 990, 822};
    kit.Plate(plate, "", 37, ConsoleKit::kTopRight | ConsoleKit::kBottomLeft | ConsoleKit::kBottomRight);

    // Command time calculator.
    const Box compute = MainArea(203);
    kit.Button(compute, "Время", ButtonKind::Ivory);
    const Box resetOffset = MainArea(208);
    kit.Button(resetOffset, "Сброс", ButtonKind::Grey);
    kit.Label("ВРЕМЯ", 880, 560, Align::Left, 11, Weight::Bold, 1.2f);
    kit.Label("КОМАНДЫ", 880, 574, Align::Left, 11, Weight::Bold, 1.2f);
    const Box offset = MainArea(105);
    kit.Field(offset);
    kit.Label("Смещение -> Сек;Мин;Час;Сут;ТО", offset.left - 18, offset.top - 5, Align::Left, 9);
    kit.Legend("ТО: 0 от тек., 1 от 0 ч,", 876, offset.bottom - 2, Align::Left, 8);
    kit.Legend("2 относит.  -> Данные А", 876, offset.bottom + 8, Align::Left, 8);

    // Link readouts.
    kit.Heading("КАНАЛ СВЯЗИ", 706, 630, 900);
    const int readouts[3] = {106, 107, 108};
    const char *const names[3] = {"Угол ретр., °", "Оц. передачи, с", "Задержка, с"};
    for (int i = 0; i < 3; ++i) {
        const Box field = MainArea(readouts[i]);
        kit.Field(field);
        kit.Label(names[i], field.left - 8, field.bottom - 2, Align::Right, 9);
    }

    const Box photo = MainArea(210);
    kit.Button(photo, "Фото", ButtonKind::Green);
    kit.Legend("фотопанель", (photo.left + photo.right) / 2.0f, photo.bottom + 15, Align::Centre, 8);
    kit.VentSlots({858, 680, 982, 740}, 6);

    // Transmission.
    kit.Heading("ПЕРЕДАЧА КОМАНД", 706, 752, 972);
    const Box send = MainArea(204);
    kit.Button(send, "ПЕРЕДАЧА", ButtonKind::Red);
    kit.Legend("память 0–9 → КА", (send.left + send.right) / 2.0f, send.bottom + 14, Align::Centre, 8);
    const Box spare = MainArea(205);
    kit.Button(spare, "Резерв", ButtonKind::Grey);
}

void HostStatusBlock(ConsoleKit &kit) {
    const Box plate{996, 544, 1150, 822};
    kit.Plate(plate, "СОСТОЯНИЕ КА", 41);
    const Color lamps[3] = {Rgb(90, 200, 90), Rgb(230, 170, 50), Rgb(220, 70, 60)};
    const char *const names[3] = {"СТЫК", "СВЯЗЬ", "АВАРИЯ"};
    for (int i = 0; i < 3; ++i) {
        const float x = 1031 + 42 * i;
        kit.Lamp(x, 584, 6, Scale(lamps[i], 0.55f));
        kit.Legend(names[i], x, 607, Align::Centre, 8);
    }
    kit.Screen(MainArea(109), 3);
}

void NamePlate(ConsoleKit &kit) {
    kit.Label("БОРТОВОЙ ПУЛЬТ К12 «ОКУЛ»", 480, 847, Align::Left, 12, Weight::Bold, 2.0f);
    const Box plate{1000, 828, 1146, 858};
    kit.canvas.DropShadow(plate, 3, 0.5f);
    kit.canvas.VerticalGradient(plate, Rgb(176, 168, 140), Rgb(140, 132, 108));
    kit.canvas.Bevel(plate, 1, Rgb(220, 214, 190), Rgb(60, 56, 44));
    kit.canvas.Disc(plate.left + 6, plate.top + 15, 2, Rgb(90, 86, 70));
    kit.canvas.Disc(plate.right - 6, plate.top + 15, 2, Rgb(90, 86, 70));
    kit.text.Draw(kit.canvas, "ЗАВ. № 0412", (plate.left + plate.right) / 2.0f, plate.top + 13, Align::Centre,
                  {Weight::Bold, 9, 1.0f}, Rgb(40, 36, 28));
    kit.text.Draw(kit.canvas, "СДЕЛАНО В СССР", (plate.left + plate.right) / 2.0f, plate.top + 25,
                  Align::Centre, {Weight::Regular, 8, 0.8f}, Rgb(40, 36, 28));
}

}  // namespace

void DrawMainPanel(ConsoleKit &kit) {
    kit.Face(7);
    const Box mfdPlates[3] = {{2, 2, 348, 342}, {348, 2, 695, 342}, {695, 2, 1046, 342}};
    for (int m = 0; m < 3; ++m) MfdBlock(kit, m, mfdPlates[m]);
    ClockBlock(kit);
    TerminalBlock(kit);
    OrientationBlock(kit);
    ComposerBlock(kit);
    PeriscopeBlock(kit);
    LinkBlock(kit);
    HostStatusBlock(kit);
    NamePlate(kit);
}

void DrawAreaOverlay(Canvas &canvas, TextPainter &text, const PanelElement *areas, int count) {
    const Color colours[4] = {Rgb(255, 40, 40), Rgb(40, 255, 40), Rgb(60, 160, 255), Rgb(255, 230, 0)};
    for (int i = 0; i < count; ++i) {
        const Box b = BoxOf(areas[i].rect);
        const Color c = colours[i % 4];
        canvas.Fill({b.left, b.top, b.right, b.top + 1}, c);
        canvas.Fill({b.left, b.bottom - 1, b.right, b.bottom}, c);
        canvas.Fill({b.left, b.top, b.left + 1, b.bottom}, c);
        canvas.Fill({b.right - 1, b.top, b.right, b.bottom}, c);
        char id[16];
        std::snprintf(id, sizeof id, "%d", areas[i].id);
        text.Draw(canvas, id, b.left + 2, b.top + 9, Align::Left, {Weight::Bold, 9, 0.0f}, c);
    }
}
