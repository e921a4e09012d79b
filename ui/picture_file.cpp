#include "ui/picture_file.h"
#include "files/file_io.h"
#include "ui/dialogs.h"
#include "ui/render/labelled_picture.h"

#include <QClipboard>
#include <QGuiApplication>

namespace qv {

void SavePictureFile(QWidget* parent, Dialogs& dialogs, const QImage& picture) {
    const std::optional<QString> name = dialogs.AskSavePicture(parent);
    if (!name) return;
    const FileStatus status = WriteFileAtomically(name->toStdString(), PngBytes(picture));
    if (!status.ok())
        dialogs.Message(parent, status.kind == FileErrorKind::CannotCreate
                                    ? QString::fromUtf8(CannotCreateText)
                                    : QString::fromStdString(status.message));
}

void CopyPictureToClipboard(const QImage& picture) {
    QGuiApplication::clipboard()->setImage(picture);
}

} // namespace qv
