// The main window's "Справка" menu: the help and About windows.
#include "ui/form1_main.h"
#include "ui/other_windows.h"

namespace qv {

void TForm1::N9Click() {
    SetReadingStopped(true);
    if (TForm4* help = Other<TForm4>()) help->Open();
}

void TForm1::N26Click() {
    SetReadingStopped(true);
    if (TForm5* about = Other<TForm5>()) about->Open();
}

} // namespace qv
