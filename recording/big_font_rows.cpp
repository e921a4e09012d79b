#include "recording/big_font_rows.h"

#include "recording/decoding.h"

namespace qv {

const std::array<BigFontParameterRow, BigFontParameterRows>& BigFontParameters() {
    static const std::array<BigFontParameterRow, BigFontParameterRows> rows = {{
        {"Впрыск:", BigFontBlue},
        {"Зажигание:", BigFontGreen},
        {"Клапан ХХ:", BigFontRed},
        {"Обороты:", BigFontBlue},
        {"MAP/MAF:", BigFontGreen},
        {"Темп.ОЖ:", BigFontRed},
        {"Дрос.засл:", BigFontBlue},
        {"Скорость:", BigFontGreen},
        {"Коррекция Л:", BigFontRed},
        {"Коррекция Пр:", BigFontBlue},
    }};
    return rows;
}

const std::array<const char*, BigFontFlagRows>& BigFontFlagCaptions() {
    static const std::array<const char*, BigFontFlagRows> captions = {
        "Переоб.посл.зап.", "Холодный двиг.", "Детонация",     "Обратн.связь",
        "Доп.обогащение",   "Стартер",        "Дрос.заслонка", "Кондиционер",
        "Нейтраль",         "Смесь Л.",       "Смесь Пр.",     "Диагностика?",
    };
    return captions;
}

std::array<bool, BigFontFlagRows> BigFontFlagBits(const FrameRow& row) {
    std::array<bool, BigFontFlagRows> bits{};
    for (int k = 0; k < BigFontFlagRows; ++k) {
        const FlagInfo& flag = NamedFlag(k);
        bits[k] = FlagBit(row, flag.byte, flag.bit);
    }
    return bits;
}

} // namespace qv
