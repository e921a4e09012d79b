#include "recording/parameter_table.h"
#include "ui/form1_main.h"
#include "ui/shared_view.h"

#include <QAction>
#include <QActionGroup>

namespace qv {

QAction* TForm1::UnitItem(int parameter, int value) const {
    for (const UnitSubmenu& submenu : UnitSubmenus) {
        if (submenu.parameter != parameter) continue;
        for (QAction* item : submenu.items->actions())
            if (item->data().toInt() == value) return item;
    }
    return nullptr;
}

// In each unit submenu the item of the current choice is checked (none for a number that names
// none), and the preset when all three are its choices.
void TForm1::ApplyDisplaySettings() {
    for (const UnitSubmenu& submenu : UnitSubmenus) {
        const int choice = UnitChoice(state_.settings, submenu.parameter);
        for (QAction* item : submenu.items->actions())
            item->setChecked(item->data().toInt() == choice);
    }
    N3S1->setChecked(state_.settings == DisplaySettings{});
}

// Sets the choice (the graph follows the shared view), redraws, checks.
void TForm1::UnitItemClick(int parameter, int value) {
    view_.SetSettings(WithUnitChoice(view_.Settings(), parameter, value));
    MemoDraw(FramePosition());
    ApplyDisplaySettings();
}

void TForm1::N3S1Click() {
    view_.SetSettings(DisplaySettings{});
    ApplyDisplaySettings();
    N3S1->setChecked(true);
    MemoDraw(FramePosition());
}

} // namespace qv
