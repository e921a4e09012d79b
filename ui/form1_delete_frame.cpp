// "Удал.кадр": deleting the frame on screen.
#include "app/reading_session.h"
#include "ui/form1_main.h"
#include "ui/shared_view.h"

namespace qv {

void TForm1::Button5Click() {
    const int length = RecordingLength();
    const int position = FramePosition();
    if (length == 1) {
        services_.dialogs->Message(
            this, QStringLiteral("Что удалять то собрались? Ничего же не останется ;)"));
        return;
    }
    state_.store.DeleteFrame(position, length);
    session_.FrameDeleted(position);
    framesDeleted_ = true;
    view_.SetLength(length - 1);
    MemoDraw(FramePosition());
    view_.RecordingChanged();
    GraphAfterDelete(length, length - 1);
}

} // namespace qv
