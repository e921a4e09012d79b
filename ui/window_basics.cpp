#include "ui/window_basics.h"

#include <QLabel>
#include <QLocale>
#include <QShortcut>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextEdit>

namespace qv {

std::string DecimalSeparator() {
    return QLocale().decimalPoint().toStdString();
}

void SetLabelText(QLabel* label, const QString& text) {
    if (label->text() == text) return;
    label->setText(text);
    label->adjustSize();
}

QFont ProgramFont(int pixelSize, bool bold) {
    // Where "MS Sans Serif" is missing, prefer narrow faces: the windows' fixed geometry
    // was laid out for the narrow bitmap font, and wider faces cut the panel's labels short.
    static const bool substituted = [] {
        QFont::insertSubstitutions(
            QStringLiteral("MS Sans Serif"),
            {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("DejaVu Sans Condensed"),
             QStringLiteral("Liberation Sans Narrow"), QStringLiteral("Nimbus Sans Narrow"),
             QStringLiteral("Arial"), QStringLiteral("Nimbus Sans")});
        return true;
    }();
    (void)substituted;
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

void SetUpFixedWindow(QWidget* window, const QString& caption, int clientWidth, int clientHeight,
                      int left, int top) {
    window->setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint |
                           Qt::WindowCloseButtonHint | Qt::WindowTitleHint |
                           Qt::CustomizeWindowHint);
    window->setWindowTitle(caption);
    window->setFixedSize(clientWidth, clientHeight);
    window->move(left, top);
    window->setFont(ProgramFont(11));
    window->setBackgroundRole(QPalette::Button);
    window->setAutoFillBackground(true);
    window->setAttribute(Qt::WA_QuitOnClose, false);
    // Escape closes it, as the close button does.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), window);
    QObject::connect(escape, &QShortcut::activated, window, &QWidget::close);
}

void SetColumnText(QTextEdit* memo, const QString& text) {
    memo->setPlainText(text);
    QTextCursor cursor(memo->document());
    cursor.select(QTextCursor::Document);
    QTextBlockFormat pitch;
    pitch.setLineHeight(PanelLinePitch, QTextBlockFormat::FixedHeight);
    cursor.mergeBlockFormat(pitch);
}

QStringList TextLines(const QString& text) {
    QStringList lines = text.split(QLatin1Char('\n'));
    if (lines.last().isEmpty()) lines.removeLast();
    return lines;
}

} // namespace qv
