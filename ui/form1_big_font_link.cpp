// The main window and the big-font window: "Большой шрифт" and the big-font refresh.
#include "ui/form1_main.h"
#include "ui/form7_bigfont.h"
#include "ui/window_basics.h"

namespace qv {

void TForm1::N31Click() {
    hide();
    if (windows_.form7) windows_.form7->show();
}

void TForm1::BigFontRefresh(int n, const PanelLines& lines) {
    if (Shown(windows_.form7)) windows_.form7->RefreshFromPanel(lines, state_.store.Row(n));
}

} // namespace qv
