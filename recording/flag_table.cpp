// The named flags, one row each in panel order, which is byte order (the raw-bytes column puts a
// byte's bits beside its first flag). Bits 11.2, 11.3, 11.7 and 12.6 have no meaning and so no
// row.
#include "recording/flag_table.h"

#include <algorithm>
#include <array>

namespace qv {
namespace {

// clang-format off
constexpr std::array<FlagInfo, NamedFlagCount> NamedFlags{{
    {11, 0, "11.0  Переоб.посл.зап.:", "Да", "Нет", "ON", "OFF",
     "after_start_enrichment", "Переоб.посл.зап."},
    {11, 1, "11.1  Холодный двиг.:", "Да", "Нет", "ON", "OFF",
     "cold_engine", "Холодный двиг."},
    {11, 4, "11.4  Детонация:", "Да", "Нет", "ON", "OFF",
     "knock", "Детонация"},
    {11, 5, "11.5  Обратн.связь:", "Вкл", "Выкл", "ON", "OFF",
     "closed_loop", "Обратн.связь"},
    {11, 6, "11.6  Доп.обогащение:", "Вкл", "Выкл", "Вкл", "Выкл",
     "extra_enrichment", "Доп.обогащение"},
    {12, 0, "12.0  Стартер:", "Вкл", "Выкл", "ON", "OFF",
     "starter", "Стартер"},
    {12, 1, "12.1  Дроссельная засл.:", "Закр", "Откр", "ON", "OFF",
     "throttle_closed", "Дрос.заслонка"},
    {12, 2, "12.2  Кондиционер:", "Вкл", "Выкл", "ON", "OFF",
     "air_conditioner", "Кондиционер"},
    {12, 3, "12.3  Нейтраль:", "Вкл", "Выкл", "ON", "OFF",
     "neutral", "Нейтраль"},
    {12, 4, "12.4  Смесь Левая:", "БОГАТАЯ", "бедная", "Богат", "Бедн",
     "left_mixture_rich", "Смесь Л."},
    {12, 5, "12.5  Смесь Правая:", "БОГАТАЯ", "бедная", "Богат", "Бедн",
     "right_mixture_rich", "Смесь Пр."},
    {12, 7, "12.7  Диагностика?:", "Хорошо", "Плохо", "Небыл", "Было",
     "diagnosis_ok", "Диагностика?"},
}};
// clang-format on
static_assert(std::ranges::all_of(NamedFlags, [](const FlagInfo& flag) { return flag.label; }),
              "NamedFlagCount counts the rows of NamedFlags");

} // namespace

const FlagInfo& NamedFlag(int index) {
    return NamedFlags.at(static_cast<std::size_t>(index));
}

} // namespace qv
