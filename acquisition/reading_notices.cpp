#include "acquisition/reading_notices.h"

namespace qv {

std::string QuietLineText() {
    return "Нет данных с линии: проверьте кабель, зажигание и «Инверсный адаптер»";
}

std::string DroppedFramesText(std::uint64_t dropped) {
    return "Пропущено кадров: " + std::to_string(dropped);
}

std::string AcquisitionText(AcquisitionMode mode, ThreadPriorityLevel priority) {
    std::string text = mode == AcquisitionMode::EdgeTimed
                           ? "Приём: по изменениям линии (порт сообщает о них сам)"
                           : "Приём: постоянным опросом линии";
    switch (priority) {
    case ThreadPriorityLevel::TimeCritical:
        return text + "; приоритет потока: реального времени";
    case ThreadPriorityLevel::RaisedNice:
        return text + "; приоритет потока: повышенный, не реального времени";
    case ThreadPriorityLevel::Normal:
        break;
    }
    return text + "; приоритет потока: обычный";
}

std::string LowPriorityText() {
    return "Поток чтения не получил приоритет реального времени: когда компьютер занят другой "
           "работой, кадры могут читаться с ошибками. Закройте лишние программы; в Linux "
           "разрешите программе приоритет реального времени (как это сделать, сказано в README).";
}

std::string DeviceLostText(const std::string& portName) {
    if (portName.empty())
        return "Порт не открыт: выберите порт в списке заново.\nЧтение остановлено.";
    return "Порт " + portName +
           " перестал отвечать: адаптер отключён или неисправен.\nЧтение остановлено, принятые "
           "кадры остались в записи.";
}

} // namespace qv
