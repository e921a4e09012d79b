#include "ui/qt_translation.h"

#include <QApplication>
#include <QColorDialog>
#include <QFile>
#include <QFileDialog>
#include <QPushButton>
#include <QTranslator>

#include <gtest/gtest.h>

namespace qv {
namespace {

bool HasButton(const QWidget& dialog, const QString& text) {
    for (const QPushButton* button : dialog.findChildren<QPushButton*>())
        if (button->text() == text) return true;
    return false;
}

TEST(QtTranslation, QtsOwnDialogsSpeakRussian) {
    // Built into the program, so that an installed copy (on Windows too) needs no Qt folder.
    EXPECT_TRUE(QFile::exists(QStringLiteral(":/translations/qtbase_ru.qm")));
    QTranslator* translator = InstallQtTranslation(*QApplication::instance());
    ASSERT_NE(translator, nullptr);
    QFileDialog files;
    files.setOption(QFileDialog::DontUseNativeDialog);
    files.setAcceptMode(QFileDialog::AcceptSave);
    QColorDialog colours;
    colours.setOption(QColorDialog::DontUseNativeDialog);
    EXPECT_EQ(files.windowTitle(), QStringLiteral("Сохранить как"));
    EXPECT_EQ(colours.windowTitle(), QStringLiteral("Выбор цвета"));
    EXPECT_TRUE(HasButton(files, QStringLiteral("Отмена")));
    EXPECT_TRUE(HasButton(colours, QStringLiteral("Отмена")));
    QCoreApplication::removeTranslator(translator);
}

} // namespace
} // namespace qv
