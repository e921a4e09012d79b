// The graph window's picture kept as a file or on the clipboard, with its legend.
#include "ui/form3_graph.h"
#include "ui/picture_file.h"
#include "ui/render/labelled_picture.h"
#include "ui/window_basics.h"

namespace qv {

QImage TForm3::LabelledGraphPicture() const {
    if (GraphSpan < 2) return GraphBitmap(); // never shown: no span to name
    return LabelledPicture(GraphBitmap(),
                           GraphPictureTexts(state_.store, SpanStart(), GraphSpan,
                                             LegendOf(Choices()), state_.settings),
                           ProgramFont(13));
}

void TForm3::SavePictureClick() {
    SavePictureFile(this, *dialogs_, LabelledGraphPicture());
}

void TForm3::CopyPictureClick() {
    CopyPictureToClipboard(LabelledGraphPicture());
}

} // namespace qv
