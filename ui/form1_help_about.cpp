// The main window's "Справка" menu: the help and About windows.
#include "ui/form1_main.h"
#include "ui/form4_help.h"
#include "ui/form5_about.h"

namespace qv {

void TForm1::N9Click() {
    SetReadingStopped(true);
    if (windows_.form4) windows_.form4->Open();
}

void TForm1::N26Click() {
    SetReadingStopped(true);
    if (windows_.form5) windows_.form5->Open();
}

} // namespace qv
