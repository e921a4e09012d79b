// The live graph's picture kept as a file or on the clipboard, with its legend.
#include "recording/live_scene.h"
#include "ui/form9_live.h"
#include "ui/picture_file.h"
#include "ui/render/labelled_picture.h"
#include "ui/window_basics.h"

namespace qv {

QImage TForm9::LabelledLivePicture() {
    EnsureDrawn();
    return LabelledPicture(picture_, LivePictureTexts(SceneInput(), scene_), ProgramFont(13));
}

void TForm9::SavePictureClick() {
    SavePictureFile(this, *dialogs_, LabelledLivePicture());
}

void TForm9::CopyPictureClick() {
    CopyPictureToClipboard(LabelledLivePicture());
}

} // namespace qv
