#include "recording/panel.h"

#include "recording/frame_time.h"
#include "settings_numbers.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(Panel, StartUpFrameUnderDefaultSettings) {
    RecordingStore store;
    const PanelLines panel = BuildPanel(store, 1, 1, DisplaySettings{}, ",");
    const PanelColumn labels = {
        "Идентификатор:",
        "1.А  Форсунки:",
        "2.А  Зажигание:",
        "3.А  Клапан ХХ(% от 255):",
        "4.А  Частота вращ.:",
        "5.А  MAP в кПа:",
        "6.А  Темпер.ОЖ(Прям.):",
        "7.А  Дрос.заслонка:",
        "8.А  Скорость:",
        "9.А  Коррекция Л:",
        "10.А  Коррекция Пр:",
        "11.0  Переоб.посл.зап.:",
        "11.1  Холодный двиг.:",
        "11.4  Детонация:",
        "11.5  Обратн.связь:",
        "11.6  Доп.обогащение:",
        "12.0  Стартер:",
        "12.1  Дроссельная засл.:",
        "12.2  Кондиционер:",
        "12.3  Нейтраль:",
        "12.4  Смесь Левая:",
        "12.5  Смесь Правая:",
        "12.7  Диагностика?:",
        "Что-то ещё",
        "Кадр/Всего:",
        "Время:",
    };
    const PanelColumn values = {
        "000000000000", "0,000 мс.", "-30,0 град.", "0,0 %", "0 об/м",  "0,0 kPa", "-70,0 град.С",
        "0,0 град.",    "0 км/ч",    "0,00В",       "0,00В", "Нет",     "Нет",     "Нет",
        "Выкл",         "Выкл",      "Выкл",        "Откр",  "Выкл",    "Выкл",    "бедная",
        "бедная",       "Плохо",     "нет",         "1 / 1", "0:00:00",
    };
    for (int i = 0; i < PanelRowCount; ++i) {
        EXPECT_EQ(panel.labels[i], labels[i]) << "row " << i;
        EXPECT_EQ(panel.values[i], values[i]) << "row " << i;
    }
}

TEST(Panel, FrameValuesFollowTheStoredRow) {
    RecordingStore store;
    FrameRow& row = store.Row(7);
    row.Identifier = {1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1};
    row.Analog = {80, 100, 37, 32, 154, 180, 40, 60, 128, 255};
    row.Flags11 = {1, 0, 1, 1, 0, 1, 0, 1}; // 11.0 and 11.5 named, 11.2, 11.3, 11.7 not
    row.Flags12 = {0, 1, 0, 1, 1, 0, 1, 1}; // 12.6 not named
    row.EndFlag = 1;
    row.FrameTime = ToFrameTime({2026, 12, 8, 9, 5, 7, 500});
    const PanelLines panel = BuildPanel(store, 7, 120, SettingsOf(3, 2, 2), ",");
    const PanelColumn values = {
        "110000000001", "10,000 мс.", "17,0 град.", "37 шаг", "800 об/м", "752 мм.рт.ст.",
        "-3,1 град.С",  "20,0 град.", "60 км/ч",    "2,50В",  "4,98В",    "Да",
        "Нет",          "Нет",        "Вкл",        "Выкл",   "Выкл",     "Закр",
        "Выкл",         "Вкл",        "БОГАТАЯ",    "бедная", "Хорошо",   "есть",
        "7 / 120",      "9:05:07",
    };
    for (int i = 0; i < PanelRowCount; ++i) EXPECT_EQ(panel.values[i], values[i]) << "row " << i;
}

TEST(Panel, LabelsFollowTheSettings) {
    const RecordingStore store;
    const struct {
        int setting;
        const char* idleAir;
        const char* intake;
        const char* coolant;
    } cases[] = {
        {1, "3.А  Клапан ХХ(% от 255):", "5.А  MAP в кПа:", "6.А  Темпер.ОЖ(Прям.):"},
        {2, "3.А  Клапан ХХ(% от 125):", "5.А  MAP в мм.рт.ст.:", "6.А  Темпер.ОЖ(Обр.):"},
        {3, "3.А  Клапан ХХ(шаг):", "5.А  MAF в мс:", "6.А  Темпер.ОЖ:"},
        {4, "3.А  Клапан ХХ:", "5.А  MAF в гр/сек:", "6.А  Темпер.ОЖ:"},
        {5, "3.А  Клапан ХХ:", "5.А  Напряжение, В:", "6.А  Темпер.ОЖ:"},
        {0, "3.А  Клапан ХХ:", "5.А  Датчик на впуске:", "6.А  Темпер.ОЖ:"},
        {6, "3.А  Клапан ХХ:", "5.А  Датчик на впуске:", "6.А  Темпер.ОЖ:"},
    };
    for (const auto& c : cases) {
        const DisplaySettings s = SettingsOf(c.setting, c.setting, c.setting);
        const PanelLines panel = BuildPanel(store, 1, 1, s, ",");
        EXPECT_EQ(panel.labels[3], c.idleAir) << c.setting;
        EXPECT_EQ(panel.labels[5], c.intake) << c.setting;
        EXPECT_EQ(panel.labels[6], c.coolant) << c.setting;
    }
}

TEST(Panel, UnlistedSettingsLeaveTheirValueEmpty) {
    RecordingStore store;
    store.Row(1).Analog.fill(100);
    const PanelLines panel = BuildPanel(store, 1, 1, SettingsOf(4, 7, 0), ",");
    EXPECT_EQ(panel.values[3], "");
    EXPECT_EQ(panel.values[5], "");
    EXPECT_EQ(panel.values[6], "28,8 град.С"); // other dependences read the byte inverted
    EXPECT_EQ(panel.values[4], "2500 об/м");
}

TEST(Panel, SettingChangesValueAndLabelAtOnce) {
    RecordingStore store;
    store.Row(1).Analog[4] = 100;
    EXPECT_EQ(BuildPanel(store, 1, 1, SettingsOf(1, 1, 3), ",").values[5], "25,6 мс");
    EXPECT_EQ(BuildPanel(store, 1, 1, SettingsOf(1, 1, 4), ",").values[5], "200,0 гр/C");
    EXPECT_EQ(BuildPanel(store, 1, 1, SettingsOf(1, 1, 5), ".").values[5], "1.96 В");
}

TEST(RawBytes, ColumnAlignsWithThePanel) {
    RecordingStore store;
    FrameRow& row = store.Row(4);
    row.Analog = {0, 1, 2, 32, 100, 128, 200, 254, 255, 9};
    row.Flags11 = {1, 1, 0, 0, 0, 0, 0, 1};
    row.Flags12 = {0, 0, 0, 0, 0, 0, 3, 1};
    row.EndFlag = 1;
    const PanelColumn column = RawBytesColumn(store, 4);
    const PanelColumn expected = {
        "", "0", "1", "2",        "32", "100", "128", "200", "254", "255", "9", "11000001", "",
        "", "",  "",  "00000011", "",   "",    "",    "",    "",    "",    "1", "",         "",
    };
    EXPECT_EQ(column, expected);
    row.EndFlag = 0;
    EXPECT_EQ(RawBytesColumn(store, 4)[23], "0");
}

} // namespace
} // namespace qv
