// The main window and the big-font window: "Большой шрифт" and the big-font refresh.
#include "ui/form1_main.h"
#include "ui/other_windows.h"
#include "ui/window_basics.h"

namespace qv {

void TForm1::N31Click() {
    hide();
    if (TForm7* big = Other<TForm7>()) big->show();
}

void TForm1::BigFontRefresh(int n, const PanelLines& lines) {
    if (TForm7* big = Other<TForm7>(); Shown(big))
        big->RefreshFromPanel(lines, state_.store.Row(n));
}

} // namespace qv
