#pragma once

#include <QImage>

class QWidget;

namespace qv {

class Dialogs;

// A window's picture kept as the user asks: into a PNG file that the save dialog names (a file
// that cannot be written is reported as every save of the program reports it), or onto the
// clipboard.
void SavePictureFile(QWidget* parent, Dialogs& dialogs, const QImage& picture);
void CopyPictureToClipboard(const QImage& picture);

} // namespace qv
