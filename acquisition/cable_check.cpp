#include "acquisition/cable_check.h"

namespace qv {

std::string CableCheckDigit(std::uint32_t modemStatus) {
    return modemStatus != 0 ? "1" : "0";
}

const std::array<const char*, 8>& CableCheckInstructions() {
    static const std::array<const char*, 8> lines = {
        "На подключёном кабеле",
        "необходимо подавать +5 вольт",
        "на контакт, который будет",
        "подключен к Vf1.",
        "",
        "Если при подаче +5 вольт",
        "загорается 1 - то кабель без",
        "инверсии, если 0 - то с инверсией.",
    };
    return lines;
}

} // namespace qv
