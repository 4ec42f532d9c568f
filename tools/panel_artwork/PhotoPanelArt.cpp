#include "PanelArt.h"

using namespace palette;

void DrawPhotoPanel(ConsoleKit &kit) {
    kit.Face(5);

    // The picture receiver: an 800 x 800 screen.
    const Box left{6, 6, 858, 858};
    kit.Plate(left, "", 51);
    const Box window = PhotoWindow();
    kit.Screen(window, 6);
    // Edge scale of the screen, every 100 pixels.
    for (int i = 0; i <= 8; ++i) {
        const int x = window.left + i * 100 - (i == 8 ? 1 : 0);
        const int y = window.top + i * 100 - (i == 8 ? 1 : 0);
        kit.canvas.Fill({x, window.bottom + 7, x + 1, window.bottom + 12}, kPaint, 0.8f);
        kit.canvas.Fill({window.right + 7, y, window.right + 12, y + 1}, kPaint, 0.8f);
    }
    kit.Label("ПРИЁМНИК ИЗОБРАЖЕНИЙ   800 × 800", (left.left + left.right) / 2.0f, 852, Align::Centre, 10,
              Weight::Bold, 1.5f);

    const Box right{864, 6, 1146, 858};
    kit.Plate(right, "ФОТОКАНАЛ", 53);
    const int x = 884;
    const char *const info[] = {"Кассета: 32 кадра, просмотр 0 – 30", "Съёмка: команда PHO или код 600",
                                "Передача на Землю: код 610", "Приём: один столбец за 2 с",
                                "Файлы: PHOTO\\photo<N>.bmp"};
    for (int i = 0; i < 5; ++i) kit.Legend(info[i], x, 48 + 18 * i, Align::Left, 10);

    kit.GroupFrame({874, 150, 1136, 270}, "МЕТКИ ШКАЛЫ");
    kit.canvas.Fill({886, 173, 892, 179}, Rgb(255, 0, 0));
    kit.text.Draw(kit.canvas, "10", 896, 180, Align::Left, {Weight::Regular, 10, 0.0f}, Rgb(60, 110, 250));
    kit.Legend("метка шкалы и её отсчёт, град", 914, 180, Align::Left, 9);
    const char *const sets[] = {"наведение 0: нижняя и средняя шкалы", "наведение 1: шкала +10 … +70",
                                "наведение 2: шкала −10 … −70"};
    for (int i = 0; i < 3; ++i) kit.Legend(sets[i], 886, 204 + 18 * i, Align::Left, 9);
    kit.Legend("заголовок кадра: номер, время, состояние", 886, 258, Align::Left, 9);

    kit.VentSlots({904, 296, 1106, 410}, 12);

    kit.GroupFrame({874, 440, 1136, 540}, "СОСТОЯНИЕ КАДРА");
    const char *const states[6] = {"0 — пусто",         "1 — съёмка назначена", "2, 3 — идёт съёмка",
                                   "4 — кадр на борту", "5 — передача",         "6 — кадр принят"};
    for (int i = 0; i < 6; ++i) kit.Legend(states[i], i < 3 ? 886 : 1010, 466 + 22 * (i % 3), Align::Left, 9);

    kit.GroupFrame({871, 566, 1069, 646}, "ВЫБОР КАДРА");
    kit.Button(PhotoArea(3202), "Пред. кадр", ButtonKind::Ivory);
    kit.Button(PhotoArea(3201), "След. кадр", ButtonKind::Ivory);
    kit.Legend("−1", (879 + 957) / 2.0f, 642, Align::Centre, 8);
    kit.Legend("+1", (982 + 1061) / 2.0f, 642, Align::Centre, 8);

    kit.Lamp(1100, 606, 7, Scale(Rgb(90, 200, 90), 0.55f));
    kit.Legend("ПРИЁМ", 1100, 630, Align::Centre, 8);

    kit.GroupFrame({871, 752, 1069, 838}, "ПАНЕЛЬ");
    kit.Button(PhotoArea(3203), "Назад", ButtonKind::Green);
    kit.Legend("к основной", 1012, 794, Align::Centre, 9);
    kit.Legend("панели", 1012, 806, Align::Centre, 9);
}
