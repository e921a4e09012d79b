#include "ui/picture_file.h"
#include "files/file_io.h"
#include "files/file_messages.h"
#include "ui/dialogs.h"
#include "ui/render/labelled_picture.h"

#include <QClipboard>
#include <QGuiApplication>

namespace qv {

void SavePictureFile(QWidget* parent, Dialogs& dialogs, const QImage& picture) {
    const std::optional<QString> name = dialogs.AskSavePicture(parent);
    if (!name) return;
    // An empty picture (no memory for its PNG) is no file: nothing is written then.
    const std::string png = PngBytes(picture);
    const FileStatus status =
        png.empty() ? CannotCreate() : WriteFileAtomically(name->toStdString(), png);
    if (!status.ok())
        dialogs.Message(parent, status.kind == FileErrorKind::CannotCreate
                                    ? QString::fromUtf8(CannotCreateText)
                                    : QString::fromStdString(status.message));
}

void CopyPictureToClipboard(const QImage& picture) {
    QGuiApplication::clipboard()->setImage(picture);
}

} // namespace qv
