// The main window and the summary window: "Сводка".
#include "ui/form1_main.h"
#include "ui/other_windows.h"

namespace qv {

void TForm1::SummaryItemClick() {
    if (TForm10* summary = Other<TForm10>()) summary->Open();
}

} // namespace qv
