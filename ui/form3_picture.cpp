// The graph window's picture kept as a file or on the clipboard, with its legend.
#include "files/file_io.h"
#include "ui/dialogs.h"
#include "ui/form3_graph.h"
#include "ui/render/labelled_picture.h"
#include "ui/window_basics.h"

#include <QClipboard>
#include <QGuiApplication>

namespace qv {

QImage TForm3::LabelledGraphPicture() const {
    if (GraphSpan < 2) return GraphBitmap(); // never shown: no span to name
    return LabelledPicture(GraphBitmap(),
                           GraphPictureTexts(state_.store, SpanStart(), GraphSpan,
                                             LegendOf(Choices()), state_.settings),
                           ProgramFont(13));
}

void TForm3::SavePictureClick() {
    const std::optional<QString> name = dialogs_->AskSavePicture(this);
    if (!name) return;
    const FileStatus status =
        WriteFileAtomically(name->toStdString(), PngBytes(LabelledGraphPicture()));
    if (!status.ok())
        dialogs_->Message(this, status.kind == FileErrorKind::CannotCreate
                                    ? QString::fromUtf8(CannotCreateText)
                                    : QString::fromStdString(status.message));
}

void TForm3::CopyPictureClick() {
    QGuiApplication::clipboard()->setImage(LabelledGraphPicture());
}

} // namespace qv
